#pragma once
// "Select Display Mode": the full-screen modes the system reports, a
// "Window" check box, Ok and Cancel; and the Options menu's video entry,
// which re-creates the window with the choice and keeps the emulated view.

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/VideoMode.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct DisplayModeChoice {
    unsigned width = 1024;
    unsigned height = 768;
    bool windowed = false;
};

struct DisplayModeList {
    // One mode per size: the window is always made at 32 bits per pixel, so
    // the same size at other depths would only repeat its line.
    std::vector<sf::VideoMode> modes;
    std::vector<std::string> lines;
    // The first mode of the window's size; failing that the desktop's mode,
    // failing that the first line (-1 only without modes).
    std::int32_t selected = -1;
};

// "width x height" per mode size in the order given, the desktop's marked
// " (current desktop resolution)".
DisplayModeList listDisplayModes(const std::vector<sf::VideoMode>& modes, sf::VideoMode desktop,
                                 sf::Vector2u windowSize);

// The dialog; the choice is filled in only on Ok.
bool selectDisplayMode(DisplayModeChoice& choice);

// The video options entry: false when the dialog was cancelled.
bool showVideoOptions();

} // namespace kv
