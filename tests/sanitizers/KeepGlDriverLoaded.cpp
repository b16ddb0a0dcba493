// Part of every program of the sanitizer build.  Mesa's software GL driver
// is loaded when the first GL context is made and unloaded again soon
// after, leaving blocks it made that nothing frees: the leak check would
// fail every test that opens a window, reporting a module it can no longer
// name, so no suppression can single them out.  Loaded here first and never
// unloaded, the driver keeps those blocks in its globals, where the check
// finds them.

#include <dlfcn.h>

extern "C" {
// Named on the link line so the linker takes this file from the library.
extern const int kvKeepGlDriverLoaded;
const int kvKeepGlDriverLoaded = 1;
}

namespace {

struct KeepGlDriverLoaded {
    KeepGlDriverLoaded() { dlopen(KV_GL_DRIVER, RTLD_NOW | RTLD_NODELETE); }
};

const KeepGlDriverLoaded keep;

} // namespace
