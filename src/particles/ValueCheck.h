#pragma once

#include <string>
#include <string_view>

namespace kesto
{

class SystemRegistry;

// Keeps numbers read from particle data within what the simulation can use: a value outside its range (negative
// rates, lifetimes and sizes, or anything not finite) is clamped into it and reported on one Trace line naming the
// file. The registry may be null (reports then go to standard error).
class ValueCheck
{
public:
    ValueCheck(SystemRegistry* reportTo, std::string_view fileName) : registry(reportTo), source(fileName) {}

    // Largest magnitude of any number the particles use (world units, seconds, per second).
    static constexpr float limit = 1.0e6f;

    void Keep(float& value, float min, float max, std::string_view what) const;
    void Keep(int& value, int min, int max, std::string_view what) const;
    // Within [-limit, limit]: finite.
    void Finite(float& value, std::string_view what) const { Keep(value, -limit, limit, what); }

private:
    SystemRegistry* registry;
    std::string source;
};

} // namespace kesto
