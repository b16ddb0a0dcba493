#pragma once
// Golden files: what a test made, compared with a copy kept beside the test.
// When a change is meant, run the tests once with KELVANE_UPDATE_GOLDEN=1 set
// to write the new copies, look at them, and commit them with the change.

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace test {

bool updatingGolden();

// Where the stored copies of a part's tests live, in the source tree.  Not
// taken from __FILE__: a compiler cache may hand that over relative to the
// build folder, and these tests run in folders of their own.
std::filesystem::path goldenFolder(const std::string& part);

// The bytes made against the stored file; on update, stores them.
testing::AssertionResult matchesGoldenFile(const std::string& made, const std::filesystem::path& golden);

// A picture against a stored PNG.  Pixels may differ by a few levels per
// channel (the renderer's rounding); anything more fails, and the picture
// made and a map of the differences are left in the temporary folder.
testing::AssertionResult matchesGoldenPicture(const sf::Image& made, const std::filesystem::path& golden);

} // namespace test
