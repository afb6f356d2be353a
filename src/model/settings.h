// What the program keeps between runs: the options, the single timer's times, the folder of the
// file chosen last and the hotkeys chosen, as plain "key=value" lines.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/options.h"
#include "model/time_of_day.h"

namespace model {

struct Settings {
  Options options;
  HourMinute timer_start;
  HourMinute timer_end;
  std::string last_folder;  // "": none yet
  // Where the strip rests while idle, in pixels from the primary monitor's top-left corner;
  // -1: that corner.
  int strip_x = -1;
  int strip_y = -1;
  // The virtual key of each command (record, play, stop, load, save); 0: its default.
  std::array<int, 5> hotkeys{};
  friend bool operator==(const Settings&, const Settings&) = default;
};

std::string FormatSettings(const Settings& settings);
// Lines of other keys are passed over (a later version's); a line or a value that makes no sense
// makes the whole text the defaults, as no file does, and `fault` then names the line.
Settings ParseSettings(std::string_view text, std::string* fault = nullptr);
// What to write when this copy changed `base` into `mine` while the file became `theirs` (another
// copy, on another display, wrote it meanwhile): each setting this copy changed, the others as
// the file has them now, so that neither copy undoes the other's changes.
Settings MergeSettings(const Settings& base, const Settings& mine, const Settings& theirs);

}  // namespace model
