#include "engine/engine.h"

#include "platform/loop.h"

namespace engine {

Engine::Engine()
    : status([this] { view_.Show(Change::Status); }),
      chronometer([this] { view_.Show(Change::Chronometer); }),
      hotkeys(
          status, view_, [this](bool told) { PollHotkeys(told); },
          [this] { return HotkeyMoment(); }, [this] { settings.Changed(); }),
      recorder(hotkeys.Keys(), [this] { view_.Show(Change::SamplerTick); }),
      play_file(options_),
      session({view_, options_, status, chronometer, hotkeys, recorder, player, play_file}),
      player(
          session.GetRecording(), options_, play_file, hotkeys.Keys(),
          [this] { session.PlaybackEnded(); }, [this] { session.PlaybackWrapped(); },
          [this](std::int32_t sample) { session.PlaybackNotFound(sample); }),
      settings([this] { return CurrentSettings(); }),
      switches(options_, single_timer, recorder, player, play_file, [this] { OptionsChanged(); }),
      single_timer(
          session.schedulers_, session.GetRecording(), options_, status, view_,
          [this] { hotkeys.Take(); }, [this] { settings.Changed(); }),
      sequence(session.schedulers_, single_timer, options_, view_) {
  LoadSettings();  // which takes the hotkeys as it sets them
}

void Engine::LoadSettings() {
  const model::Settings s = settings.Read();
  hotkeys.Use(HotkeysFrom(s.hotkeys, settings.Path()));
  options_ = s.options;
  single_timer.SetStartTime(s.timer_start);
  single_timer.SetEndTime(s.timer_end);
  settings.Unchanged();  // nothing to write: they came from the file
}

model::Settings Engine::CurrentSettings() const {
  model::Settings s;
  s.options = options_;
  s.timer_start = single_timer.StartTime();
  s.timer_end = single_timer.EndTime();
  s.hotkeys = hotkeys.Keys().Chosen();
  return s;
}

void Engine::OptionsChanged() {
  settings.Changed();
  view_.Show(Change::Options);
}

void Engine::PollHotkeys(bool told) {
  // Each acts on the state the earlier ones left.
  const auto acts = [&](const Hotkey& h) { return hotkeys.Pressed(h.vk, told); };
  const auto stop_pressed = [&] {
    bool stop = false;
    for (const Hotkey& h : hotkeys.Keys().All()) stop |= acts(h) && h.command == Command::Stop;
    return stop;
  };
  if (hotkeys.Paused()) {
    // A dialog shows: only a stop acts, so that a playback behind it can always be ended.
    if (stop_pressed() && session.GetState() != State::Idle) session.Act(Command::Stop);
    return;
  }
  if (!single_timer.Armed()) {
    for (const Hotkey& h : hotkeys.Keys().All())
      if (acts(h)) session.Act(h.command);
    view_.Show(Change::HotkeyPoll);
    return;
  }
  // While the timer waits, only a stop acts: it also disarms the timer.
  if (stop_pressed()) {
    if (session.GetState() == State::Playing) session.TogglePlayback();
    single_timer.Toggle();
  }
}

HotkeyPoller::Moment Engine::HotkeyMoment() const {
  return {session.GetState() == State::Idle, single_timer.Armed(), session.Loading()};
}

void Engine::Quit(int exit_code) {
  session.Finish();
  settings.Flush();
  platform::EndProgram(exit_code);
}

void Engine::Close() {
  session.StopPlayFile();
  session.StopRecordFile();
  Quit();
}

}  // namespace engine
