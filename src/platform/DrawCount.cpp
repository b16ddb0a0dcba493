#include "platform/DrawCount.hpp"

#include <dlfcn.h>

namespace platform {
namespace {

// Counted by the driver entry points below; reset by whoever reads it.
struct DrawCountState {
    std::uint64_t draws = 0;
};
DrawCountState state;

} // namespace

std::uint64_t drawCount() { return state.draws; }
void resetDrawCount() { state.draws = 0; }

} // namespace platform

// SFML draws everything with glDrawArrays.  Defined in the program, this
// one is found before the driver's; it counts and passes the call on.
extern "C" void glDrawArrays(unsigned mode, int first, int count)
{
    using DrawArrays = void (*)(unsigned, int, int);
    static const auto driver = reinterpret_cast<DrawArrays>(dlsym(RTLD_NEXT, "glDrawArrays"));
    ++platform::state.draws;
    if (driver)
        driver(mode, first, count);
}
