#pragma once

#include "engine/ISystem.h"

#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

namespace kesto
{

// The engine's log sink: every reported failure becomes one line naming the system, the subject and the fault.
class Trace : public ISystem
{
public:
    void Init() override {}
    void Update(float) override {}

    // Writes "SYSTEM: subject: what" to the echo stream and keeps it in the run's log.
    void Report(std::string_view system, std::string_view subject, std::string_view what);

    // Everything reported so far this run, one line per report.
    std::string Text() const;

    std::ostream* echo = &std::cerr; // where lines are echoed as they come; may be null (tests)
private:
    std::stringstream log;
};

// Reports through the registry's Trace, or straight to standard error when there is no registry (tools, tests).
void TraceReport(const SystemRegistry* registry, std::string_view system, std::string_view subject,
                 std::string_view what);

} // namespace kesto
