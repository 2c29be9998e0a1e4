// The renderer's video step: sound track, decoding, upload and the quad.
#include "audio/Audio.h"
#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/Mesh.h"
#include "graphics/RendererSystem.h"
#include "graphics/Shader.h"
#include "graphics/Video.h"

namespace kesto
{

void RendererSystem::PlayVideo(const Entity& entity, EntityStore& store, const Matrix3& projView, float dt)
{
    Video* video = store.GetComponent<Video>(entity);
    if (!video || !video->IsOpen())
    {
        return;
    }
    SystemStore& systems = registry->GetSystem<ECS>()->systemStore;
    if (systems.editorMode)
    {
        return;
    }
    if (video->startPending)
    {
        systems.GetSystem<Audio>()->PlayCinematicSound(video->File(), false);
    }
    const bool fresh = video->Advance(dt);
    // A video found broken while decoding closes and shows nothing.
    if (!gl || !video->IsOpen())
    {
        return;
    }
    VideoFrameTexture& frame = video->frameTexture;
    if (!frame.IsCreated())
    {
        frame.Create(video->Width(), video->Height());
    }
    if (fresh)
    {
        frame.Write(video->Pixels());
    }
    batch.FlushForDirectDraw(BlendMode::Normal);
    videoShader->Use();
    frame.Bind();
    videoShader->Set("tex", 0);
    videoShader->Set("MVP", projView * store.GetComponent<Transform>(entity)->GetMatrix());
    videoMesh->Draw();
}

} // namespace kesto
