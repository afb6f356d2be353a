// A file played for someone outside (the command line, a later copy): how many passes are left,
// the speed it plays at and the user's to go back to, and who hears the outcome.
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
  // It plays at its own speed in `options`; speed_changed runs when it sets or gives back one.
  PlayFileJob(model::Options& options, std::function<void()> speed_changed);

  bool Running() const { return static_cast<bool>(done_); }
  void Begin(HandedDone done) { done_ = std::move(done); }
  // The file is loaded: `passes` to play (0: no end), at the speed step given (-1: the options'),
  // waiting for the screen at each press when `wait` says so (else as the options say).
  void Loaded(int passes, int speed_step, bool wait = false);
  // A pass reached the end: true when another is to play.
  bool PlaysAgain() const { return Running() && passes_left_ != 1; }
  // A pass started over with repeat on: true when that was the last one.
  bool CountPass() { return Running() && passes_left_ > 0 && --passes_left_ == 0; }
  // The speed the user chose, whatever this playback plays at.
  int UserSpeedStep() const {
    return kept_speed_step_ >= 0 ? kept_speed_step_ : options_.speed_step;
  }
  // The user changed the speed meanwhile: it stays theirs.
  void SpeedChosen() { kept_speed_step_ = -1; }
  // Whether the user chose to wait for the screen, whatever this playback does.
  bool UserWaitsForScreen() const { return !waits_for_it_ && options_.wait_for_screen; }
  // The user switched waiting meanwhile: it stays their choice.
  void WaitChosen() { waits_for_it_ = false; }
  // Gives back the user's speed and tells the outcome; nothing when none runs.
  void End(int exit_code, const std::string& why);

 private:
  model::Options& options_;
  std::function<void()> speed_changed_;
  HandedDone done_;
  int passes_left_ = 0;
  int kept_speed_step_ = -1;   // -1: untouched
  bool waits_for_it_ = false;  // it waits for the screen where the user's option does not
};

}  // namespace engine
