#include "platform/Roots.hpp"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace platform {

namespace {

// Set by setUpRoots at start-up (tests set it with useFallbackDataFolder);
// never cleared, as the roots hold for the life of the process.
struct RootsState {
    fs::path fallbackData;
};
RootsState state;

bool holdsEngineData(const fs::path& folder)
{
    std::error_code ec;
    return !folder.empty() && fs::is_directory(folder / "zavi3", ec);
}

std::optional<std::string> environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

std::optional<std::string> homeFromPasswordDatabase()
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return std::nullopt;
    return std::string(found->pw_dir);
}

bool isAbsolute(const std::optional<std::string>& folder) { return folder && !folder->empty() && (*folder)[0] == '/'; }

// mkdir -p, but what it makes is private to the player, as the base
// directory rules ask of the folders they name.
bool makePrivateFolders(const fs::path& folder)
{
    std::error_code ec;
    if (fs::is_directory(folder, ec))
        return true;
    if (folder.has_relative_path() && folder.parent_path() != folder && !makePrivateFolders(folder.parent_path()))
        return false;
    if (::mkdir(folder.c_str(), 0700) != 0 && !fs::is_directory(folder, ec))
        return false;
    return true;
}

bool sameFolder(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    return a == b || fs::equivalent(a, b, ec);
}

} // namespace

RootPlan planRoots(const RootFacts& facts)
{
    RootPlan plan;
    const fs::path exeFolder = facts.executable.parent_path();
    if (holdsEngineData(facts.workingFolder) || facts.executable.empty()) {
        plan.dataFolder = plan.userFolder = facts.workingFolder;
        return plan;
    }
    if (holdsEngineData(exeFolder)) {
        plan.dataFolder = plan.userFolder = exeFolder;
        return plan;
    }
    const fs::path shared = (exeFolder / ".." / "share" / "kelvane").lexically_normal();
    if (!holdsEngineData(shared)) {
        plan.dataFolder = plan.userFolder = facts.workingFolder;
        return plan;
    }
    plan.layout = RootLayout::Installed;
    plan.dataFolder = shared;
    if (isAbsolute(facts.xdgDataHome))
        plan.userFolder = fs::path(*facts.xdgDataHome) / "kelvane";
    else if (isAbsolute(facts.home))
        plan.userFolder = fs::path(*facts.home) / ".local" / "share" / "kelvane";
    else
        plan.problem = "Kelvane needs a home folder for its settings and saved games: neither XDG_DATA_HOME nor "
                       "HOME names one.";
    plan.userFolder = plan.userFolder.lexically_normal();
    return plan;
}

RootFacts rootFactsOfThisProcess()
{
    RootFacts facts;
    std::error_code ec;
    facts.workingFolder = fs::current_path(ec);
    facts.executable = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        facts.executable.clear();
    facts.xdgDataHome = environment("XDG_DATA_HOME");
    facts.home = environment("HOME");
    if (!isAbsolute(facts.home))
        facts.home = homeFromPasswordDatabase();
    return facts;
}

std::string setUpRoots(WorkingFolder working)
{
    const RootFacts facts = rootFactsOfThisProcess();
    if (facts.workingFolder.empty())
        return "Kelvane cannot tell which folder it was started in.";
    const RootPlan plan = planRoots(facts);
    std::error_code ec;
    if (working == WorkingFolder::Keep) {
        useFallbackDataFolder(sameFolder(plan.dataFolder, facts.workingFolder) ? fs::path() : plan.dataFolder);
        return {};
    }
    if (!plan.problem.empty())
        return plan.problem;
    if (plan.layout == RootLayout::Installed && !makePrivateFolders(plan.userFolder))
        return "Unable to create the folder for settings and saved games, " + plan.userFolder.string();
    fs::current_path(plan.userFolder, ec);
    if (ec)
        return "Unable to work in " + plan.userFolder.string() + ": " + ec.message();
    useFallbackDataFolder(sameFolder(plan.dataFolder, plan.userFolder) ? fs::path() : plan.dataFolder);
    return {};
}

const fs::path& fallbackDataFolder() { return state.fallbackData; }

void useFallbackDataFolder(const fs::path& folder) { state.fallbackData = folder; }

} // namespace platform
