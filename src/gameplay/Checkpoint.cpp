#include "gameplay/Checkpoint.h"

namespace kesto
{

const FieldTable<Checkpoint>& Checkpoint::Fields()
{
    static const FieldTable<Checkpoint> fields{Field<&Checkpoint::activated>("activated")};
    return fields;
}

} // namespace kesto
