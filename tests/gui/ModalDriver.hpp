#pragma once
// Drives modal screens (dialogs, popup menus) in tests.  Steps queue input
// on the stand-in window.  A step's events reach the engine at the end of
// the pass that queued them and the screen acts on them in the next one, so
// the following step waits a pass longer: one step, one answer, even when a
// screen closes and another opens in between.
// A screen still running after the pass limit gets its window closed, which
// ends every modal loop, so no test can hang.

#include "engine/EventPoller.hpp"
#include "gui/Dialog.hpp"
#include "support/FakeWindow.hpp"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace test {

class ModalDriver {
public:
    using Step = std::function<void(FakeWindow&)>;

    explicit ModalDriver(FakeWindow& window, int passLimit = 300) : window_(window), passLimit_(passLimit)
    {
        // Every frame a tick, starting with the screen's first pass.
        KVCore::setFrameLimitInEffect(30);
        KVCore::startPoller();
        KVCore::pollEvents();
        kv::setModalPassHook([this](const kv::ModalPass& pass) {
            std::string seen(pass.name);
            if (!pass.text.empty())
                seen += ": " + std::string(pass.text);
            onPass(seen);
        });
    }
    ~ModalDriver() { kv::setModalPassHook(nullptr); }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    ModalDriver& then(Step step)
    {
        steps_.push_back(std::move(step));
        return *this;
    }
    ModalDriver& press(sf::Keyboard::Key key)
    {
        return then([key](FakeWindow& w) { w.pressKey(key); });
    }
    ModalDriver& press(std::initializer_list<sf::Keyboard::Key> keys)
    {
        for (sf::Keyboard::Key key : keys)
            press(key);
        return *this;
    }
    ModalDriver& type(const std::string& text)
    {
        return then([text](FakeWindow& w) {
            for (char c : text)
                w.typeChar(static_cast<unsigned char>(c));
        });
    }
    // A left click at a view point (the stand-in's view is its window).
    ModalDriver& click(sf::Vector2f at)
    {
        return then([at](FakeWindow& w) {
            w.mouse = {static_cast<int>(at.x), static_cast<int>(at.y)};
            w.mouseButton(sf::Mouse::Left, true);
            w.mouseButton(sf::Mouse::Left, false);
        });
    }
    ModalDriver& idle(int passes)
    {
        for (int i = 0; i < passes; ++i)
            then([](FakeWindow&) {});
        return *this;
    }

    // "name" or "name: text" of every pass, repeats folded.
    std::vector<std::string> screens;
    int passes = 0;
    bool gaveUp = false;

protected:
    // One pass of whatever screen runs, seen as the given name: recorded,
    // and the next step run once the last one's input has been taken.
    void onPass(const std::string& seen)
    {
        if (screens.empty() || screens.back() != seen)
            screens.push_back(seen);
        if (++passes > passLimit_) {
            gaveUp = true;
            window_.open = false;
            return;
        }
        if (window_.events.empty() && passes - lastStep_ >= 2 && next_ < steps_.size()) {
            lastStep_ = passes;
            steps_[next_++](window_);
        }
    }

private:
    FakeWindow& window_;
    int passLimit_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int lastStep_ = -2;
};

} // namespace test
