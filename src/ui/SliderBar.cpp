#include "ui/SliderBar.h"

namespace kesto
{

const FieldTable<SliderBar>& SliderBar::Fields()
{
    // Slider bars never compare equal.
    static const FieldTable<SliderBar> fields(
        {Field<&SliderBar::type>("slider_type").Label("Slider value based on").Texts(sliderTypeTexts)},
        Equality::Never);
    return fields;
}

} // namespace kesto
