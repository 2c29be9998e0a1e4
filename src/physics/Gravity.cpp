#include "physics/Gravity.h"

#include <imgui.h>

namespace kesto
{

const FieldTable<Gravity>& Gravity::Fields()
{
    // The scale is run-time state: neither saved nor compared.
    static const FieldTable<Gravity> fields{Field<&Gravity::amount>("amount")};
    return fields;
}

bool Gravity::Inspect(SystemRegistry*)
{
    float shown = amount * scale;
    if (!ImGui::DragFloat("Gravity", &shown, 0.1f))
    {
        return false;
    }
    amount = shown;
    return true;
}

} // namespace kesto
