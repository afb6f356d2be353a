// What the program is asked to do on its command line, and the exit codes of a playback run
// from there. Plain parsing: the platform code only hands over the arguments as UTF-8.
#pragma once

#include <string>
#include <vector>

#include "platform/process.h"

namespace model {

inline constexpr int kExitPlayed = 0;  // played to the end, recorded and saved (or nothing asked)
inline constexpr int kExitNotLoaded = 1;  // the file could not be loaded (or saved)
inline constexpr int kExitUsage = 2;      // the command line made no sense
inline constexpr int kExitStopped = 3;    // stopped: Esc, a signal, or the asker gave up
inline constexpr int kExitNotFound = 4;   // waiting for the screen, a press never found its look
inline constexpr int kExitBusy = 5;       // the copy that runs cannot take the request now
inline constexpr int kExitNoDisplay = platform::kExitNoDisplay;

// The slowest and the fastest pace the command line plays at, times the recorded one.
inline constexpr double kSlowestSpeed = 0.25;
inline constexpr double kFastestSpeed = 8;

// Play and Record do the same whatever the window's options are.
struct CommandLine {
  enum class Action { Window, Play, Record, Help, Version, UsageError };
  Action action = Action::Window;
  std::string file;       // Window: loaded at start ("": none); Play: the one played; Record: saved
  int passes = 1;         // Play: how many times; 0 until stopped
  double speed = 1;       // Play: times the recorded pace
  bool wait = false;      // Play: waits for the screen at each press
  bool keyboard = false;  // Record: the keyboard too
  std::string error;      // UsageError: what was wrong, for the user
};

// args are the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
// Arguments that ask for the same (Window, Play and Record only): how a later copy hands on its
// command line, as one message of NUL-ended arguments.
std::string MessageOf(const CommandLine& line);
CommandLine ParseMessage(const std::string& message);
// The --help text, ending with a new line.
std::string UsageText();

}  // namespace model
