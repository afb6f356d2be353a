// The options a user sets in the options panel, and the playback speeds.
#pragma once

#include <iterator>
#include <string>
#include <string_view>

namespace model {

struct Speed {
  double factor;
  const char* label;  // shown after "×", UTF-8
};

// The playback speeds, slowest first: a speed step is added here and nowhere else.
inline constexpr Speed kSpeeds[] = {
    {0.25, "\xC2\xBC"}, {0.5, "\xC2\xBD"}, {1, "1"}, {2, "2"}, {4, "4"}, {8, "8"},
};
inline constexpr int kSpeedCount = static_cast<int>(std::size(kSpeeds));
inline constexpr int kNormalSpeed = 2;
inline constexpr int kLongestWaitS = 3600;

struct Options {
  bool repeat = false;           // a playback starts over at its end
  bool simulate_clicks = false;  // a square under the pointer takes the clicks while recording
  bool record_keyboard = false;
  int speed_step = kNormalSpeed;  // index into kSpeeds
  // Before each press a replay waits until the screen there looks as it did when recorded, up
  // to wait_limit_s seconds, then stops.
  bool wait_for_screen = false;
  int wait_limit_s = 10;

  double SpeedFactor() const { return kSpeeds[speed_step].factor; }
  friend bool operator==(const Options&, const Options&) = default;
};

// A speed step as the command line and the settings write it: "1/4", "1/2", "1", "2"...
std::string SpeedName(int speed_step);
// The step of that name; -1 for none.
int SpeedStepNamed(std::string_view name);

}  // namespace model
