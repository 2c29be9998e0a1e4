#pragma once

#include "ecs/JsonReader.h"
#include "ecs/JsonWriter.h"
#include "particles/ValueCheck.h"

#include <memory>

namespace kesto
{

// Supplies the slots of an emission's mode, shape or effect that come from its field description (see
// ecs/Fields.h): Derived declares `static const FieldTable<Derived>& Fields();` and `void Check(const ValueCheck&)`,
// which mends what a read left out of range, and overrides a slot only for its own quirks.
template <typename Derived, typename Base> class DescribedPart : public Base
{
public:
    std::unique_ptr<Base> Clone() const override { return std::make_unique<Derived>(Self()); }
    void Write(JsonWriter& writer) const override { Derived::Fields().Write(Self(), writer); }
    void Read(const JsonReader& reader, SystemRegistry* registry) override
    {
        Derived::Fields().Read(Self(), reader, registry);
        Self().Check(ValueCheck(registry, reader.SourceName()));
    }
    bool Inspect(SystemRegistry* registry) override { return Derived::Fields().Inspect(Self(), registry); }

private:
    Derived& Self() { return static_cast<Derived&>(*this); }
    const Derived& Self() const { return static_cast<const Derived&>(*this); }
};

} // namespace kesto
