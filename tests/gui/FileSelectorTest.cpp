// The file selector over a scratch folder tree, driven by clicks and keys.
#include "gui/FileSelector.hpp"
#include "gui/ModalDriver.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

class FileSelectorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        fs::create_directories(temp.root() / "b_dir");
        fs::create_directories(temp.root() / "a_dir" / "sub");
        fs::create_directories(temp.root() / ".hidden");
        for (const char* file : {"c.png", "d.txt", "B.PNG", "a_dir/x.png", "a_dir/y.bmp"})
            test::writeFile(temp.root() / file, "x");
    }

    // The middle of a line of a list (its top line at 0).
    static sf::Vector2f lineOf(const kv::ListBox& list, int index)
    {
        return list.getPosition() + sf::Vector2f(30.f, (static_cast<float>(index) + 0.5f) * kv::ListBox::lineHeight());
    }
    static sf::Vector2f inside(const kv::Button& button) { return button.getPosition() + sf::Vector2f(5.f, 5.f); }

    test::TempFolder temp;
    test::FakeWindowScope fake;
};

TEST_F(FileSelectorTest, FilterLabelNamesEveryExtensionWithItsDot)
{
    kv::FileSelector selector;
    selector.create();
    EXPECT_EQ(selector.filterLabel.getText(), "Showing all files");
    selector.addExtension("png");
    selector.addExtension(".bmp");
    EXPECT_EQ(selector.filterLabel.getText(), "Showing: *.png *.bmp");
    EXPECT_EQ(kv::splitExtensions("png; bmp,jpg"), (Entries{"png", "bmp", "jpg"}));
}

TEST_F(FileSelectorTest, BrowsesFoldersFirstGoesUpAndRefusesAnEmptyName)
{
    const std::string root = temp.root().string();
    kv::FileSelector selector;
    selector.create();
    selector.setTitle("Load Tileset");
    selector.setPath(root + "/start.png");
    selector.addExtension("png");
    EXPECT_EQ(selector.folder(), root);
    EXPECT_EQ(selector.fileNameBox.text, "start.png");

    std::vector<Entries> seen;
    std::vector<std::string> folders;
    auto look = [&](test::FakeWindow&) {
        seen.push_back(selector.listEntries());
        folders.push_back(selector.folder());
    };
    test::ModalDriver driver(fake.window);
    driver.then(look)
        .then([](test::FakeWindow& w) {
            for (int i = 0; i < 9; ++i)
                w.pressKey(sf::Keyboard::BackSpace);
        })
        .press(sf::Keyboard::Return)   // refused: the box is empty
        .press(sf::Keyboard::Return)   // closes the message
        .click(lineOf(selector.entryList, 0))
        .click(lineOf(selector.entryList, 0))
        .then(look)
        .click(inside(selector.upButton))
        .then(look)
        .click(lineOf(selector.entryList, 3))
        .press(sf::Keyboard::Return);
    ASSERT_TRUE(selector.run());
    EXPECT_FALSE(driver.gaveUp);

    ASSERT_EQ(seen.size(), 3u);
    // Folders first, then the files the filter lets through, whatever the
    // letter case of their extension; hidden entries stay out.
    EXPECT_EQ(seen[0], (Entries{"a_dir/", "b_dir/", "B.PNG", "c.png"}));
    EXPECT_EQ(folders[1], root + "/a_dir");
    EXPECT_EQ(seen[1], (Entries{"sub/", "x.png"}));
    EXPECT_EQ(folders[2], root);
    EXPECT_EQ(driver.screens,
              (Entries{"Load Tileset", "Message: Select or enter a filename first", "Load Tileset"}));
    EXPECT_EQ(selector.getPath(), root + "/c.png");
}

TEST_F(FileSelectorTest, RootsListStartsAtTheFileSystemRootWhichHasNoParent)
{
    kv::FileSelector selector;
    selector.create();
    selector.setPath(temp.root().string() + "/");
    ASSERT_FALSE(selector.driveList.items.empty());
    EXPECT_EQ(selector.driveList.items[0].text, "/");

    std::vector<std::string> folders;
    test::ModalDriver driver(fake.window);
    driver.click(lineOf(selector.driveList, 0))
        .click(lineOf(selector.driveList, 0))
        .then([&](test::FakeWindow&) { folders.push_back(selector.folder()); })
        .click(inside(selector.upButton))
        .then([&](test::FakeWindow&) { folders.push_back(selector.folder()); })
        .press(sf::Keyboard::Escape);
    EXPECT_FALSE(selector.run());
    EXPECT_EQ(folders, (Entries{"/", "/"}));
}

TEST_F(FileSelectorTest, SaveWrapperAddsTheFirstExtensionAndCancelGivesNothing)
{
    const std::string root = temp.root().string();
    {
        test::ModalDriver driver(fake.window);
        driver.type("level3").press(sf::Keyboard::Return);
        EXPECT_EQ(kv::selectFileToSave("Save Map As", root, "map;til"), root + "/level3.map");
        EXPECT_EQ(driver.screens.front(), "Save Map As");
    }
    {
        test::ModalDriver driver(fake.window);
        driver.type("notes.txt").press(sf::Keyboard::Return);
        EXPECT_EQ(kv::selectFileToSave("Save", root + "/", "map"), root + "/notes.txt");
    }
    {
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Escape);
        EXPECT_EQ(kv::selectFileToOpen("Load Map", root, "map"), std::nullopt);
    }
}

} // namespace
