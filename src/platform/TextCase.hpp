#pragma once

#include <string>
#include <string_view>

// Letter case in file names, settings keys and answers: ASCII only, so that
// neither the player's locale nor a byte past 127 changes how names compare.
namespace platform {

char lowerAscii(char c);
std::string lowerAscii(std::string_view text);
bool equalIgnoringCase(std::string_view a, std::string_view b);

} // namespace platform
