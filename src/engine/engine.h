// Every part of the engine, built and wired once. The program owns it and hands it to the window,
// which shows the parts and forwards the user's commands to them; the tests drive the same parts.
#pragma once

#include "engine/chronometer.h"
#include "engine/hotkey_poller.h"
#include "engine/option_switches.h"
#include "engine/play_file_job.h"
#include "engine/player.h"
#include "engine/recorder.h"
#include "engine/sequence.h"
#include "engine/session.h"
#include "engine/settings_keeper.h"
#include "engine/single_timer.h"
#include "engine/status_line.h"
#include "engine/view.h"
#include "model/options.h"
#include "model/settings.h"

namespace engine {

class Engine {
 public:
  // Reads the settings and takes the hotkeys; shown by no view until one is set.
  Engine();
  explicit Engine(View& view) : Engine() { SetView(&view); }
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // The view that shows the engine from now on; nullptr: none.
  void SetView(View* view) { view_.SetTarget(view); }
  const model::Options& Options() const { return options_; }
  // Ends the program at once, letting go of whatever a playback holds; a save is let finish and
  // the settings are written.
  [[noreturn]] void Quit(int exit_code = 0);
  // Asked to end from outside (a close request, a signal): a PlayFile that runs ends as stopped
  // first, so that its asker hears so (the command line's own then ends the program with it);
  // a RecordFile saves what it recorded.
  [[noreturn]] void Close();

 private:
  // Built before the parts, which see them.
  ViewRelay view_;
  model::Options options_;

 public:
  // The parts, in the order they are built.
  StatusLine status;
  Chronometer chronometer;
  HotkeyPoller hotkeys;
  Recorder recorder;
  PlayFileJob play_file;
  Session session;
  Player player;
  SettingsKeeper settings;
  OptionSwitches switches;
  SingleTimer single_timer;
  Sequence sequence;

 private:
  // What the hotkeys do as the state allows: while a dialog shows or the single timer waits,
  // only a stop acts.
  void PollHotkeys(bool told);
  HotkeyPoller::Moment HotkeyMoment() const;
  void LoadSettings();
  model::Settings CurrentSettings() const;
  void OptionsChanged();
};

}  // namespace engine
