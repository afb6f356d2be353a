#include "model/command_line.h"

#include <array>
#include <charconv>
#include <string_view>

#include "model/options.h"

namespace model {
namespace {

// A whole number from 1 up, written in digits only.
int PassesOf(std::string_view text) {
  int n = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (error != std::errc() || end != text.data() + text.size() || text[0] == '-' || n < 1) return 0;
  return n;
}

// "1/4", "1/2" or a decimal factor from kSlowestSpeed to kFastestSpeed; 0 for anything else.
double SpeedOf(std::string_view text) {
  if (const int step = SpeedStepNamed(text); step >= 0) return kSpeeds[step].factor;
  double factor = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), factor, std::chars_format::fixed);
  const bool whole = error == std::errc() && end == text.data() + text.size();
  return whole && factor >= kSlowestSpeed && factor <= kFastestSpeed ? factor : 0;
}

CommandLine Wrong(std::string error) {
  CommandLine line;
  line.action = CommandLine::Action::UsageError;
  line.error = std::move(error);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool play = false, record = false, loop = false, repeat = false, speed = false,
       options_ended = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      if (arg.empty()) return Wrong("an empty file name");
      if (!line.file.empty()) return Wrong("more than one file: " + std::string(arg));
      line.file = arg;
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    // --repeat=N and --speed=S as well as --repeat N and --speed S.
    std::string_view name = arg, value;
    bool inline_value = false;
    if (const size_t equals = arg.find('='); equals != std::string_view::npos) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
      inline_value = true;
    }
    const bool takes_value = name == "--repeat" || name == "--speed";
    if (inline_value && !takes_value) return Wrong("unknown option " + std::string(arg));
    if (takes_value && !inline_value) {
      if (i + 1 == args.size()) return Wrong(std::string(name) + " needs a value");
      value = args[++i];
    }
    if (name == "--help" || name == "-h") {
      line.action = CommandLine::Action::Help;
      return line;
    }
    if (name == "--version") {
      line.action = CommandLine::Action::Version;
      return line;
    }
    if (name == "--play") {
      play = true;
    } else if (name == "--record") {
      record = true;
    } else if (name == "--keyboard") {
      line.keyboard = true;
    } else if (name == "--loop") {
      loop = true;
      line.passes = 0;
    } else if (name == "--repeat") {
      repeat = true;
      line.passes = PassesOf(value);
      if (line.passes == 0) return Wrong("--repeat needs a whole number from 1 to 2147483647");
    } else if (name == "--wait") {
      line.wait = true;
    } else if (name == "--speed") {
      speed = true;
      line.speed = SpeedOf(value);
      if (line.speed == 0) return Wrong("--speed needs a factor from 0.25 to 8 (1/4 and 1/2 too)");
    } else {
      return Wrong("unknown option " + std::string(arg));
    }
  }
  if (loop && repeat) return Wrong("--repeat and --loop together");
  if (play && record) return Wrong("--play and --record together");
  if (!play && (loop || repeat || speed || line.wait))
    return Wrong("--repeat, --loop, --speed and --wait need --play");
  if (!record && line.keyboard) return Wrong("--keyboard needs --record");
  if ((play || record) && line.file.empty())
    return Wrong(play ? "--play needs a file" : "--record needs a file");
  if (play) line.action = CommandLine::Action::Play;
  if (record) line.action = CommandLine::Action::Record;
  return line;
}

std::string MessageOf(const CommandLine& line) {
  std::vector<std::string> args;
  if (line.action == CommandLine::Action::Play) {
    args.push_back("--play");
    if (line.passes == 0) {
      args.push_back("--loop");
    } else {
      args.push_back("--repeat=" + std::to_string(line.passes));
    }
    // Written as it reads back, to the last bit.
    std::array<char, 32> speed{};
    const auto written = std::to_chars(speed.data(), speed.data() + speed.size(), line.speed,
                                       std::chars_format::fixed);
    args.push_back("--speed=" + std::string(speed.data(), written.ptr));
    if (line.wait) args.push_back("--wait");
  }
  if (line.action == CommandLine::Action::Record) {
    args.push_back("--record");
    if (line.keyboard) args.push_back("--keyboard");
  }
  if (!line.file.empty()) {
    args.push_back("--");
    args.push_back(line.file);
  }
  std::string message;
  for (const std::string& a : args) message += a + '\0';
  return message;
}

CommandLine ParseMessage(const std::string& message) {
  std::vector<std::string> args;
  size_t from = 0;
  for (size_t end; (end = message.find('\0', from)) != std::string::npos; from = end + 1)
    args.push_back(message.substr(from, end - from));
  if (from != message.size()) return Wrong("a message cut short");
  return ParseCommandLine(args);
}

std::string UsageText() {
  return "Usage: tapwright [FILE]\n"
         "       tapwright --play FILE [--repeat N | --loop] [--speed S] [--wait]\n"
         "       tapwright --record FILE [--keyboard]\n"
         "       tapwright -h | --help | --version\n"
         "\n"
         "Records the mouse (and, if asked, the keyboard) and plays it back.\n"
         "FILE           a recording (.tpw) to load at start; a copy already running loads it\n"
         "--play FILE    plays FILE once at the recorded pace and exits; Esc stops it.\n"
         "               The window's options (speed, repeat, waiting) do not apply\n"
         "--repeat N     plays it N times\n"
         "--loop         plays it again and again until Esc\n"
         "--speed S      plays it at S times the recorded pace, S from 0.25 to 8\n"
         "               (1.5, 0.75, 1/4, 1/2...)\n"
         "--wait         before each press, waits until the screen there looks as it did\n"
         "               when recorded; stops after the time the settings give (10 s)\n"
         "--record FILE  records from now until the record hotkey (F8 by default) or Esc,\n"
         "               saves FILE and exits\n"
         "--keyboard     records the keyboard too (the hotkeys and Esc are never recorded)\n"
         "\n"
         "Exit status: 0 played to the end, recorded and saved (or FILE loaded), 1 FILE could\n"
         "not be loaded or saved, 2 usage error, 3 stopped (Esc, Ctrl+C or another signal),\n"
         "4 with --wait, a press whose screen never looked as recorded, 5 the copy that runs\n"
         "is busy (recording, playing, at work on a file or showing a dialog) or does not\n"
         "answer, 6 no display.\n";
}

}  // namespace model
