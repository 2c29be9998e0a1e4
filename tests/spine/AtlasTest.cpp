#include "SpineTestSupport.h"

#include <filesystem>
#include <fstream>

namespace kesto::spine
{
namespace
{

class AtlasTest : public test::SpineFixture
{
};

TEST_F(AtlasTest, ReadsPagesAndRegions)
{
    // Windows line ends, a second page after a blank line, and header lines in any order.
    const std::string text = "\r\nfirst.png\r\nsize: 128,64\r\nformat: RGB888\r\nfilter: MipMapLinearLinear,Linear\r\n"
                             "repeat: x\r\nhead\r\n  rotate: true\r\n  xy: 10, 4\r\n  size: 30, 20\r\n"
                             "  orig: 32, 24\r\n  offset: 1, 2\r\n  index: 3\r\ntail\r\n  xy: 0,0\r\n  size: 8, 8\r\n"
                             "\r\nsecond.png\r\nrepeat: xy\r\nsize: 16,16\r\npma: true\r\neye\r\n  rotate: 90\r\n"
                             "  size: 4, 2\r\n  xy: 12, 10\r\n  split: 1, 1, 1, 1\r\n";
    const auto atlas = LoadAtlas(text);
    ASSERT_NE(atlas, nullptr);
    EXPECT_TRUE(reports.empty());
    ASSERT_EQ(atlas->Pages().size(), 2U);
    const AtlasPage& first = atlas->Pages()[0];
    EXPECT_EQ(first.name, "first.png");
    EXPECT_EQ(first.width, 128);
    EXPECT_EQ(first.height, 64);
    EXPECT_EQ(first.format, AtlasFormat::RGB888);
    EXPECT_EQ(first.minFilter, AtlasFilter::MipMapLinearLinear);
    EXPECT_EQ(first.magFilter, AtlasFilter::Linear);
    EXPECT_EQ(first.uWrap, AtlasWrap::Repeat);
    EXPECT_EQ(first.vWrap, AtlasWrap::ClampToEdge);
    EXPECT_EQ(atlas->Pages()[1].vWrap, AtlasWrap::Repeat);

    const AtlasRegion* head = atlas->FindRegion("head");
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->page, &first);
    EXPECT_TRUE(head->rotate);
    EXPECT_EQ(head->width, 30);
    EXPECT_EQ(head->originalHeight, 24);
    EXPECT_EQ(head->offsetY, 2);
    EXPECT_EQ(head->index, 3);
    // Rotated: it covers 20 x 30 pixels of the page.
    test::ExpectPoints({head->u, head->v, head->u2, head->v2}, {10.0f / 128, 4.0f / 64, 30.0f / 128, 34.0f / 64}, 1e-7f,
                       "head");
    const AtlasRegion* tail = atlas->FindRegion("tail");
    ASSERT_NE(tail, nullptr);
    EXPECT_FALSE(tail->rotate);
    EXPECT_EQ(tail->originalWidth, 8) << "orig defaults to size";
    EXPECT_EQ(tail->index, -1);
    const AtlasRegion* eye = atlas->FindRegion("eye");
    ASSERT_NE(eye, nullptr);
    EXPECT_EQ(eye->page, &atlas->Pages()[1]);
    EXPECT_TRUE(eye->rotate);
    test::ExpectPoints({eye->u, eye->v, eye->u2, eye->v2}, {0.75f, 0.625f, 0.875f, 0.875f}, 1e-7f, "eye");
    EXPECT_EQ(atlas->FindRegion("nose"), nullptr);
}

TEST_F(AtlasTest, CreatesAndDisposesPageTexturesThroughTheHost)
{
    std::vector<std::string> created;
    std::vector<std::string> disposed;
    int textures = 0;
    Host host;
    host.createTexture = [&](AtlasPage& page, const std::string& path)
    {
        created.push_back(path);
        if (page.name == "missing.png")
        {
            return false;
        }
        page.rendererObject = &textures;
        page.width = 256; // the host may report the real image size
        return true;
    };
    host.disposeTexture = [&](AtlasPage& page)
    {
        EXPECT_EQ(page.rendererObject, &textures);
        disposed.push_back(page.name);
    };
    const std::string twoPages = "a.png\nsize: 8,8\nr\n  xy: 0, 0\n  size: 8, 8\n\nb.png\nsize: 4,4\n";
    {
        const auto atlas = LoadAtlasFromText(twoPages, "Art/Spine/Lamp", "Lamp.atlas", host, Collector());
        ASSERT_NE(atlas, nullptr);
        EXPECT_EQ(atlas->Pages()[0].width, 256);
        EXPECT_FLOAT_EQ(atlas->FindRegion("r")->u2, 1.0f) << "UVs follow the size line";
        EXPECT_TRUE(disposed.empty());
    }
    const std::vector<std::string> paths = {(std::filesystem::path("Art/Spine/Lamp") / "a.png").string(),
                                            (std::filesystem::path("Art/Spine/Lamp") / "b.png").string()};
    EXPECT_EQ(created, paths);
    EXPECT_EQ(disposed, (std::vector<std::string>{"a.png", "b.png"}));

    created.clear();
    disposed.clear();
    const std::string secondMissing = "a.png\nsize: 8,8\n\nmissing.png\nsize: 4,4\n\nc.png\nsize: 4,4\n";
    EXPECT_EQ(LoadAtlasFromText(secondMissing, "", "Lamp.atlas", host, Collector()), nullptr);
    EXPECT_EQ(created, (std::vector<std::string>{"a.png", "missing.png"}));
    EXPECT_EQ(disposed, std::vector<std::string>{"a.png"}) << "what was created is released";
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_EQ(reports[0], "Lamp.atlas: line 4: page image \"missing.png\" cannot be loaded");
}

TEST_F(AtlasTest, LooksForPageImagesBesideTheAtlasFile)
{
    const auto folder = std::filesystem::temp_directory_path() / "kesto_spine_atlas_test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Lamp.atlas") << test::exampleAtlas;
    const std::string path = (folder / "Lamp.atlas").string();

