#include "ui/SliderBar.h"

namespace kesto
{

void SliderBar::Write(JsonWriter& writer) const { WriteSliderType(writer, type); }

void SliderBar::Read(JsonReader& reader, SystemRegistry* registry) { ReadSliderType(reader, registry, type); }

} // namespace kesto
