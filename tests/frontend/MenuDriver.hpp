#pragma once
// Drives the menu screens and the dialogs they open: each frame of a menu
// is a pass, as each pass of a modal screen is.

#include "frontend/MenuScreen.hpp"
#include "gui/ModalDriver.hpp"

#include <string>

namespace test {

class MenuDriver : public ModalDriver {
public:
    explicit MenuDriver(FakeWindow& window, int passLimit = 400) : ModalDriver(window, passLimit)
    {
        Frontend::setMenuFrameHook([this](const Frontend::MenuList& list) {
            current = list.rows().empty() ? std::string() : list.rows()[static_cast<std::size_t>(list.current())].label;
            onPass(list.title());
        });
    }
    ~MenuDriver() { Frontend::setMenuFrameHook(nullptr); }
    MenuDriver(const MenuDriver&) = delete;
    MenuDriver& operator=(const MenuDriver&) = delete;

    // The current row's label in the last menu frame.
    std::string current;
};

} // namespace test
