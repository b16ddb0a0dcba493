#pragma once
// Runs kelvane-tool as the real program, in a test's folder and with no
// display in its environment, and collects what it says.

#include "support/TempFolder.hpp"

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#ifndef KV_KELVANE_TOOL
#error "KV_KELVANE_TOOL must name the kelvane-tool executable"
#endif

namespace test {

struct ToolResult {
    int status = -1;
    std::string out, err;
};

inline ToolResult runTool(const TempFolder& folder, const std::string& arguments)
{
    const std::string command = "cd '" + folder.root().string() + "' && env -u DISPLAY '" KV_KELVANE_TOOL "' " +
                                arguments + " >tool.out 2>tool.err";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(folder.root() / "tool.out"),
            readFile(folder.root() / "tool.err")};
}

} // namespace test
