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

TEST_F(SpriteSourceManagerTest, WithoutASplashSequenceUploadsAreNeverHeld)
{
    Start("tests/data/graphics/");
    manager.splashClock = [] { return std::optional<float>(); };
    WaitForDecoding();
    manager.Update(0.016f);
    EXPECT_EQ(manager.UploadCount(), 1u);
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
