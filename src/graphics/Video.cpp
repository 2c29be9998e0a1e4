#include "graphics/Video.h"

#include "ecs/JsonReader.h"
#include "engine/AssetPath.h"
#include "engine/Trace.h"

#include <fstream>
#include <imgui.h>

namespace kesto
{

Video::Video(const Video& other)
    : path(other.path), framesDecoded(other.framesDecoded), fps(other.fps), time(other.time), finished(other.finished),
      startPending(other.startPending), openFailed(other.openFailed), assetRoot(other.assetRoot),
      registry(other.registry)
{
    if (other.IsOpen())
    {
        Open();
    }
}

const FieldTable<Video>& Video::Fields()
{
    static const FieldTable<Video> fields{Field<&Video::path>("path").Label("Path")};
    return fields;
}

void Video::Read(JsonReader& reader, SystemRegistry* readRegistry)
{
    if (readRegistry)
    {
        registry = readRegistry;
    }
    std::string readPath;
    if (!reader.TryReadString("path", readPath))
    {
        return;
    }
    // A level's override often repeats its archetype's path; opening again would change nothing, or report the
    // same failure twice.
    const bool unplayed = IsOpen() && startPending && framesDecoded == 0;
    if (readPath == path && (unplayed || openFailed))
    {
        return;
    }
    path = readPath;
    Open();
}

bool Video::Inspect(SystemRegistry* inspectRegistry)
{
    bool changed = Fields().Inspect(*this, inspectRegistry);
    if (ImGui::Button("Load"))
    {
        Open();
        changed = true;
    }
    return changed;
}

std::string Video::File() const
{
    if (path.empty())
    {
        return {};
    }
    return AssetPath(UnderAssetRoot(assetRoot, path)).generic_string();
}

void Video::Open()
{
    const std::string file = File();
    if (file.empty())
    {
        return;
    }
    if (!std::ifstream(file, std::ios::binary).is_open())
    {
        Report("cannot open the file; nothing is shown for it");
        openFailed = true;
        finished = finished || !IsOpen();
        return;
    }
    Close();
    time = 0.0f;
    framesDecoded = 0;
    finished = false;
    startPending = true;
    openFailed = !decoder.Open(file);
    if (openFailed)
    {
        Report(decoder.Error() + "; nothing is shown for it");
        Close();
        finished = true;
        startPending = false;
        return;
    }
    fps = decoder.Fps();
}

bool Video::Advance(float dt)
{
    if (!IsOpen() || finished)
    {
        return false;
    }
    time += dt;
    startPending = false;
    bool fresh = false;
    for (int decoded = 0; decoded < maxFramesPerUpdate && IsBehind(); ++decoded)
    {
        const VideoStep step = decoder.DecodeNext();
        if (step == VideoStep::Frame)
        {
            ++framesDecoded;
            fresh = true;
            continue;
        }
        finished = true;
        if (framesDecoded == 0)
        {
            Report((decoder.Error().empty() ? std::string("the file holds no picture") : decoder.Error()) +
                   "; nothing is shown for it");
            Close();
        }
        else if (!decoder.Error().empty())
        {
            Report(decoder.Error() + "; the last picture stays");
        }
        break;
    }
    return fresh;
}

void Video::Close()
{
    decoder = VideoDecoder();
    frameTexture = VideoFrameTexture();
}

void Video::Report(std::string_view what) const { TraceReport(registry, "VIDEO", File(), what); }

bool Video::IsBehind() const
{
    return static_cast<double>(time) * fps > static_cast<double>(framesDecoded) + frameTolerance;
}

} // namespace kesto
