// Text files that need no making: content/base/ is copied into the data
// folder as it stands (game.ini, help.txt, the level legend).

#include "Content.hpp"

#include <algorithm>
#include <vector>

namespace {

void copyFiles(const content::Context& context)
{
    const content::fs::path root = context.source("base");
    std::vector<content::fs::path> files;
    for (const auto& entry : content::fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const content::fs::path& file : files)
        content::writeFile(context.output(content::fs::relative(file, root).string()),
                           content::readTextFile(file));
}

const bool registered = content::registerPart({"files", copyFiles});

} // namespace
