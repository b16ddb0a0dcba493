// Where the file selector starts for a folder of the game's data when that
// data lives in a read-only data folder apart from the player's.
#include "gui/FileSelector.hpp"
#include "gui/ModalDriver.hpp"
#include "platform/Roots.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {

namespace fs = std::filesystem;

class FileSelectorStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        test::writeFile(data.root() / "base/maps/level01.map", "map");
        test::writeFile(data.root() / "base/tiles/kelvane.til", "til");
        cwd.emplace(user.root());
        platform::useFallbackDataFolder(data.root());
    }
    void TearDown() override { platform::useFallbackDataFolder({}); }

    std::optional<std::string> choose(bool saving, const std::string& folder, const std::string& name)
    {
        test::ModalDriver driver(fake.window);
        driver.type(name).press(sf::Keyboard::Return);
        return saving ? kv::selectFileToSave("Save", folder, "map") : kv::selectFileToOpen("Load", folder, "map");
    }

    test::TempFolder user, data;
    std::optional<test::ScopedWorkingDirectory> cwd;
    test::FakeWindowScope fake;
};

TEST_F(FileSelectorStart, OpeningStartsInThePlayersCopyWhenThereIsOneAndSavingMakesIt)
{
    EXPECT_EQ(choose(false, "base\\tiles", "kelvane.til"), (data.root() / "base/tiles/kelvane.til").string());
    EXPECT_FALSE(fs::exists(user.root() / "base"));

    EXPECT_EQ(choose(true, "BASE\\MAPS\\", "mine"), (user.root() / "base/maps/mine.map").string());
    EXPECT_TRUE(fs::is_directory(user.root() / "base/maps"));
    EXPECT_EQ(choose(false, "base\\maps", "level01.map"), (user.root() / "base/maps/level01.map").string());

    // A folder that is nowhere is not made for saving either.
    EXPECT_EQ(choose(true, "mymod\\maps", "x"), (user.root() / "mymod/maps/x.map").string());
    EXPECT_FALSE(fs::exists(user.root() / "mymod"));
}

} // namespace
