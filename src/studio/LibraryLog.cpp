#include "studio/LibraryLog.h"

extern "C"
{
#include <libavutil/log.h>
}

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kesto::studio
{

struct LibraryLog::Route
{
    struct Line
    {
        std::string source;
        std::string message;
    };

    std::set<std::string> seenKinds; // source and format of every message started so far
    std::vector<Line> waiting;
    // FFmpeg may write one line in several calls; the line is open until a piece ends with a line break.
    Line open;
    bool lineOpen = false;
    bool keepOpen = false; // the open line is the first of its kind
};

namespace
{

// FFmpeg's callback carries no user pointer, so the live route is reached through these two.
std::mutex routeLock;
LibraryLog::Route* liveRoute = nullptr;

std::string SourceOf(void* context)
{
    if (context == nullptr)
    {
        return {};
    }
    // Every context FFmpeg logs with starts with a pointer to its AVClass.
    const AVClass* avClass = *static_cast<AVClass**>(context);
    if (avClass == nullptr || avClass->item_name == nullptr)
    {
        return {};
    }
    const char* name = avClass->item_name(context);
    return name ? name : "";
}

std::string Format(const char* format, va_list args)
{
    va_list counting;
    va_copy(counting, args);
    const int length = std::vsnprintf(nullptr, 0, format, counting);
    va_end(counting);
    if (length <= 0)
    {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// Longest message kept; FFmpeg's own lines are far shorter.
constexpr std::size_t longestMessage = 1024;

void OnFfmpegLog(void* context, int level, const char* format, va_list args)
{
    // Lower levels are the more severe ones.
    if (level > AV_LOG_WARNING || format == nullptr)
    {
        return;
    }
    std::lock_guard<std::mutex> lock(routeLock);
    LibraryLog::Route* route = liveRoute;
    if (route == nullptr)
    {
        return;
    }
    if (!route->lineOpen)
    {
        route->open = {SourceOf(context), {}};
        route->keepOpen = route->seenKinds.insert(route->open.source + '\n' + format).second;
        route->lineOpen = true;
    }
    const std::string piece = Format(format, args);
    if (route->keepOpen && route->open.message.size() < longestMessage)
    {
        route->open.message += piece.substr(0, longestMessage - route->open.message.size());
    }
    if (piece.empty() || piece.back() != '\n')
    {
        return;
    }
    route->lineOpen = false;
    std::string& message = route->open.message;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
    {
        message.pop_back();
    }
    if (route->keepOpen && !message.empty())
    {
        route->waiting.push_back(std::move(route->open));
    }
}

} // namespace

LibraryLog::LibraryLog(LibraryLogReceiver owner) : receiver(std::move(owner))
{
    std::lock_guard<std::mutex> lock(routeLock);
    if (liveRoute != nullptr)
    {
        return;
    }
    route = std::make_unique<Route>();
    liveRoute = route.get();
    av_log_set_callback(OnFfmpegLog);
}

LibraryLog::~LibraryLog()
{
    if (!route)
    {
        return;
    }
    av_log_set_callback(av_log_default_callback);
    std::lock_guard<std::mutex> lock(routeLock);
    liveRoute = nullptr;
}

bool LibraryLog::IsInstalled() const { return route != nullptr; }

void LibraryLog::Deliver()
{
    if (!route)
    {
        return;
    }
    std::vector<Route::Line> lines;
    {
        std::lock_guard<std::mutex> lock(routeLock);
        lines.swap(route->waiting);
    }
    if (!receiver)
    {
        return;
    }
    for (const Route::Line& line : lines)
    {
        receiver(line.source, line.message);
    }
}

} // namespace kesto::studio
