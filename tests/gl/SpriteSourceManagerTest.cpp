#include "graphics/SpriteSourceManager.h"

#include "engine/Trace.h"
#include "gl/GlWorld.h"

#include <gtest/gtest.h>
#include <optional>
#include <thread>

namespace kesto
{
namespace
{

class SpriteSourceManagerTest : public test::GlTest
{
protected:
    // A manager of its own, beside the world's, reading the given folder.
    void Start(const std::string& folder)
    {
        manager.registry = &registry;
        manager.folder = folder;
        manager.splashClock = [this]() -> std::optional<float> { return splashTime; };
        manager.Init();
    }

    void WaitForDecoding()
    {
        // The worker needs no frames; decoding ends on its own.
        while (manager.DecodedCount() < manager.PendingCount())
        {
            std::this_thread::yield();
        }
    }

    SpriteSourceManager manager;
    float splashTime = 0.0f;
};

TEST_F(SpriteSourceManagerTest, ArtTableKeepsTheFirstOfEachNameInNameOrder)
{
    Start("tests/data/graphics/");
    EXPECT_EQ(manager.Names(),
              (std::vector<std::string>{"Broken", "Glow", "Green", "Red", "Sheet", "TestLogo", "White"}));
    const SpriteSource& red = *manager.Find("Red");
    EXPECT_EQ(red.path, "tests/data/graphics/Red.png");
    EXPECT_EQ(manager.Find("Sheet")->columns, 4);
    EXPECT_EQ(manager.Find("Sheet")->rows, 2);
    EXPECT_TRUE(manager.Find("Glow")->IsAdditive());
    EXPECT_EQ(manager.Find("Nowhere"), nullptr);
    EXPECT_NE(trace.Text().find("tests/data/graphics/Art.json: a SpriteSource entry has no \"name\""),
              std::string::npos);
}

TEST_F(SpriteSourceManagerTest, SplashImagesAreReadyAtOnceTheOthersLater)
{
    Start("tests/data/graphics/");
    EXPECT_TRUE(manager.Find("TestLogo")->HasTexture());
    EXPECT_EQ(manager.Find("TestLogo")->texture->width, 8);
    EXPECT_FALSE(manager.Find("Red")->texture);
    EXPECT_EQ(manager.PendingCount(), 6u);
}

TEST_F(SpriteSourceManagerTest, UploadsWaitDuringTheFirstSplashSecondAndTheFifth)
{
    Start("tests/data/graphics/");
    WaitForDecoding();
    splashTime = 0.5f;
    for (int i = 0; i < 5; ++i)
    {
        manager.Update(0.016f);
    }
    EXPECT_EQ(manager.UploadCount(), 0u);
    splashTime = 2.0f;
    manager.Update(0.016f);
    EXPECT_EQ(manager.UploadCount(), 1u);
    manager.Update(0.016f);
    EXPECT_EQ(manager.UploadCount(), 2u);
    splashTime = 4.5f;
    manager.Update(0.016f);
    EXPECT_EQ(manager.UploadCount(), 2u);
    // Exactly 4 and 5 are outside the pause.
    splashTime = 5.0f;
    manager.Update(0.016f);
    EXPECT_EQ(manager.UploadCount(), 3u);
}

TEST_F(SpriteSourceManagerTest, OneTexturePerFrameUntilAllAreLoaded)
{
    Start("tests/data/graphics/");
    WaitForDecoding();
    splashTime = 2.0f;
    // The splash sequence keeps its pace whatever the budget.
    manager.uploadBudget = 1e9;
    for (std::size_t frame = 1; frame <= manager.PendingCount(); ++frame)
    {
        EXPECT_FALSE(manager.allLoaded);
        manager.Update(0.016f);
        EXPECT_EQ(manager.UploadCount(), frame);
    }
    EXPECT_TRUE(manager.allLoaded);
    EXPECT_TRUE(manager.Find("Sheet")->HasTexture());
    EXPECT_EQ(manager.Find("Sheet")->texture->width, 32);
    EXPECT_EQ(manager.Find("Sheet")->texture->height, 16);
}

TEST_F(SpriteSourceManagerTest, WithoutASplashSequenceUploadsAreNeverHeldAndFillTheFrameBudget)
{
    Start("tests/data/graphics/");
    manager.splashClock = [] { return std::optional<float>(); };
    WaitForDecoding();
    // A spent budget still uploads one texture a frame.
    manager.uploadBudget = 0.0;
    manager.Update(0.016f);
    EXPECT_EQ(manager.UploadCount(), 1u);
    manager.Update(0.016f);
    EXPECT_EQ(manager.UploadCount(), 2u);
    // A budget that lasts uploads everything decoded in one frame, so a level shows whole.
    manager.uploadBudget = 1e9;
    manager.Update(0.016f);
    EXPECT_EQ(manager.UploadCount(), manager.PendingCount());
    EXPECT_TRUE(manager.allLoaded);
}

TEST_F(SpriteSourceManagerTest, ImagesWiderOrTallerThanATextureMayBeAreRefusedFromTheirHeader)
{
    const std::size_t before = trace.Text().size();
    Start("tests/data/graphics/huge/");
    EXPECT_LE(manager.maxTextureSide, 8192);
    // The splash image loads at once and is refused at once.
    EXPECT_FALSE(manager.Find("loading")->HasTexture());
    WaitForDecoding();
    manager.splashClock = [] { return std::optional<float>(); };
    manager.uploadBudget = 1e9;
    manager.Update(0.016f);
    ASSERT_TRUE(manager.allLoaded);
    EXPECT_FALSE(manager.Find("Huge")->HasTexture());
    EXPECT_FALSE(manager.Find("Wide")->HasTexture());
    EXPECT_TRUE(manager.Find("Red")->HasTexture());
    const std::string text = trace.Text().substr(before);
    // One line per file, naming it; the 45-byte files hold no pixels, so a decode attempt would say so instead.
    const std::string huge = "DATA: tests/data/graphics/huge/Huge.png: the image is not loaded: 16384 x 16384 pixels";
    const std::string wide = "DATA: tests/data/graphics/huge/Wide.png: the image is not loaded: 8193 x 4 pixels";
    const std::size_t first = text.find(huge);
    ASSERT_NE(first, std::string::npos) << text;
    // Huge.png is named twice in the table ("Huge" and the splash "loading"): one line for each.
    EXPECT_NE(text.find(huge, first + 1), std::string::npos) << text;
    EXPECT_EQ(text.find(huge, text.find(huge, first + 1) + 1), std::string::npos) << text;
    const std::size_t wideAt = text.find(wide);
    ASSERT_NE(wideAt, std::string::npos) << text;
    EXPECT_EQ(text.find(wide, wideAt + 1), std::string::npos) << text;
    EXPECT_EQ(text.find("cannot decode"), std::string::npos) << text;
}

TEST_F(SpriteSourceManagerTest, UndecodableImageIsReportedWithItsPathAndNotDrawn)
{
    Start("tests/data/graphics/");
    WaitForDecoding();
    splashTime = 2.0f;
    while (!manager.allLoaded)
    {
        manager.Update(0.016f);
    }
    const SpriteSource& broken = *manager.Find("Broken");
    ASSERT_TRUE(broken.texture);
    EXPECT_FALSE(broken.HasTexture());
    EXPECT_NE(trace.Text().find("DATA: tests/data/graphics/Broken.png: cannot decode the image"), std::string::npos)
        << trace.Text();
}

TEST_F(SpriteSourceManagerTest, OnlySplashImagesMeansLoadedAtTheFirstUpdate)
{
    Start("tests/data/graphics/splash/");
    EXPECT_EQ(manager.PendingCount(), 0u);
    EXPECT_FALSE(manager.allLoaded);
    manager.Update(0.016f);
    EXPECT_TRUE(manager.allLoaded);
    EXPECT_TRUE(manager.Find("loading")->HasTexture());
}

TEST_F(SpriteSourceManagerTest, DestroyedWhileDecodingStopsTheWorker)
{
    SpriteSourceManager early;
    early.registry = &registry;
    early.folder = "tests/data/graphics/";
    early.Init();
    EXPECT_FALSE(early.allLoaded);
}

} // namespace
} // namespace kesto
