#include "engine/session.h"

#include <algorithm>
#include <utility>

#include "engine/input.h"
#include "engine/recording_files.h"
#include "model/file_names.h"
#include "model/tpw_format.h"

namespace engine {

Session::Session(View& view)
    : view_(view),
      recorder_([this] { view_.Show(Change::SamplerTick); }),
      player_(
          recording_, options_, [this] { BecomeIdle(); },
          [this] {
            chronometer_.Restart();
            view_.Show(Change::Chronometer);
          }),
      chronometer_([this] { view_.Show(Change::Chronometer); }),
      status_([this] { view_.Show(Change::Status); }),
      single_timer_(*this, view),
      sequence_(*this, view),
      hotkey_timer_(100, [this] { PollHotkeys(); }) {
  hotkey_timer_.Start();
}

void Session::ToggleRecording() {
  if (state_ == State::Playing) return;
  view_.Show(Change::Toggle);
  if (state_ == State::Recording) {
    FinishRecording();
    BecomeIdle();
    return;
  }
  state_ = State::Recording;
  recording_ = model::Recording();
  player_.Rewind();
  recorder_.Start(recording_, options_.record_keyboard);
  chronometer_.Restart();
  view_.Show(Change::State);
}

void Session::TogglePlayback() {
  view_.Show(Change::Toggle);
  if (state_ == State::Playing) {
    player_.Stop();
    BecomeIdle();
    return;
  }
  if (recording_.UBound() == 0) {
    if (state_ == State::Recording) ToggleRecording();
    return;
  }
  player_.Start();
  if (state_ == State::Recording) FinishRecording();
  state_ = State::Playing;
  chronometer_.Restart();
  view_.Show(Change::State);
}

void Session::PlayFromStart() {
  player_.Rewind();
  TogglePlayback();
}

void Session::FinishRecording() { recorder_.Stop(); }

void Session::BecomeIdle() {
  state_ = State::Idle;
  chronometer_.Stop();
  view_.Show(Change::State);
}

void Session::ToggleRepeat() {
  if (single_timer_.Armed()) return;
  options_.repeat = !options_.repeat;
  view_.Show(Change::Options);
}

void Session::ToggleSimulateClicks() {
  options_.simulate_clicks = !options_.simulate_clicks;
  view_.Show(Change::Options);
}

void Session::ToggleRecordKeyboard() {
  options_.record_keyboard = !options_.record_keyboard;
  recorder_.SetKeyboard(options_.record_keyboard);
  view_.Show(Change::Options);
}

void Session::ChangeSpeed(int steps) {
  const int step = options_.speed_step + steps;
  if (step < 0 || step >= model::kSpeedCount) return;
  options_.speed_step = step;
  player_.SpeedChanged();
  view_.Show(Change::Options);
}

void Session::ShowStatus(StatusLine::Kind kind, const std::string& path) {
  status_.Show(kind, model::FileBaseName(path));
}

bool Session::LoadRecording(const std::string& path) {
  std::string name = path;
  bool chosen = false;  // a recording file was named: from here on a failure is told
  try {
    if (name.empty()) name = view_.ChooseFile(FileDialog::Open).value_or("");
    if (!model::IsRecordingFile(name)) return false;  // other files are ignored
    chosen = true;
    if (std::optional<model::Recording> loaded = ReadRecordingFile(name)) {
      recording_ = std::move(*loaded);
      player_.Rewind();  // a new recording plays from its first sample
      ShowStatus(StatusLine::Kind::Loaded, name);
      return true;
    }
  } catch (...) {
    // The recording stays as it was.
  }
  if (chosen) ShowStatus(StatusLine::Kind::LoadFailed, name);
  return false;
}

void Session::SaveRecording() {
  std::string path;
  try {
    if (recording_.UBound() == 0) return;
    path = view_.ChooseFile(FileDialog::Save).value_or("");
    if (path.empty()) return;
    // Recorded keystrokes may hold a password: such a file is the owner's alone.
    if (SaveText(path, model::FormatRecording(recording_), HoldsKeys(recording_))) {
      ShowStatus(StatusLine::Kind::Saved, path);
      return;
    }
  } catch (...) {
    // Told below, like any other failure once a file was chosen.
  }
  if (!path.empty()) ShowStatus(StatusLine::Kind::SaveFailed, path);
}

void Session::Quit() {
  player_.ReleaseHeld();
  platform::EndProgram(0);
}

void Session::Act(Command command) {
  switch (command) {
    case Command::Record:
      ToggleRecording();
      break;
    case Command::Play:
      TogglePlayback();
      break;
    case Command::Stop:
      if (state_ == State::Recording) {
        ToggleRecording();
      } else if (state_ == State::Playing) {
        TogglePlayback();
      }
      break;
    case Command::Load:
      if (state_ == State::Idle) LoadRecording("");
      break;
    case Command::Save:
      if (state_ == State::Idle) SaveRecording();
      break;
  }
}

void Session::PollHotkeys() {
  // Every key is read at every poll, so a press made while it may not act is spent, not kept
  // for later. Each acts on the state the earlier ones left.
  if (!single_timer_.Armed()) {
    for (const Hotkey& h : kHotkeys)
      if (hotkeys_.Pressed(h.vk)) Act(h.command);
    view_.Show(Change::HotkeyPoll);
    return;
  }
  // While the timer waits, only a stop acts: it also disarms the timer.
  bool stop = false;
  for (const Hotkey& h : kHotkeys) stop |= hotkeys_.Pressed(h.vk) && h.command == Command::Stop;
  if (!stop) return;
  if (state_ == State::Playing) TogglePlayback();
  single_timer_.Toggle();
}

}  // namespace engine
