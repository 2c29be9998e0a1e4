#include "gameplay/Rotator.h"

namespace kesto
{

const FieldTable<Rotator>& Rotator::Fields()
{
    static const FieldTable<Rotator> fields{
        Field<&Rotator::speed>("speed").Label("Speed").Drag(0.1f),
        Field<&Rotator::ccw>("ccw").Label("Counter-clockwise?"),
    };
    return fields;
}

} // namespace kesto
