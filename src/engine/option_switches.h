// The options' switches on the options panel: repeat, simulate clicks, record keyboard and the
// speed steps.
#pragma once

#include <functional>

#include "engine/play_file_job.h"
#include "engine/player.h"
#include "engine/recorder.h"
#include "engine/single_timer.h"
#include "model/options.h"

namespace engine {

class OptionSwitches {
 public:
  // Each switch changes `options` and tells the part it concerns; changed runs after each.
  OptionSwitches(model::Options& options, const SingleTimer& timer, Recorder& recorder,
                 Player& player, PlayFileJob& play_file, std::function<void()> changed);

  // Locked while the single timer is armed.
  void ToggleRepeat();
  void ToggleSimulateClicks();
  void ToggleRecordKeyboard();
  void ToggleWaitForScreen();
  // Steps faster (steps > 0) or slower within the speeds; a playback goes on from where it is.
  void ChangeSpeed(int steps);

 private:
  model::Options& options_;
  const SingleTimer& timer_;
  Recorder& recorder_;
  Player& player_;
  PlayFileJob& play_file_;
  std::function<void()> changed_;
};

}  // namespace engine
