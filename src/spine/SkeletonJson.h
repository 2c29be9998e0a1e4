#pragma once

#include "spine/Atlas.h"
#include "spine/SkeletonData.h"
#include "spine/SpineTypes.h"

#include <memory>
#include <string>
#include <string_view>

namespace kesto::spine
{

// Reads skeleton data in the Spine 3.8 JSON format, taking attachment regions from an atlas (which must outlive
// the data). Loaded: bones (every transform mode posed as "normal"), slots, skins with region, mesh and linked
// mesh attachments, and animations with bone, slot colour, attachment and draw order timelines. Read past:
// constraints, events, deform keys, and bounding box, point, path and clipping attachments.
//
// Any problem (bad JSON, nesting deeper than maxJsonDepth, a wrong type, a non-finite number, a missing or later
// parent bone, an unknown slot, bone or region, a triangle or weight list that does not fit the mesh...) gives
// null and one report saying what and where. A file that loads but has something posed differently from the
// editor (transform modes, a version other than 3.8) gives one report line of warnings.
class SkeletonJson
{
public:
    explicit SkeletonJson(const Atlas& source, ReportCallback reportTo = {});

    // name is how messages call the text.
    std::unique_ptr<SkeletonData> ReadSkeletonData(std::string_view text, std::string_view name) const;
    // Reads the file through the atlas's host.
    std::unique_ptr<SkeletonData> ReadSkeletonDataFile(const std::string& path) const;

    static constexpr int maxJsonDepth = 32;

private:
    const Atlas& atlas;
    ReportCallback report;
};

// Plain entry point for fuzzing and tests: ReadSkeletonData of a reader on that atlas.
std::unique_ptr<SkeletonData> ReadSkeletonJson(std::string_view text, const Atlas& atlas,
                                               const ReportCallback& report = {});

} // namespace kesto::spine
