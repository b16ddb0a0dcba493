#pragma once
// A screen with every widget of the toolkit and a button (with a function
// key) for every dialog, for looking at them and for the window tests.
// Reached only with the hidden "--gui-demo" switch, never from the menus.
// It reports on standard output, a line per event ("demo: ready",
// "demo: Message closed", "demo: Return"), so a test can follow it.

namespace kv {

void runGuiDemo();

} // namespace kv
