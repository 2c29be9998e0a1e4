#include "game/AssetSearch.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

namespace fs = std::filesystem;

// Makes `folder` hold the game's content as far as the search can tell.
void PutContent(const fs::path& folder)
{
    fs::create_directories(folder / "Data" / "Levels");
    std::ofstream(folder / "Data" / "Levels" / "default.txt") << "ArcwellLogo\n";
}

TEST(AssetSearch, LooksBesideTheExecutableThenInThePrefixThenInTheWorkingFolder)
{
    const fs::path root = fs::path(testing::TempDir()) / "kesto-asset-search";
    fs::remove_all(root);
    const fs::path bin = root / "prefix" / "bin";
    const fs::path work = root / "work";
    fs::create_directories(bin);
    fs::create_directories(work);
    const std::vector<fs::path> places = {bin / "Assets", root / "prefix" / "share" / "kesto" / "Assets",
                                          work / "Assets"};

    AssetSearch search = SearchAssets(bin, work);
    EXPECT_EQ(search.searched, places);
    EXPECT_TRUE(search.found.empty());

    // A folder without the level list is not the content; the working folder's is.
    fs::create_directories(places[0]);
    PutContent(places[2]);
    EXPECT_EQ(SearchAssets(bin, work).found, places[2]);
    // An installation's share/kesto/ comes before the working folder, the executable's own folder before both.
    PutContent(places[1]);
    EXPECT_EQ(SearchAssets(bin, work).found, places[1]);
    PutContent(places[0]);
    EXPECT_EQ(SearchAssets(bin, work).found, places[0]);

    // Without an executable's folder only the working folder is searched.
    search = SearchAssets({}, work);
    EXPECT_EQ(search.searched, std::vector<fs::path>{places[2]});
    EXPECT_EQ(search.found, places[2]);
    fs::remove_all(root);
}

} // namespace
} // namespace kesto
