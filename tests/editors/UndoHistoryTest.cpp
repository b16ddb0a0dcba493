// Undo and redo over whole snapshots, as the editors use them.
#include "editors/UndoHistory.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using History = Editors::UndoHistory<std::string>;

// An editor in miniature: its work is a string and every edit one step.
struct Work {
    std::string text;
    History history;

    void edit(const std::string& to)
    {
        const std::string before = text;
        text = to;
        history.record(before, text);
    }
    bool undo()
    {
        auto back = history.undo(text);
        if (back)
            text = *back;
        return back.has_value();
    }
    bool redo()
    {
        auto again = history.redo(text);
        if (again)
            text = *again;
        return again.has_value();
    }
};

TEST(UndoHistory, UndoAndRedoWalkTheStepsBothWays)
{
    Work w;
    EXPECT_FALSE(w.undo());
    EXPECT_FALSE(w.redo());
    w.edit("a");
    w.edit("ab");
    w.edit("abc");
    ASSERT_TRUE(w.undo());
    EXPECT_EQ(w.text, "ab");
    ASSERT_TRUE(w.undo());
    EXPECT_EQ(w.text, "a");
    ASSERT_TRUE(w.redo());
    EXPECT_EQ(w.text, "ab");
    ASSERT_TRUE(w.redo());
    EXPECT_EQ(w.text, "abc");
    EXPECT_FALSE(w.redo());
    EXPECT_EQ(w.text, "abc");
    while (w.undo()) {
    }
    EXPECT_EQ(w.text, "");
    EXPECT_EQ(w.history.redoCount(), 3u);
}

TEST(UndoHistory, ANewEditDropsTheUndoneStepsAndANoChangeIsNoStep)
{
    Work w;
    w.edit("a");
    w.edit("ab");
    ASSERT_TRUE(w.undo());
    ASSERT_TRUE(w.history.canRedo());
    w.edit("ax");
    EXPECT_FALSE(w.history.canRedo());
    EXPECT_FALSE(w.redo());
    EXPECT_EQ(w.text, "ax");

    EXPECT_FALSE(w.history.record("ax", "ax"));
    EXPECT_EQ(w.history.undoCount(), 2u);
    ASSERT_TRUE(w.undo());
    EXPECT_EQ(w.text, "a") << "the unchanged edit took no step";
}

TEST(UndoHistory, KeepsTheNewestStepsUpToItsLimitAndClears)
{
    Work w;
    for (int i = 1; i <= 150; ++i)
        w.edit(std::to_string(i));
    EXPECT_EQ(w.history.undoCount(), History::defaultLimit);
    int undone = 0;
    while (w.undo())
        ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(w.text, "50") << "the oldest steps went first";

    History small(3);
    for (char c : std::string("abcde"))
        small.record(std::string(1, c), std::string(1, c) + "!");
    EXPECT_EQ(small.undoCount(), 3u);
    EXPECT_EQ(*small.undo("now"), "e");
    EXPECT_EQ(*small.redo("e"), "now");
    ASSERT_TRUE(small.undo("now"));
    small.clear();
    EXPECT_FALSE(small.canUndo());
    EXPECT_FALSE(small.canRedo());
}

} // namespace
