#pragma once
// The fortune teller hidden in the credits: typing C, O, O, L while they run
// shows a mowing proverb.

#include <cstdint>
#include <string>
#include <vector>

namespace Frontend {

// Picks one of the sayings with rand() and shows it in a message box.
void showFortune();

// The sayings in the order rand() picks from.
std::vector<std::string> fortuneSayings();

// How far C, O, O, L has been typed (0 to 3) after one more key, and
// whether that key finished the word.  Keys outside the word change
// nothing, so they may come in between.
struct FortuneKeyResult {
    int state = 0;
    bool tellFortune = false;
};
FortuneKeyResult fortuneKey(int state, std::int32_t key);

} // namespace Frontend
