#include "graphics/Mipmaps.h"

#include <gtest/gtest.h>
#include <vector>

namespace kesto
{
namespace
{

TEST(Mipmaps, EachLevelHalvesAndAveragesDownToOneTexel)
{
    // 4 x 2 grey texels, one channel.
    const std::vector<unsigned char> texels = {0, 100, 200, 255, 10, 110, 210, 255};
    const std::vector<MipLevel> levels = BuildMipmaps(texels.data(), 4, 2, 1);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].width, 2);
    EXPECT_EQ(levels[0].height, 1);
    // (0 + 100 + 10 + 110) / 4 = 55; (200 + 255 + 210 + 255) / 4 = 230, rounded.
    EXPECT_EQ(levels[0].pixels, (std::vector<unsigned char>{55, 230}));
    EXPECT_EQ(levels[1].width, 1);
    EXPECT_EQ(levels[1].height, 1);
    // A side of 1 takes its one texel twice: (55 + 230 + 55 + 230) / 4.
    EXPECT_EQ(levels[1].pixels, (std::vector<unsigned char>{143}));
}

TEST(Mipmaps, OddSidesRoundDownAndChannelsStayApart)
{
    // 3 x 3 RGBA: the level below is 1 x 1 from the top left 2 x 2 texels.
    std::vector<unsigned char> texels(3 * 3 * 4, 0);
    for (int i = 0; i < 9; ++i)
    {
        texels[static_cast<std::size_t>(i) * 4] = static_cast<unsigned char>(i * 10);
        texels[static_cast<std::size_t>(i) * 4 + 3] = 255;
    }
    const std::vector<MipLevel> levels = BuildMipmaps(texels.data(), 3, 3, 4);
    ASSERT_EQ(levels.size(), 1u);
    // Red (0 + 10 + 30 + 40) / 4 = 20; alpha stays full.
    EXPECT_EQ(levels[0].pixels, (std::vector<unsigned char>{20, 0, 0, 255}));
    EXPECT_TRUE(BuildMipmaps(texels.data(), 1, 1, 4).empty());
    EXPECT_TRUE(BuildMipmaps(nullptr, 4, 4, 4).empty());
}

} // namespace
} // namespace kesto
