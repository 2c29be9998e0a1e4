#include "spine/SkeletonJsonInternal.h"

namespace kesto::spine::detail
{

bool SkeletonReader::ReadSkins(const JsonValue& root)
{
    const JsonValue* found = root.Find("skins");
    if (!found)
    {
        return true;
    }
    const JsonValue& skins = *found;
    if (skins.IsObject())
    {
        // The form written before 3.8: skin name -> attachments.
        for (const auto& member : skins.Members())
        {
            if (!member.value.IsObject())
            {
                return input.Fail("skin " + Quoted(member.key), "expected an object");
            }
            if (!ReadSkin(member.key, &member.value))
            {
                return false;
            }
        }
        return true;
    }
    if (!skins.IsArray())
    {
        return input.Fail("\"skins\"", "expected an array");
    }
    for (std::size_t i = 0; i < skins.Items().size(); ++i)
    {
        const JsonValue& skin = skins.Items()[i];
        const std::string where = "skin " + std::to_string(i);
        if (!skin.IsObject())
        {
            return input.Fail(where, "expected an object");
        }
        std::string name;
        const JsonValue* attachments = nullptr;
        if (!input.String(skin, "name", where, name) || !input.Object(skin, "attachments", where, attachments))
        {
            return false;
        }
        if (name.empty())
        {
            return input.Fail(where, "has no name");
        }
        if (!ReadSkin(name, attachments))
        {
            return false;
        }
    }
    return true;
}

bool SkeletonReader::ReadSkin(const std::string& name, const JsonValue* attachments)
{
    const std::string where = "skin " + Quoted(name);
    if (skinsByName.contains(name))
    {
        return input.Fail(where, "is defined twice");
    }
    data.skins.push_back(std::make_unique<Skin>(name));
    Skin& skin = *data.skins.back();
    skinsByName.emplace(name, &skin);
    if (name == "default")
    {
        data.defaultSkin = &skin;
    }
    if (!attachments)
    {
        return true;
    }
    for (const auto& slot : attachments->Members())
    {
        const std::string slotWhere = where + ", slot " + Quoted(slot.key);
        std::size_t slotIndex = 0;
        if (!IndexOf(slot, "slot", slotIndices, slotWhere, slotIndex))
        {
            return false;
        }
        for (const auto& entry : slot.value.Members())
        {
            const std::string& key = entry.key;
            if (!ReadAttachment(entry.value, skin, slotIndex, key, slotWhere + ", attachment " + Quoted(key)))
            {
                return false;
            }
        }
    }
    return true;
}

bool SkeletonReader::ReadAttachment(const JsonValue& value, Skin& skin, std::size_t slotIndex, const std::string& key,
                                    const std::string& where)
{
    if (!value.IsObject())
    {
        return input.Fail(where, "expected an object");
    }
    std::string type = "region";
    std::string name = key;
    if (!input.String(value, "type", where, type) || !input.String(value, "name", where, name))
    {
        return false;
    }
    std::string path = name;
    Color color;
    if (!input.String(value, "path", where, path) || !input.ColorHex(value, "color", where, color))
    {
        return false;
    }
    std::unique_ptr<Attachment> attachment;
    if (type == "region")
    {
        auto region = std::make_unique<RegionAttachment>();
        region->path = path;
        if (!ReadRegion(value, *region, where))
        {
            return false;
        }
        attachment = std::move(region);
    }
    else if (type == "mesh" || type == "linkedmesh")
    {
        auto mesh = std::make_unique<MeshAttachment>();
        mesh->path = path;
        if (!input.Float(value, "width", where, mesh->width) || !input.Float(value, "height", where, mesh->height))
        {
            return false;
        }
        if (type == "linkedmesh")
        {
            mesh->name = name;
            mesh->color = color;
            LinkedMesh linked{&skin, slotIndex, key, std::move(mesh), {}, "default", where};
            if (!input.String(value, "parent", where, linked.parent) ||
                !input.String(value, "skin", where, linked.parentSkin))
            {
                return false;
            }
            if (linked.parent.empty())
            {
                return input.Fail(where, "a linked mesh needs a \"parent\"");
            }
            linkedMeshes.push_back(std::move(linked));
            return true;
        }
        if (!ReadMesh(value, *mesh, where))
        {
            return false;
        }
        attachment = std::move(mesh);
    }
    else if (type == "boundingbox" || type == "path" || type == "point" || type == "clipping")
    {
        // Not drawn; read past.
        return true;
    }
    else
    {
        return input.Fail(where, "unknown attachment type " + Quoted(type));
    }
    attachment->name = name;
    attachment->color = color;
    if (attachment->type == AttachmentType::Mesh)
    {
        static_cast<MeshAttachment&>(*attachment).UpdateUVs();
    }
    skin.SetAttachment(slotIndex, key, std::move(attachment));
    return true;
}

bool SkeletonReader::FindRegion(Attachment& attachment, const std::string& where)
{
    attachment.region = atlas.FindRegion(attachment.path);
    if (!attachment.region)
    {
        return input.Fail(where, "the atlas has no region " + Quoted(attachment.path));
    }
    return true;
}

bool SkeletonReader::ReadRegion(const JsonValue& value, RegionAttachment& region, const std::string& where)
{
    if (!value.Find("width") || !value.Find("height"))
    {
        return input.Fail(where, "a region needs \"width\" and \"height\"");
    }
    if (!input.Float(value, "x", where, region.x) || !input.Float(value, "y", where, region.y) ||
        !input.Float(value, "rotation", where, region.rotation) ||
        !input.Float(value, "scaleX", where, region.scaleX) || !input.Float(value, "scaleY", where, region.scaleY) ||
        !input.Float(value, "width", where, region.width) || !input.Float(value, "height", where, region.height) ||
        !FindRegion(region, where))
    {
        return false;
    }
    region.SetRegion(*region.region);
    return true;
}

bool SkeletonReader::ReadMesh(const JsonValue& value, MeshAttachment& mesh, const std::string& where)
{
    const JsonValue* uvs = nullptr;
    const JsonValue* vertices = nullptr;
    const JsonValue* triangles = nullptr;
    if (!input.Array(value, "uvs", where, uvs) || !input.Array(value, "vertices", where, vertices) ||
        !input.Array(value, "triangles", where, triangles))
    {
        return false;
    }
    if (!uvs || !vertices || !triangles)
    {
        return input.Fail(where, "a mesh needs \"uvs\", \"vertices\" and \"triangles\"");
    }
    if (uvs->Items().size() % 2 != 0)
    {
        return input.Fail(where, "\"uvs\" must hold pairs of numbers");
    }
    const std::size_t vertexCount = uvs->Items().size() / 2;
    if (vertexCount > maxMeshVertices)
    {
        return input.Fail(where, "has more than " + std::to_string(maxMeshVertices) + " vertices");
    }
    mesh.regionUVs.resize(uvs->Items().size());
    for (std::size_t i = 0; i < uvs->Items().size(); ++i)
    {
        if (!input.ToFloat(uvs->Items()[i], where + ", uv " + std::to_string(i), mesh.regionUVs[i]))
        {
            return false;
        }
    }
    mesh.worldVerticesLength = vertexCount * 2;
    if (vertices->Items().size() < mesh.worldVerticesLength)
    {
        return input.Fail(where, "\"vertices\" holds " + std::to_string(vertices->Items().size()) +
                                     " numbers, fewer than its " + std::to_string(vertexCount) + " vertices need");
    }
    if (vertices->Items().size() == mesh.worldVerticesLength)
    {
        mesh.vertices.resize(vertices->Items().size());
        for (std::size_t i = 0; i < vertices->Items().size(); ++i)
        {
            if (!input.ToFloat(vertices->Items()[i], where + ", vertex number " + std::to_string(i), mesh.vertices[i]))
            {
                return false;
            }
        }
    }
    else if (!ReadWeights(*vertices, vertexCount, mesh, where))
    {
        return false;
    }
    if (triangles->Items().size() % 3 != 0)
    {
        return input.Fail(where, "\"triangles\" must hold whole triangles");
    }
    mesh.triangles.resize(triangles->Items().size());
    for (std::size_t i = 0; i < triangles->Items().size(); ++i)
    {
        const JsonValue& index = triangles->Items()[i];
        std::size_t vertex = 0;
        if (!index.IsNumber() || index.Number() >= static_cast<double>(vertexCount))
        {
            return input.Fail(where, "triangle index " + std::to_string(i) + " is past its " +
                                         std::to_string(vertexCount) + " vertices");
        }
        if (!input.ToIndex(index, where + ", triangle index " + std::to_string(i), vertexCount, vertex))
        {
            return false;
        }
        mesh.triangles[i] = static_cast<std::uint16_t>(vertex);
    }
    int hull = 0;
    if (!input.Int(value, "hull", where, 0, static_cast<int>(vertexCount), hull))
    {
        return false;
    }
    mesh.hullLength = hull * 2;
    return FindRegion(mesh, where);
}

bool SkeletonReader::ReadWeights(const JsonValue& vertices, std::size_t vertexCount, MeshAttachment& mesh,
                                 const std::string& where)
{
    // Per vertex: a bone count, then bone index, bind x, bind y and weight for each of those bones.
    const std::size_t size = vertices.Items().size();
    std::size_t cursor = 0;
    for (std::size_t v = 0; v < vertexCount; ++v)
    {
        const std::string vertexWhere = where + ", weighted vertex " + std::to_string(v);
        if (cursor >= size)
        {
            return input.Fail(vertexWhere, "the weight list ends early");
        }
        std::size_t influences = 0;
        if (!input.ToIndex(vertices.Items()[cursor], vertexWhere + ", bone count", maxSkeletonItems + 1, influences))
        {
            return false;
        }
        ++cursor;
        if (influences > (size - cursor) / 4)
        {
            return input.Fail(vertexWhere, "the weight list ends early");
        }
        mesh.bones.push_back(static_cast<int>(influences));
        for (std::size_t j = 0; j < influences; ++j, cursor += 4)
        {
            std::size_t bone = 0;
            float numbers[3] = {};
            const std::size_t at = cursor;
            if (!input.ToIndex(vertices.Items()[at], vertexWhere + ", bone index", data.bones.size(), bone) ||
                !input.ToFloat(vertices.Items()[at + 1], vertexWhere + ", bind x", numbers[0]) ||
                !input.ToFloat(vertices.Items()[at + 2], vertexWhere + ", bind y", numbers[1]) ||
                !input.ToFloat(vertices.Items()[at + 3], vertexWhere + ", weight", numbers[2]))
            {
                return false;
            }
            mesh.bones.push_back(static_cast<int>(bone));
            mesh.vertices.insert(mesh.vertices.end(), numbers, numbers + 3);
        }
    }
    if (cursor != size)
    {
        return input.Fail(where, "the weight list holds " + std::to_string(size - cursor) + " numbers more than its " +
                                     std::to_string(vertexCount) + " vertices use");
    }
    return true;
}

bool SkeletonReader::ResolveLinkedMeshes()
{
    for (LinkedMesh& linked : linkedMeshes)
    {
        const auto parentSkin = skinsByName.find(linked.parentSkin);
        const Attachment* parent = parentSkin == skinsByName.end()
                                       ? nullptr
                                       : parentSkin->second->GetAttachment(linked.slotIndex, linked.parent);
        if (!parent || parent->type != AttachmentType::Mesh)
        {
            return input.Fail(linked.where, "its parent mesh " + Quoted(linked.parent) + " is not in skin " +
                                                Quoted(linked.parentSkin));
        }
        const auto& source = static_cast<const MeshAttachment&>(*parent);
        MeshAttachment& mesh = *linked.mesh;
        mesh.bones = source.bones;
        mesh.vertices = source.vertices;
        mesh.worldVerticesLength = source.worldVerticesLength;
        mesh.regionUVs = source.regionUVs;
        mesh.triangles = source.triangles;
        mesh.hullLength = source.hullLength;
        if (!FindRegion(mesh, linked.where))
        {
            return false;
        }
        mesh.UpdateUVs();
        linked.skin->SetAttachment(linked.slotIndex, linked.key, std::move(linked.mesh));
    }
    return true;
}

} // namespace kesto::spine::detail
