#pragma once

// Skeleton runtime for Spine 3.8 exports: the text atlas, the JSON skeleton data, skeletons and animation
// states. It mirrors spine-c's objects and calls one to one, so a host written against it maps onto spine-c:
//
//   spAtlas_createFromFile(path, 0)            LoadAtlasFile(path, host, report)            (null on failure)
//   _spAtlasPage_createTexture / dispose       Host::createTexture / Host::disposeTexture   (page.rendererObject)
//   _spUtil_readFile                           Host::readFile (default ReadFile)
//   spSkeletonJson_create(atlas)               SkeletonJson json(*atlas, report)
//   spSkeletonJson_readSkeletonDataFile        json.ReadSkeletonDataFile(path)              (null on failure)
//   spAnimationStateData_create(data)          AnimationStateData(*data)
//   spSkeleton_create(data)                    Skeleton(*data)
//   spAnimationState_create(stateData)         AnimationState(stateData)
//   spAnimationState_update / _apply           state.Update(dt); state.Apply(skeleton)
//   skeleton->x, y, scaleX, scaleY, color      skeleton.x, y, scaleX, scaleY, color
//   spSkeleton_updateWorldTransform            skeleton.UpdateWorldTransform()
//   spAnimationState_addAnimationByName        state.AddAnimationByName(0, "animation", true, 0)
//   state->tracks[0], entry->next              state.GetCurrent(0), entry->next
//   skeleton->drawOrder[i]                     skeleton.DrawOrder()[i]
//   slot->attachment->type                     slot->attachment->type (AttachmentType)
//   slot->data->blendMode, slot->color         slot->data.blendMode, slot->color
//   spRegionAttachment_computeWorldVertices    region.ComputeWorldVertices(slot->bone, out, 0, 2)   (4 corners)
//   region->uvs                                region.uvs                                            (8 floats)
//   spVertexAttachment_computeWorldVertices    mesh.ComputeWorldVertices(*slot, 0, mesh.worldVerticesLength,
//                                                                        out, 0, 2)
//   mesh->uvs, triangles, trianglesCount       mesh.uvs, mesh.triangles, mesh.triangles.size()
//   attachment->rendererObject->page           attachment.region->page->rendererObject
//
// Lifetimes: atlas > skeleton data > animation state data > skeletons and states. UVs follow the image
// convention (v = 0 at the top of the page). Messages (one line each, naming file and place) go to the report
// callback the host gives the loaders; a failed load returns null and leaves nothing behind.

#include "spine/Animation.h"
#include "spine/AnimationState.h"
#include "spine/Atlas.h"
#include "spine/Attachment.h"
#include "spine/Skeleton.h"
#include "spine/SkeletonData.h"
#include "spine/SkeletonJson.h"
#include "spine/Skin.h"
#include "spine/SpineTypes.h"
#include "spine/Timeline.h"
