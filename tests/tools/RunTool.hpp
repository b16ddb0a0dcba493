#pragma once
// Runs kelvane-tool (or another built program) as the real program, in a
// test's folder and with no display in its environment, and collects what it
// says.

#include "support/TempFolder.hpp"
#include "support/BuildPaths.hpp"

#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace test {

struct ToolResult {
    int status = -1;
    std::string out, err;
};

// Any command line, run by the shell in a folder with no display; what it
// says is kept in files in another folder, so the one it runs in sees only
// what the program itself writes.
inline ToolResult runCommand(const std::filesystem::path& folder, const std::string& commandLine,
                             const std::filesystem::path& outputs)
{
    const std::string out = (outputs / "command.out").string(), err = (outputs / "command.err").string();
    const std::string command = "cd '" + folder.string() + "' && env -u DISPLAY " + commandLine + " >'" + out +
                                "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(out), readFile(err)};
}

inline ToolResult runTool(const TempFolder& folder, const std::string& arguments)
{
    const std::string command = "cd '" + folder.root().string() + "' && env -u DISPLAY '" + test::built::kelvaneTool() + "' " +
                                arguments + " >tool.out 2>tool.err";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(folder.root() / "tool.out"),
            readFile(folder.root() / "tool.err")};
}

} // namespace test
