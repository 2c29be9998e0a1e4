#include "studio/LibraryLog.h"

extern "C"
{
#include <libavutil/log.h>
#include <libavutil/version.h>
}

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace kesto::studio
{
namespace
{

// What FFmpeg passes as a logging context: anything that starts with a pointer to its class.
struct FakeCodecContext
{
    const AVClass* avClass;
};

const AVClass mp3Class = []
{
    AVClass described{};
    described.class_name = "mp3float";
    described.item_name = av_default_item_name;
    described.version = LIBAVUTIL_VERSION_INT;
    return described;
}();

class LibraryLogTest : public ::testing::Test
{
protected:
    std::vector<std::string> Delivered()
    {
        lines.clear();
        log.Deliver();
        return lines;
    }

    std::vector<std::string> lines;
    LibraryLog log{[this](std::string_view source, std::string_view message)
                   { lines.push_back(std::string(source) + ": " + std::string(message)); }};
    FakeCodecContext decoder{&mp3Class};
};

TEST_F(LibraryLogTest, WarningsAndWorseArriveOncePerKindOfMessage)
{
    ASSERT_TRUE(log.IsInstalled());
    for (int i = 0; i < 3; ++i)
    {
        av_log(&decoder, AV_LOG_WARNING, "Could not update timestamps for skipped samples.\n");
        av_log(&decoder, AV_LOG_ERROR, "Header missing at packet %d\n", i);
        av_log(&decoder, AV_LOG_INFO, "Estimating duration from bitrate\n");
        av_log(&decoder, AV_LOG_DEBUG, "skip %d samples\n", i);
        av_log(nullptr, AV_LOG_FATAL, "out of memory\n");
    }
    EXPECT_EQ(Delivered(), (std::vector<std::string>{"mp3float: Could not update timestamps for skipped samples.",
                                                     "mp3float: Header missing at packet 0", ": out of memory"}));
    av_log(&decoder, AV_LOG_ERROR, "Header missing at packet %d\n", 9);
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(LibraryLogTest, ALineWrittenInPiecesArrivesWhole)
{
    av_log(&decoder, AV_LOG_WARNING, "stream %d: ", 1);
    av_log(&decoder, AV_LOG_WARNING, "invalid %s\n", "frame size");
    EXPECT_EQ(Delivered(), std::vector<std::string>{"mp3float: stream 1: invalid frame size"});
}

TEST_F(LibraryLogTest, LinesFromFFmpegsThreadsWaitForDeliver)
{
    std::thread worker([this] { av_log(&decoder, AV_LOG_ERROR, "frame thread %d failed\n", 2); });
    worker.join();
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(Delivered(), std::vector<std::string>{"mp3float: frame thread 2 failed"});
}

TEST_F(LibraryLogTest, ASecondRouteWhileOneIsInstalledReceivesNothing)
{
    bool called = false;
    LibraryLog other([&called](std::string_view, std::string_view) { called = true; });
    EXPECT_FALSE(other.IsInstalled());
    av_log(&decoder, AV_LOG_WARNING, "only one owner\n");
    other.Deliver();
    EXPECT_FALSE(called);
    EXPECT_EQ(Delivered(), std::vector<std::string>{"mp3float: only one owner"});
}

TEST(LibraryLog, TheCallbackIsFreeForTheNextRouteOnceTheFirstIsGone)
{
    std::vector<std::string> second;
    {
        LibraryLog first([](std::string_view, std::string_view) {});
        ASSERT_TRUE(first.IsInstalled());
    }
    LibraryLog next([&second](std::string_view, std::string_view message) { second.emplace_back(message); });
    EXPECT_TRUE(next.IsInstalled());
    av_log(nullptr, AV_LOG_WARNING, "again\n");
    next.Deliver();
    EXPECT_EQ(second, std::vector<std::string>{"again"});
}

} // namespace
} // namespace kesto::studio
