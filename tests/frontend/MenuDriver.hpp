#pragma once
// Drives the menu screens and the dialogs they open, as ModalDriver drives
// dialogs alone: each frame of a menu and each pass of a modal screen is a
// pass; a step runs on a pass once the last step's input has been taken
// and a pass has gone by, so one step gets one answer even when a screen
// closes and another opens in between.  Past the pass limit the window is
// closed, which ends every loop.

#include "engine/EventPoller.hpp"
#include "frontend/MenuScreen.hpp"
#include "gui/Dialog.hpp"
#include "support/FakeWindow.hpp"

#include <functional>
#include <string>
#include <vector>

namespace test {

class MenuDriver {
public:
    using Step = std::function<void(FakeWindow&)>;

    explicit MenuDriver(FakeWindow& window, int passLimit = 400) : window_(window), passLimit_(passLimit)
    {
        KVCore::setFrameLimitInEffect(30);  // every frame a tick
        KVCore::startPoller();
        KVCore::pollEvents();
        Frontend::setMenuFrameHook([this](const Frontend::MenuList& list) {
            current = list.rows().empty() ? std::string() : list.rows()[static_cast<std::size_t>(list.current())].label;
            onPass(list.title());
        });
        kv::setModalPassHook([this](const kv::ModalPass& pass) {
            std::string seen(pass.name);
            if (!pass.text.empty())
                seen += ": " + std::string(pass.text);
            onPass(seen);
        });
    }
    ~MenuDriver()
    {
        Frontend::setMenuFrameHook(nullptr);
        kv::setModalPassHook(nullptr);
    }
    MenuDriver(const MenuDriver&) = delete;
    MenuDriver& operator=(const MenuDriver&) = delete;

    MenuDriver& then(Step step)
    {
        steps_.push_back(std::move(step));
        return *this;
    }
    MenuDriver& press(sf::Keyboard::Key key)
    {
        return then([key](FakeWindow& w) { w.pressKey(key); });
    }
    MenuDriver& press(std::initializer_list<sf::Keyboard::Key> keys)
    {
        for (sf::Keyboard::Key key : keys)
            press(key);
        return *this;
    }

    // Titles of the menus and "name: text" of the dialogs, repeats folded.
    std::vector<std::string> screens;
    // The current row's label in the last menu frame.
    std::string current;
    int passes = 0;
    bool gaveUp = false;

private:
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

    FakeWindow& window_;
    int passLimit_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int lastStep_ = -2;
};

} // namespace test
