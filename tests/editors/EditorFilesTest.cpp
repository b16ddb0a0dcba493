// Where an editor's save goes: a new name at once, an existing file only
// after the overwrite question.
#include "editors/EditorFiles.hpp"
#include "gui/ModalDriver.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

namespace {

class EditorFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::loadEngineFonts()); }

    std::optional<std::string> save(const std::string& name, std::optional<sf::Keyboard::Key> answer)
    {
        test::ModalDriver driver(fake.window);
        driver.type(name).press(sf::Keyboard::Return);
        if (answer)
            driver.press(*answer);
        auto path = Editors::choosePathToSave("Save Map As", temp.root().string() + "/", "map");
        screens = driver.screens;
        return path;
    }

    test::TempFolder temp;
    test::FakeWindowScope fake;
    std::vector<std::string> screens;
};

TEST_F(EditorFilesTest, AnExistingFileIsOverwrittenOnlyAfterYes)
{
    const std::string root = temp.root().string();
    EXPECT_EQ(save("garden", std::nullopt), root + "/garden.map");
    EXPECT_EQ(screens, std::vector<std::string>{"Save Map As"}) << "a new name asks nothing more";

    test::writeFile(temp.root() / "garden.map", "x");
    EXPECT_EQ(save("garden", sf::Keyboard::Escape), std::nullopt);
    EXPECT_EQ(screens, (std::vector<std::string>{"Save Map As", "Confirm: Overwrite existing file?"}));
    EXPECT_EQ(save("garden.map", sf::Keyboard::Return), root + "/garden.map");
}

} // namespace

namespace {

TEST(EditorFolders, SelectorsStartInTheGamesOwnContentFolder)
{
    EXPECT_EQ(Editors::editorFolder("maps\\"), "base\\maps\\");
    EXPECT_EQ(Editors::editorFolder("/tmp/elsewhere/"), "/tmp/elsewhere/");
}

} // namespace
