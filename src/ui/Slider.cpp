#include "ui/Slider.h"

namespace kesto
{

const FieldTable<Slider>& Slider::Fields()
{
    // Sliders never compare equal.
    static const FieldTable<Slider> fields(
        {
            Field<&Slider::min>("min_value"),
            Field<&Slider::current>("current_value"),
            Field<&Slider::max>("max_value"),
            Field<&Slider::type>("slider_type").Label("Slider value based on").Texts(sliderTypeTexts),
        },
        Equality::Never);
    return fields;
}

} // namespace kesto
