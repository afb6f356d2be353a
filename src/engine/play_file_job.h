// A file played for someone outside (the command line, a later copy): how many passes are left,
// the pace it plays at whatever the user's options say, and who hears the outcome.
#pragma once

#include <functional>
#include <string>

#include "model/options.h"

namespace engine {

// The outcome of a file handed from outside: an exit code of model/command_line.h and, when it
// failed, why in words for the command line.
using HandedDone = std::function<void(int exit_code, const std::string& why)>;

class PlayFileJob {
 public:
  explicit PlayFileJob(const model::Options& options) : options_(options) {}

  bool Running() const { return static_cast<bool>(done_); }
  void Begin(HandedDone done) { done_ = std::move(done); }
  // The file is loaded: `passes` to play (0: no end), at `speed` times the recorded pace,
  // waiting for the screen at each press or not.
  void Loaded(int passes, double speed, bool wait);
  // A pass reached the end: true when another is to play.
  bool PlaysAgain() const { return Running() && passes_left_ != 1; }
  // A pass started over with repeat on: true when that was the last one.
  bool CountPass() { return Running() && passes_left_ > 0 && --passes_left_ == 0; }
  // What any playback does now: the played file's own, or the options'.
  double SpeedFactor() const { return own_speed_ ? speed_ : options_.SpeedFactor(); }
  bool WaitsForScreen() const { return own_wait_ ? wait_ : options_.wait_for_screen; }
  // The user changed the speed, or switched waiting, meanwhile: theirs applies from then on.
  void SpeedChosen() { own_speed_ = false; }
  void WaitChosen() { own_wait_ = false; }
  // Tells the outcome; nothing when none runs.
  void End(int exit_code, const std::string& why);

 private:
  const model::Options& options_;
  HandedDone done_;
  int passes_left_ = 0;
  double speed_ = 1;
  bool wait_ = false;
  bool own_speed_ = false;
  bool own_wait_ = false;
};

}  // namespace engine
