// make_game_content: draws, composes and compiles the game's data folder
// ("base") from the sources in content/, at build time and without a
// display.
//
//   make_game_content CONTENT_DIR FONTS_DIR OUT_DIR [PART ...]
//
// With part names only those parts run (for working on one of them);
// otherwise every part runs, in name order.  Exit status 0 when every part
// made its files, 1 when one failed, 2 on wrong usage.

#include "Content.hpp"

#include <chrono>
#include <exception>
#include <iostream>
#include <set>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: make_game_content CONTENT_DIR FONTS_DIR OUT_DIR [PART ...]\nparts:";
        for (const content::Part& part : content::parts())
            std::cerr << ' ' << part.name;
        std::cerr << '\n';
        return 2;
    }
    const content::Context context{argv[1], argv[2], argv[3]};
    std::set<std::string> wanted(argv + 4, argv + argc);
    for (const std::string& name : wanted) {
        bool known = false;
        for (const content::Part& part : content::parts())
            known = known || part.name == name;
        if (!known) {
            std::cerr << "make_game_content: no part named " << name << '\n';
            return 2;
        }
    }
    try {
        content::fs::create_directories(context.out);
        for (const content::Part& part : content::parts()) {
            if (!wanted.empty() && !wanted.count(part.name))
                continue;
            const auto start = std::chrono::steady_clock::now();
            part.make(context);
            const auto ms =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
            std::cout << "  " << part.name << ": " << ms.count() << " ms\n";
        }
    } catch (const std::exception& e) {
        std::cerr << "make_game_content: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
