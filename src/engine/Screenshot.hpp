#pragma once
// Screenshot requests.  F12 asks for one; the end of the frame takes it, so
// the file holds exactly the frame that is shown.

#include <string>

namespace KVCore {

// An empty name asks for a name made from the UTC date and time.
void requestScreenshot(const std::string& fileName);
bool screenshotPending();
// The first free name for this UTC second in the working directory:
// "yyyymmdd_hhmmss.png", then "..._01.png" and on; empty when all are taken.
std::string nextScreenshotName();
// Takes the pending screenshot of the window's current contents.
void takePendingScreenshot();

} // namespace KVCore
