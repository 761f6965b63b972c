// The user-activity gate: the engine works only while the user leaves the machine alone.
#pragma once

#include <cstdint>

namespace brek::zomelo {

// Compares the pointer and the keyboard with what the previous call saw. While the user was
// active within the last ten calls it sleeps one second and returns true (the caller checks
// its own stop conditions and calls again); otherwise it returns false at once. Caps Lock that
// is merely engaged is not activity. Worker thread only: the state is unguarded.
bool PauseWhileUserActive();

// What the gate reads, and how it sleeps; tests put their own in.
struct UserInput {
  int16_t h, v;      // pointer position, global coordinates
  bool keyDown;      // any key but Caps Lock held
};
using ReadUserInput = UserInput (*)();
using SleepOneInterval = void (*)();
void SetUserActivitySourcesForTesting(ReadUserInput read, SleepOneInterval sleep);

}  // namespace brek::zomelo
