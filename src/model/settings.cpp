#include "model/settings.h"

#include <cstdio>
#include <string>

namespace model {
namespace {

bool ParseSwitch(std::string_view value, bool& out) {
  if (value != "0" && value != "1") return false;
  out = value == "1";
  return true;
}

// "09:30": two digits, a colon, two digits.
bool ParseTime(std::string_view value, HourMinute& out) {
  const auto digit = [&](size_t i) {
    return value[i] >= '0' && value[i] <= '9' ? value[i] - '0' : -1;
  };
  if (value.size() != 5 || value[2] != ':') return false;
  for (size_t i : {0u, 1u, 3u, 4u})
    if (digit(i) < 0) return false;
  const HourMinute t{digit(0) * 10 + digit(1), digit(3) * 10 + digit(4)};
  if (t.hour > 23 || t.minute > 59) return false;
  out = t;
  return true;
}

std::string TimeText(HourMinute t) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", t.hour % 100, t.minute % 100);
  return text;
}

// Farther than any screen's pixels reach.
constexpr int kFarthestStrip = 99999;

constexpr const char* kHotkeyKeys[] = {"key_record", "key_play", "key_stop", "key_load",
                                       "key_save"};

// A whole number from lowest to highest in decimal, with no more digits than highest has.
bool ParseWhole(std::string_view value, int lowest, int highest, int& out) {
  int n = 0;
  if (value.empty() || value.size() > std::to_string(highest).size()) return false;
  for (const char c : value) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n < lowest || n > highest) return false;
  out = n;
  return true;
}

bool ParseLine(std::string_view key, std::string_view value, Settings& s) {
  for (size_t i = 0; i < s.hotkeys.size(); ++i)
    if (key == kHotkeyKeys[i]) return ParseWhole(value, 8, 254, s.hotkeys[i]);  // a virtual key
  if (key == "repeat") return ParseSwitch(value, s.options.repeat);
  if (key == "simulate_clicks") return ParseSwitch(value, s.options.simulate_clicks);
  if (key == "record_keyboard") return ParseSwitch(value, s.options.record_keyboard);
  if (key == "wait_for_screen") return ParseSwitch(value, s.options.wait_for_screen);
  if (key == "wait_limit") return ParseWhole(value, 1, kLongestWaitS, s.options.wait_limit_s);
  if (key == "speed") {
    s.options.speed_step = SpeedStepNamed(value);
    return s.options.speed_step >= 0;
  }
  if (key == "timer_start") return ParseTime(value, s.timer_start);
  if (key == "timer_end") return ParseTime(value, s.timer_end);
  if (key == "strip_x") return ParseWhole(value, 0, kFarthestStrip, s.strip_x);
  if (key == "strip_y") return ParseWhole(value, 0, kFarthestStrip, s.strip_y);
  if (key == "last_folder") s.last_folder = value;
  return true;
}

}  // namespace

std::string FormatSettings(const Settings& s) {
  std::string text = "repeat=" + std::string(s.options.repeat ? "1" : "0") + "\n";
  text += "simulate_clicks=" + std::string(s.options.simulate_clicks ? "1" : "0") + "\n";
  text += "record_keyboard=" + std::string(s.options.record_keyboard ? "1" : "0") + "\n";
  text += "wait_for_screen=" + std::string(s.options.wait_for_screen ? "1" : "0") + "\n";
  text += "wait_limit=" + std::to_string(s.options.wait_limit_s) + "\n";
  text += "speed=" + SpeedName(s.options.speed_step) + "\n";
  text += "timer_start=" + TimeText(s.timer_start) + "\n";
  text += "timer_end=" + TimeText(s.timer_end) + "\n";
  for (size_t i = 0; i < s.hotkeys.size(); ++i)
    if (s.hotkeys[i] != 0) text += kHotkeyKeys[i] + ("=" + std::to_string(s.hotkeys[i])) + "\n";
  if (s.strip_x >= 0 && s.strip_y >= 0) {
    text += "strip_x=" + std::to_string(s.strip_x) + "\n";
    text += "strip_y=" + std::to_string(s.strip_y) + "\n";
  }
  // A folder whose name holds a line break cannot be written as a line: it is left out.
  if (s.last_folder.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos)
    text += "last_folder=" + s.last_folder + "\n";
  return text;
}

Settings ParseSettings(std::string_view text, std::string* fault) {
  Settings s;
  for (int number = 1; !text.empty(); ++number) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || line.find('\0') != std::string_view::npos ||
        !ParseLine(line.substr(0, equals), line.substr(equals + 1), s)) {
      if (fault) *fault = "line " + std::to_string(number) + " makes no sense";
      return Settings();
    }
  }
  return s;
}

Settings MergeSettings(const Settings& base, const Settings& mine, const Settings& theirs) {
  const auto pick = [](const auto& b, const auto& m, const auto& t) { return m != b ? m : t; };
  Settings s;
  s.options.repeat = pick(base.options.repeat, mine.options.repeat, theirs.options.repeat);
  s.options.simulate_clicks = pick(base.options.simulate_clicks, mine.options.simulate_clicks,
                                   theirs.options.simulate_clicks);
  s.options.record_keyboard = pick(base.options.record_keyboard, mine.options.record_keyboard,
                                   theirs.options.record_keyboard);
  s.options.wait_for_screen = pick(base.options.wait_for_screen, mine.options.wait_for_screen,
                                   theirs.options.wait_for_screen);
  s.options.wait_limit_s =
      pick(base.options.wait_limit_s, mine.options.wait_limit_s, theirs.options.wait_limit_s);
  s.options.speed_step =
      pick(base.options.speed_step, mine.options.speed_step, theirs.options.speed_step);
  s.timer_start = pick(base.timer_start, mine.timer_start, theirs.timer_start);
  s.timer_end = pick(base.timer_end, mine.timer_end, theirs.timer_end);
  s.last_folder = pick(base.last_folder, mine.last_folder, theirs.last_folder);
  // The place is one: both of its numbers come from the same copy.
  const bool moved = mine.strip_x != base.strip_x || mine.strip_y != base.strip_y;
  s.strip_x = moved ? mine.strip_x : theirs.strip_x;
  s.strip_y = moved ? mine.strip_y : theirs.strip_y;
  for (size_t i = 0; i < s.hotkeys.size(); ++i)
    s.hotkeys[i] = pick(base.hotkeys[i], mine.hotkeys[i], theirs.hotkeys[i]);
  // Two commands may not end with one key: then this copy's keys, which it checked, go whole.
  for (size_t i = 0; i < s.hotkeys.size(); ++i)
    for (size_t j = i + 1; j < s.hotkeys.size(); ++j)
      if (s.hotkeys[i] != 0 && s.hotkeys[i] == s.hotkeys[j]) s.hotkeys = mine.hotkeys;
  return s;
}

}  // namespace model
