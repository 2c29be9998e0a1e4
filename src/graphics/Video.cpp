#include "graphics/Video.h"

#include <imgui.h>

namespace kesto
{

const FieldTable<Video>& Video::Fields()
{
    static const FieldTable<Video> fields{Field<&Video::path>("path").Label("Path")};
    return fields;
}

bool Video::Inspect(SystemRegistry* registry)
{
    bool changed = Fields().Inspect(*this, registry);
    if (ImGui::Button("Load"))
    {
        framesDecoded = 0;
        time = 0.0f;
        finished = false;
        startPending = true;
        changed = true;
    }
    return changed;
}

} // namespace kesto
