#include "engine/session.h"

#include <algorithm>
#include <utility>

#include "engine/input.h"
#include "engine/recording_files.h"
#include "model/file_names.h"

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
      files_([this] {
        status_.ShowProgress(files_.GetKind() == FileWork::Kind::Load ? StatusLine::Kind::Loading
                                                                      : StatusLine::Kind::Saving,
                             files_.Percent());
      }),
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
  // What the user does now goes before what they asked for earlier; a save of the recording
  // that goes is let finish.
  CancelLoad();
  files_.FinishSave();
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
  CancelLoad();
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

void Session::LoadRecording(const std::string& path, std::function<void()> then) {
  if (files_.Busy()) return;
  std::string name = path;
  try {
    if (name.empty()) name = view_.ChooseFile(FileDialog::Open).value_or("");
  } catch (...) {
    return;  // nothing was chosen
  }
  if (!model::IsRecordingFile(name)) return;  // other files are ignored
  files_.Load(name, [this, name, then = std::move(then)](std::optional<model::Recording> loaded) {
    if (!loaded) {
      ShowStatus(StatusLine::Kind::LoadFailed, name);  // the recording stays as it was
      return;
    }
    recording_ = std::move(*loaded);
    player_.Rewind();  // a new recording plays from its first sample
    ShowStatus(StatusLine::Kind::Loaded, name);
    if (then) then();
  });
}

void Session::SaveRecording() {
  if (recording_.UBound() == 0 || files_.Busy()) return;
  std::string path;
  try {
    path = view_.ChooseFile(FileDialog::Save).value_or("");
  } catch (...) {
    return;  // nothing was chosen
  }
  if (path.empty()) return;
  files_.Save(path, recording_, [this, path](bool saved) {
    ShowStatus(saved ? StatusLine::Kind::Saved : StatusLine::Kind::SaveFailed, path);
  });
}

void Session::CancelLoad() {
  if (!files_.Busy() || files_.GetKind() != FileWork::Kind::Load) return;
  files_.CancelLoad();
  if (status_.GetKind() == StatusLine::Kind::Loading) status_.Hide();
}

void Session::Quit() {
  player_.ReleaseHeld();
  files_.FinishSave();
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
      } else {
        CancelLoad();
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
