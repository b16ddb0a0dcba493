#include "ScriptedWindow.hpp"

#include "platform/Clock.hpp"

namespace bench {

platform::UtcTime SteppedTime::utcNow() const { return platform::utcNow(); }

ScriptedWindow::ScriptedWindow(std::unique_ptr<KVCore::WindowBackend> real) : real_(std::move(real)) {}

bool ScriptedWindow::create(sf::VideoMode mode, const std::string& title, bool windowed,
                            const sf::ContextSettings& context)
{
    sf::ContextSettings asked = context;
    if (antialiasing)
        asked.antialiasingLevel = *antialiasing;
    return real_->create(mode, title, windowed, asked);
}

void ScriptedWindow::display()
{
    real_->display();
    frameEnded();
}

void ScriptedWindow::holdFrame()
{
    real_->holdFrame();
    ++held_;
    frameEnded();
}

void ScriptedWindow::frameEnded()
{
    const Clock::time_point now = Clock::now();
    // The first frame timed began when the one before it was shown.
    if (timing_ && everShown_ && frameTimesMs_.size() < frameTimesMs_.capacity())
        frameTimesMs_.push_back(std::chrono::duration<double, std::milli>(now - lastShown_).count());
    lastShown_ = now;
    everShown_ = true;
    ++shown_;
    if (steppedTime_)
        steppedTime_->now += steppedFrameSeconds;
    if (afterDisplay)
        afterDisplay();
}

bool ScriptedWindow::pollEvent(sf::Event& event)
{
    // The real window's own input is nobody's: only what it says about
    // itself goes through, with the focus left out since it is always here.
    sf::Event real;
    while (real_->pollEvent(real)) {
        if (real.type == sf::Event::Closed || real.type == sf::Event::Resized) {
            event = real;
            return true;
        }
    }
    if (events_.empty())
        return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void ScriptedWindow::pressKey(sf::Keyboard::Key key)
{
    sf::Event e;
    e.type = sf::Event::KeyPressed;
    e.key = {key, false, false, false, false};
    events_.push_back(e);
}

void ScriptedWindow::stopTiming() { timing_ = false; }

void ScriptedWindow::startTiming(std::size_t frames)
{
    frameTimesMs_.clear();
    frameTimesMs_.reserve(frames);
    timing_ = true;
}

} // namespace bench
