#include "model/command_line.h"

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

CommandLine Wrong(std::string error) {
  CommandLine line;
  line.action = CommandLine::Action::UsageError;
  line.error = std::move(error);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool play = false, loop = false, repeat = false, speed = false, options_ended = false;
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
      line.speed_step = SpeedStepNamed(value);
      if (line.speed_step < 0) return Wrong("--speed is one of 1/4, 1/2, 1, 2, 4, 8");
    } else {
      return Wrong("unknown option " + std::string(arg));
    }
  }
  if (loop && repeat) return Wrong("--repeat and --loop together");
  if (!play && (loop || repeat || speed || line.wait))
    return Wrong("--repeat, --loop, --speed and --wait need --play");
  if (play && line.file.empty()) return Wrong("--play needs a file");
  if (play) line.action = CommandLine::Action::Play;
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
    if (line.speed_step >= 0 && line.speed_step < kSpeedCount)
      args.push_back("--speed=" + SpeedName(line.speed_step));
    if (line.wait) args.push_back("--wait");
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
         "       tapwright --play FILE [--repeat N | --loop] [--speed 1/4|1/2|1|2|4|8] [--wait]\n"
         "       tapwright --help | --version\n"
         "\n"
         "Records the mouse (and, if asked, the keyboard) and plays it back.\n"
         "FILE           a recording (.tpw) to load at start; a copy already running loads it\n"
         "--play FILE    plays FILE and exits; Esc stops it\n"
         "--repeat N     plays it N times\n"
         "--loop         plays it again and again until Esc\n"
         "--speed S      plays it at S times the recorded pace\n"
         "--wait         before each press, waits until the screen there looks as it did\n"
         "               when recorded; stops after the time the settings give (10 s)\n"
         "\n"
         "Exit status: 0 played to the end (or FILE loaded), 1 FILE could not be loaded,\n"
         "2 usage error, 3 stopped (Esc, Ctrl+C or another signal), 4 with --wait, a press\n"
         "whose screen never looked as recorded, 5 the copy that runs is\n"
         "busy (recording, playing, at work on a file or showing a dialog) or does not answer,\n"
         "6 no display.\n";
}

}  // namespace model
