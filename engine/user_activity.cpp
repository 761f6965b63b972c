#include "engine/user_activity.h"

#include <unistd.h>

#include "platform/user_input.h"

namespace brek::zomelo {

namespace {

UserInput ReadPlatformInput() {
  platform::PointerAndKeys state = platform::ReadPointerAndKeys();
  return UserInput{state.h, state.v, state.keyDown};
}

void SleepOneSecond() { usleep(1000000); }

ReadUserInput gRead = ReadPlatformInput;
SleepOneInterval gSleep = SleepOneSecond;
int16_t gLastH = 0, gLastV = 0;
int gQuietCalls = 0;  // pauses since activity was seen, that call's included; at most 10

}  // namespace

void SetUserActivitySourcesForTesting(ReadUserInput read, SleepOneInterval sleep) {
  gRead = read ? read : ReadPlatformInput;
  gSleep = sleep ? sleep : SleepOneSecond;
  gLastH = gLastV = 0;
  gQuietCalls = 0;
}

bool PauseWhileUserActive() {
  const UserInput input = gRead();
  if (input.h != gLastH || input.v != gLastV || input.keyDown) {
    gLastH = input.h;
    gLastV = input.v;
    gQuietCalls = 0;
  }
  if (gQuietCalls > 9) return false;
  gSleep();
  ++gQuietCalls;
  return true;
}

}  // namespace brek::zomelo
