#pragma once

#include "engine/ISystem.h"
#include "engine/Ring.h"

#include <cstddef>
#include <iostream>
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

    // Lines kept in memory; older ones are only in the echo stream.
    static constexpr std::size_t keptLines = 512;

    // Writes "SYSTEM: subject: what" to the echo stream and keeps it among the recent lines.
    void Report(std::string_view system, std::string_view subject, std::string_view what);

    // The most recent reports (at most keptLines), oldest first, one line per report.
    std::string Text() const;
    // Every report of the run, including those no longer kept.
    std::size_t ReportCount() const { return reportCount; }

    std::ostream* echo = &std::cerr; // where lines are echoed as they come; may be null (tests)
    // Set by the data checker: JSON readers also report values of the wrong shape and keys nobody reads, which the
    // game skips without a word.
    bool checkingData = false;
    // Set by the data checker once every table and archetype is loaded: names read from data (levels, archetypes,
    // events, sprite sources...) that nothing defines are reported.
    bool checkingNames = false;

private:
    Ring<std::string> recent{keptLines};
    std::size_t reportCount = 0;
};

// Reports through the registry's Trace, or straight to standard error when there is no registry (tools, tests).
void TraceReport(const SystemRegistry* registry, std::string_view system, std::string_view subject,
                 std::string_view what);

} // namespace kesto
