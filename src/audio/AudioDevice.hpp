#pragma once
// Whether there is anywhere to send sound.  Without an output device OpenAL
// opens nothing, every later OpenAL call fails with a printed message and a
// playing stream spins on its thread for ever, so the audio module asks
// first and stays silent when the answer is no.

namespace audio {

// Opens the audio output on the first call and holds it open until exit, so
// the answer stays true for the rest of the run.  SFML's own messages about
// a device that would not open are kept off standard error.
bool outputAvailable();

} // namespace audio
