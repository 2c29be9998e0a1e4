#include "ui/UI.h"

namespace kesto
{

const FieldTable<UI>& UI::Fields()
{
    static const FieldTable<UI> fields{
        Field<&UI::align>("align"),
        Field<&UI::overOverlay>("overOverlay").Label("Render Over Overlay"),
    };
    return fields;
}

} // namespace kesto
