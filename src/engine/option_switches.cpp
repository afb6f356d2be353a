#include "engine/option_switches.h"

#include <utility>

namespace engine {

OptionSwitches::OptionSwitches(model::Options& options, const SingleTimer& timer,
                               Recorder& recorder, Player& player, PlayFileJob& play_file,
                               std::function<void()> changed)
    : options_(options),
      timer_(timer),
      recorder_(recorder),
      player_(player),
      play_file_(play_file),
      changed_(std::move(changed)) {}

void OptionSwitches::ToggleRepeat() {
  if (timer_.Armed()) return;
  options_.repeat = !options_.repeat;
  changed_();
}

void OptionSwitches::ToggleSimulateClicks() {
  options_.simulate_clicks = !options_.simulate_clicks;
  changed_();
}

void OptionSwitches::ToggleRecordKeyboard() {
  options_.record_keyboard = !options_.record_keyboard;
  recorder_.SetKeyboard(options_.record_keyboard);
  changed_();
}

void OptionSwitches::ToggleWaitForScreen() {
  options_.wait_for_screen = !options_.wait_for_screen;
  play_file_.WaitChosen();
  changed_();
}

void OptionSwitches::ChangeSpeed(int steps) {
  const int step = options_.speed_step + steps;
  if (step < 0 || step >= model::kSpeedCount) return;
  options_.speed_step = step;
  // Changed during a played file, it is the user's again.
  play_file_.SpeedChosen();
  player_.SpeedChanged();
  changed_();
}

}  // namespace engine
