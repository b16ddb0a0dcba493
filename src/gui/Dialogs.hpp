#pragma once
// The ready-made modal dialogs.  Each builds its widgets, runs its own loop
// over a dimmed picture of the screen it was called from, and returns only
// once the user has answered (or the window has gone, which counts as the
// negative answer).

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

class Button;

// "Message" box with an "OK" button (Return).
void showMessage(const std::string& text);
// "Confirm" box: "Yes" (Return) gives true, "No" (Escape) false.
bool confirm(const std::string& text);
// A form titled with the prompt holding one text box; Ok (Return) stores
// the box's text and gives true, Cancel (Escape) leaves text alone.
bool inputText(std::string& text, std::int32_t maxLength, const std::string& prompt, bool numericOnly = false);
// Asks for a whole number from minimum to maximum; anything else is
// answered with "Input out of range!" and leaves value alone.
bool inputInt(std::int32_t& value, std::int32_t minimum, std::int32_t maximum, const std::string& prompt);
// Error reading "path" / Error writing "path".
void errorReading(const std::string& path);
void errorWriting(const std::string& path);

// The whole text as a decimal 32-bit number: an optional minus sign and
// digits, nothing else.
std::optional<std::int32_t> parseWholeNumber(std::string_view text);

// The buttons the dialogs share: the affirmative one answers Return, the
// negative one Escape.
void makeAffirmativeButton(Button& button, const std::string& text, sf::Vector2f position, float width,
                           float height = 0.f);
void makeNegativeButton(Button& button, const std::string& text, int icon, sf::Vector2f position, float width,
                        float height = 0.f);
// Width of the input and colour dialogs' Ok and Cancel buttons.
float okCancelWidth();

inline constexpr int okIcon = 175;
inline constexpr int noIcon = 91;
inline constexpr int cancelIcon = 10;

} // namespace kv
