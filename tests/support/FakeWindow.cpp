#include "support/FakeWindow.hpp"

#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Log.hpp"
#include "engine/Mouse.hpp"

namespace test {
namespace {

void resetEngineInput()
{
    Keyboard::clearTickInput();
    Mouse::clearClicks();
    Mouse::clearClickState(Mouse::Left);
    Mouse::clearClickState(Mouse::Right);
    Mouse::clearClickState(Mouse::Middle);
    Mouse::setWheelDelta(0.f);
    KVCore::clearHints();
    KVCore::clearConsoleLines();
    KVCore::clearScreenMessages();
    KVCore::stopPoller();
    KVCore::setFrameLimitInEffect(0);
}

} // namespace

FakeWindow& FakeWindowScope::install()
{
    auto w = std::make_unique<FakeWindow>();
    FakeWindow& ref = *w;
    KVCore::setWindowBackend(std::move(w));
    return ref;
}

FakeTime& FakeWindowScope::installTime()
{
    auto t = std::make_unique<FakeTime>();
    FakeTime& ref = *t;
    KVCore::setTimeSource(std::move(t));
    return ref;
}

FakeWindowScope::FakeWindowScope() : window(install()), time(installTime())
{
    resetEngineInput();
    KVCore::setExitHandler([](int) {});
}

FakeWindowScope::~FakeWindowScope()
{
    resetEngineInput();
    KVCore::setExitHandler([](int code) { std::exit(code); });
    KVCore::setTimeSource(nullptr);
    KVCore::setWindowBackend(nullptr);
}

} // namespace test
