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
    std::string line = FormatLine(system, subject, what);
    if (echo)
    {
        *echo << line << std::endl;
    }
    recent.Push(std::move(line));
    ++reportCount;
}

std::string Trace::Text() const
{
    std::string text;
    for (const std::string& line : recent)
    {
        text.append(line).push_back('\n');
    }
    return text;
}

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