    EXPECT_EQ(LoadAtlasFile(path, Host{}, Collector()), nullptr) << "no example.png yet";
    std::ofstream(folder / "example.png") << "pixels";
    EXPECT_NE(LoadAtlasFile(path, Host{}, Collector()), nullptr);
    EXPECT_EQ(LoadAtlasFile((folder / "Banner.atlas").string(), Host{}, Collector()), nullptr);
    std::filesystem::remove_all(folder);

    ASSERT_EQ(reports.size(), 2U);
    EXPECT_EQ(reports[0], path + ": line 2: page image \"" + (folder / "example.png").string() + "\" cannot be loaded");
    EXPECT_EQ(reports[1], (folder / "Banner.atlas").string() + ": cannot be read");
}

TEST_F(AtlasTest, RejectsMalformedAtlasesWithOneMessage)
{
    struct Case
    {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"", "test.atlas: has no pages"},
        {"\n\n  \n", "test.atlas: has no pages"},
        {"size: 4,4\n", "test.atlas: line 1: expected a page image name, found \"size: 4,4\""},
        {"p.png\nformat: RGBA8888\n", "test.atlas: line 1: page \"p.png\" has no \"size\""},
        {"p.png\nsize: 0,4\n", "test.atlas: line 2: page size must be positive"},
        {"p.png\nsize: 4\n", "test.atlas: line 2: \"size\" needs 2 numbers"},
        {"p.png\nsize: 4,four\n", "test.atlas: line 2: \"four\" is not a number of \"size\" within +-1048576"},
        {"p.png\nsize: 99999999999,4\n", "test.atlas: line 2: \"99999999999\" is not a number of \"size\""},
        {"p.png\nsize: 4,4\nfilter: Linear\n", "line 3: \"filter\" needs a minification and a magnification"},
        {"p.png\nsize: 4,4\nfilter: Linear,Blurry\n", "line 3: unknown filter \"Blurry\""},
        {"p.png\nsize: 4,4\nformat: RGB24\n", "line 3: unknown format \"RGB24\""},
        {"p.png\nsize: 4,4\nrepeat: z\n", "line 3: unknown repeat \"z\""},
        {"p.png\nsize: 4,4\nr\n  size: 2,2\n", "line 3: region \"r\" needs \"xy\" and \"size\""},
        {"p.png\nsize: 4,4\nr\n  rotate: maybe\n", "line 4: \"rotate\" must be true or false"},
        {"p.png\nsize: 4,4\nr\n  xy: -1, 0\n  size: 2,2\n", "line 4: \"xy\" must not be negative"},
        {"p.png\nsize: 4,4\nr\n  xy: 2, 0\n  size: 3,2\n", "line 3: region \"r\" lies outside its page of 4 x 4"},
        // Rotated, 3 x 1 stands 1 wide and 3 tall on the page.
        {"p.png\nsize: 4,4\nr\n  rotate: true\n  xy: 3, 0\n  size: 3,1\n", ""},
        {"p.png\nsize: 4,4\nr\n  rotate: true\n  xy: 3, 2\n  size: 3,1\n", "line 3: region \"r\" lies outside"},
        {"p.png\nsize: 4,4\nr\n  index: 1.5\n", "line 4: \"1.5\" is not a number of \"index\""},
    };
    for (const Case& c : cases)
    {
        reports.clear();
        const auto atlas = LoadAtlas(c.text);
        if (std::string_view(c.message).empty())
        {
            EXPECT_NE(atlas, nullptr) << c.text;
            EXPECT_TRUE(reports.empty()) << c.text;
            continue;
        }
        EXPECT_EQ(atlas, nullptr) << c.text;
        ASSERT_EQ(reports.size(), 1U) << c.text;
        EXPECT_NE(reports[0].find(c.message), std::string::npos) << reports[0];
    }
}

} // namespace
} // namespace kesto::spine
