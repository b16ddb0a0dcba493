#pragma once
// Keeps the drawing context that is current on this thread in use while it
// lives.  SFML otherwise sets up a context record of its own, a heap
// allocation, around every texture bind, shader bind and target switch: a
// few hundred a frame.  Hold one around a loop of frames.
//
// With no real window (stand-in windows in tests) it holds nothing, so no
// display is opened.

#include <memory>

namespace KVCore {

class ContextHold {
public:
    // Makes the window's context current first, so the context held is one
    // that draws.
    ContextHold();
    ~ContextHold();
    ContextHold(const ContextHold&) = delete;
    ContextHold& operator=(const ContextHold&) = delete;

private:
    struct Lock;
    std::unique_ptr<Lock> lock_;
};

} // namespace KVCore
