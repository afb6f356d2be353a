// What the program keeps between runs: the options, the single timer's times and the folder of
// the file chosen last, as plain "key=value" lines.
#pragma once

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
  friend bool operator==(const Settings&, const Settings&) = default;
};

std::string FormatSettings(const Settings& settings);
// Lines of other keys are passed over (a later version's); a line or a value that makes no sense
// makes the whole text the defaults, as no file does.
Settings ParseSettings(std::string_view text);

}  // namespace model
