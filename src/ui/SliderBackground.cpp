#include "ui/SliderBackground.h"

#include "graphics/SpriteSourceManager.h"

namespace kesto
{

const FieldTable<SliderBackground>& SliderBackground::Fields()
{
    // Slider backgrounds never compare equal.
    static const FieldTable<SliderBackground> fields(
        {
            Field<&SliderBackground::defaultSprite>("Default_Sprite"),
            Field<&SliderBackground::pressSprite>("onPress_Sprite").Label("onPress sprite").Names(SpriteSourceNames),
            Field<&SliderBackground::type>("slider_type").Label("Slider value based on").Texts(sliderTypeTexts),
        },
        Equality::Never);
    return fields;
}

} // namespace kesto
