#include "engine/Trace.h"

#include "engine/SystemRegistry.h"

#include <iostream>

namespace kesto
{

namespace
{

std::string FormatLine(std::string_view system, std::string_view subject, std::string_view what)
{
    std::string line;
    line.reserve(system.size() + subject.size() + what.size() + 4);
    line.append(system).append(": ");
    if (!subject.empty())
    {
        line.append(subject).append(": ");
    }
    line.append(what);
    return line;
}

} // namespace

void Trace::Report(std::string_view system, std::string_view subject, std::string_view what)
{
    const std::string line = FormatLine(system, subject, what);
    log << line << '\n';
    if (echo)
    {
        *echo << line << std::endl;
    }
}

std::string Trace::Text() const { return log.str(); }

void TraceReport(const SystemRegistry* registry, std::string_view system, std::string_view subject,
                 std::string_view what)
{
    if (registry)
    {
        registry->GetSystem<Trace>()->Report(system, subject, what);
        return;
    }
    std::cerr << FormatLine(system, subject, what) << std::endl;
}

} // namespace kesto
