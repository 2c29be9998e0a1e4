#include "input/ControllerSprite.h"

namespace kesto
{

const FieldTable<ControllerSprite>& ControllerSprite::Fields()
{
    static const FieldTable<ControllerSprite> fields{
        Field<&ControllerSprite::controllerSprite>("Sprite").Label("Sprite"),
        Field<&ControllerSprite::controllerSize>("Size").Label("Size").Drag(0.1f).Format("%.3f"),
    };
    return fields;
}

} // namespace kesto
