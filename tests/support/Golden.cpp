#include "support/Golden.hpp"
#include "support/BuildPaths.hpp"

#include "support/TempFolder.hpp"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace test {
namespace {

constexpr int channelTolerance = 6;

int channelDifference(sf::Color a, sf::Color b)
{
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b), std::abs(a.a - b.a)});
}

} // namespace

bool updatingGolden() { return std::getenv("KELVANE_UPDATE_GOLDEN") != nullptr; }

std::filesystem::path goldenFolder(const std::string& part)
{
    return std::filesystem::path(test::built::testsFolder()) / part / "golden";
}

testing::AssertionResult matchesGoldenFile(const std::string& made, const std::filesystem::path& golden)
{
    if (updatingGolden()) {
        writeFile(golden, made);
        return testing::AssertionSuccess() << "wrote " << golden;
    }
    if (!std::filesystem::exists(golden))
        return testing::AssertionFailure() << golden << " is missing";
    const std::string stored = readFile(golden);
    if (made == stored)
        return testing::AssertionSuccess();
    const auto at = std::mismatch(made.begin(), made.end(), stored.begin(), stored.end());
    return testing::AssertionFailure() << "differs from " << golden << " at byte " << (at.first - made.begin())
                                       << " (" << made.size() << " bytes made, " << stored.size()
                                       << " stored); if the change is meant, set KELVANE_UPDATE_GOLDEN=1 once";
}

testing::AssertionResult matchesGoldenPicture(const sf::Image& made, const std::filesystem::path& golden)
{
    if (updatingGolden()) {
        std::filesystem::create_directories(golden.parent_path());
        made.saveToFile(golden.string());
        return testing::AssertionSuccess() << "wrote " << golden;
    }
    sf::Image stored;
    if (!std::filesystem::exists(golden) || !stored.loadFromFile(golden.string()))
        return testing::AssertionFailure() << golden << " is missing";
    if (stored.getSize() != made.getSize())
        return testing::AssertionFailure() << "size " << made.getSize().x << "x" << made.getSize().y << " against "
                                           << stored.getSize().x << "x" << stored.getSize().y << " in " << golden;
    sf::Image differences;
    differences.create(made.getSize().x, made.getSize().y, sf::Color::Black);
    std::size_t count = 0;
    std::ostringstream first;
    for (unsigned y = 0; y < made.getSize().y; ++y)
        for (unsigned x = 0; x < made.getSize().x; ++x)
            if (channelDifference(made.getPixel(x, y), stored.getPixel(x, y)) > channelTolerance) {
                if (count++ == 0)
                    first << " (first at " << x << "," << y << ")";
                differences.setPixel(x, y, sf::Color::Red);
            }
    if (count == 0)
        return testing::AssertionSuccess();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kelvane-golden";
    std::filesystem::create_directories(folder);
    const std::string stem = golden.stem().string();
    made.saveToFile((folder / (stem + "-made.png")).string());
    differences.saveToFile((folder / (stem + "-differences.png")).string());
    return testing::AssertionFailure() << count << " pixels differ from " << golden << first.str() << "; see "
                                       << folder << "; if the change is meant, set KELVANE_UPDATE_GOLDEN=1 once";
}

} // namespace test
