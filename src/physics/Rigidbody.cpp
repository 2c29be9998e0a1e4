#include "physics/Rigidbody.h"

namespace kesto
{

const FieldTable<Rigidbody>& Rigidbody::Fields()
{
    static const FieldTable<Rigidbody> fields{};
    return fields;
}

} // namespace kesto
