#include "engine/session.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "engine/input.h"
#include "engine/recording_files.h"
#include "model/command_line.h"
#include "model/file_names.h"
#include "model/settings.h"
#include "platform/input.h"
#include "platform/loop.h"

namespace engine {

Session::Session()
    : hotkeys_([this](bool told) { PollHotkeys(told); }, [this] { return HotkeyMoment(); }),
      recorder_(hotkeys_.Keys(), [this] { view_.Show(Change::SamplerTick); }),
      player_(
          recording_, options_, hotkeys_.Keys(), [this] { PlaybackEnded(); },
          [this] { PlaybackWrapped(); }),
      chronometer_([this] { view_.Show(Change::Chronometer); }),
      status_([this] { view_.Show(Change::Status); }),
      single_timer_(
          *this, recording_, options_, status_, view_, [this] { TakeHotkeys(); },
          [this] { KeepSettings(); }),
      sequence_(*this, single_timer_, options_, view_),
      files_([this] {
        status_.ShowProgress(files_.GetKind() == FileWork::Kind::Load ? StatusLine::Kind::Loading
                                                                      : StatusLine::Kind::Saving,
                             files_.Percent());
      }),
      settings_([this] { return CurrentSettings(); }),
      play_file_(options_, [this] { view_.Show(Change::Options); }) {
  LoadSettings();
  TakeHotkeys();
}

Session::~Session() = default;

void Session::LoadSettings() {
  const model::Settings s = settings_.Read();
  hotkeys_.Use(HotkeysFrom(s.hotkeys, settings_.Path()));
  options_ = s.options;
  single_timer_.SetStartTime(s.timer_start);
  single_timer_.SetEndTime(s.timer_end);
  last_folder_ = s.last_folder;
  settings_.Unchanged();  // nothing to write: they came from the file
}

void Session::KeepSettings() { settings_.Changed(); }

model::Settings Session::CurrentSettings() const {
  model::Settings s;
  s.options = options_;
  // A playback of a file from the command line plays at its own speed, not the user's.
  s.options.speed_step = play_file_.UserSpeedStep();
  s.timer_start = single_timer_.StartTime();
  s.timer_end = single_timer_.EndTime();
  s.last_folder = last_folder_;
  s.hotkeys = hotkeys_.Keys().Chosen();
  return s;
}

void Session::SetLastFolder(std::string folder) {
  if (folder == last_folder_) return;
  last_folder_ = std::move(folder);
  KeepSettings();
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
  TakeHotkeys();
  view_.Show(Change::State);
}

void Session::TogglePlayback() {
  view_.Show(Change::Toggle);
  if (state_ == State::Playing) {
    player_.Stop();
    BecomeIdle();
    play_file_.End(model::kExitStopped, "");
    return;
  }
  if (state_ == State::Idle && files_.Busy() && files_.GetKind() == FileWork::Kind::Load) {
    play_after_load_ = true;  // the file being read is the one to play
    return;
  }
  if (recording_.empty()) {
    if (state_ == State::Recording) {
      ToggleRecording();
    } else {
      SayNothingRecorded();
    }
    return;
  }
  CancelLoad();
  player_.Start();
  if (state_ == State::Recording) FinishRecording();
  state_ = State::Playing;
  chronometer_.Restart();
  TakeHotkeys();
  view_.Show(Change::State);
}

void Session::PlayFromStart() {
  player_.Rewind();
  TogglePlayback();
}

void Session::StopPlayback() {
  if (state_ == State::Playing) TogglePlayback();
}

void Session::LoadThenPlay(const std::string& path) {
  LoadRecording(path, [this](bool loaded, const std::string&) {
    if (loaded) TogglePlayback();
  });
}

void Session::FinishRecording() { recorder_.Stop(); }

void Session::PlaybackEnded() {
  // Another pass of a played file counts as a repeat's.
  if (play_file_.PlaysAgain()) {
    player_.Start();
    PlaybackWrapped();
    return;
  }
  BecomeIdle();
  play_file_.End(model::kExitPlayed, "");
}

void Session::PlaybackWrapped() {
  if (play_file_.CountPass()) {
    player_.Stop();
    BecomeIdle();
    play_file_.End(model::kExitPlayed, "");
    return;
  }
  chronometer_.Restart();
  view_.Show(Change::Chronometer);
}

Busy Session::WhyBusy() const {
  if (state_ == State::Recording) return Busy::Recording;
  if (state_ == State::Playing) return Busy::Playing;
  if (files_.Busy() || play_file_.Running()) return Busy::FileWork;
  return hotkeys_.Paused() ? Busy::Dialog : Busy::No;
}

bool Session::RefuseWhenBusy(const std::string& path, const HandedDone& done) {
  const Busy busy = WhyBusy();
  if (busy == Busy::No) return false;
  // Not kept for later either: loaded once a recording ends, it would replace the take before
  // the user saved it.
  ShowStatus(StatusLine::Kind::Busy, path);
  static constexpr const char* kWhy[] = {"", "recording", "playing", "at work on a file",
                                         "showing a dialog"};
  if (done) done(model::kExitBusy, kWhy[static_cast<int>(busy)]);
  return true;
}

void Session::OpenHandedFile(const std::string& path, const HandedDone& done) {
  if (RefuseWhenBusy(path, done)) return;
  LoadRecording(path, [done](bool loaded, const std::string& why) {
    if (done) done(loaded ? model::kExitPlayed : model::kExitNotLoaded, why);
  });
}

void Session::PlayFile(const std::string& path, int passes, int speed_step, HandedDone done) {
  if (RefuseWhenBusy(path, done)) return;
  play_file_.Begin(std::move(done));
  LoadRecording(path, [this, passes, speed_step](bool loaded, const std::string& why) {
    if (!loaded) return play_file_.End(model::kExitNotLoaded, why);
    play_file_.Loaded(passes, speed_step);
    PlayFromStart();
  });
}

void Session::StopPlayFile() {
  if (!play_file_.Running()) return;
  // Either ends the PlayFile as stopped; the playback lets go of what it holds.
  if (state_ == State::Playing) {
    TogglePlayback();
  } else {
    CancelLoad();
  }
}

void Session::BecomeIdle() {
  state_ = State::Idle;
  chronometer_.Stop();
  TakeHotkeys();
  view_.Show(Change::State);
}

void Session::ToggleRepeat() {
  if (single_timer_.Armed()) return;
  options_.repeat = !options_.repeat;
  KeepSettings();
  view_.Show(Change::Options);
}

void Session::ToggleSimulateClicks() {
  options_.simulate_clicks = !options_.simulate_clicks;
  KeepSettings();
  view_.Show(Change::Options);
}

void Session::ToggleRecordKeyboard() {
  options_.record_keyboard = !options_.record_keyboard;
  recorder_.SetKeyboard(options_.record_keyboard);
  KeepSettings();
  view_.Show(Change::Options);
}

void Session::ChangeSpeed(int steps) {
  const int step = options_.speed_step + steps;
  if (step < 0 || step >= model::kSpeedCount) return;
  options_.speed_step = step;
  // Changed during a played file, it is the user's again.
  play_file_.SpeedChosen();
  KeepSettings();
  player_.SpeedChanged();
  view_.Show(Change::Options);
}

void Session::ShowStatus(StatusLine::Kind kind, const std::string& path) {
  status_.Show(kind, model::FileBaseName(path));
}

void Session::LoadRecording(const std::string& path, LoadDone done) {
  const auto tell = [&done](bool loaded, const std::string& why) {
    if (done) done(loaded, why);
  };
  files_.FinishSave();  // a save that runs ends first: it takes a moment
  if (files_.Busy()) return tell(false, "at work on another file");
  // Other files are ignored.
  if (!model::IsRecordingFile(path)) return tell(false, "not a .tpw file");
  files_.Load(path, [this, path, done = std::move(done)](LoadOutcome outcome) {
    TakeHotkeys();
    const bool play = std::exchange(play_after_load_, false);
    const bool loaded = outcome.recording.has_value();
    if (loaded) {
      recording_ = std::move(*outcome.recording);
      player_.Rewind();  // a new recording plays from its first sample
    }
    // A file that fails leaves the recording as it was.
    ShowStatus(loaded ? StatusLine::Kind::Loaded : StatusLine::Kind::LoadFailed, path);
    if (done) done(loaded, loaded ? "" : DescribeLoadFault(outcome));
    // F10 came while it loaded: a file handed from outside plays too.
    if (loaded && play && state_ == State::Idle) TogglePlayback();
  });
  TakeHotkeys();
}

void Session::SaveRecording(const std::string& path) {
  files_.FinishSave();
  if (files_.Busy()) return;
  if (recording_.empty()) return SayNothingRecorded();
  files_.Save(path, recording_, hotkeys_.Keys(), [this, path](bool saved) {
    ShowStatus(saved ? StatusLine::Kind::Saved : StatusLine::Kind::SaveFailed, path);
  });
}

void Session::CancelLoad() {
  if (!files_.Busy() || files_.GetKind() != FileWork::Kind::Load) return;
  files_.CancelLoad();
  TakeHotkeys();
  play_after_load_ = false;
  if (status_.GetKind() == StatusLine::Kind::Loading) status_.Hide();
  play_file_.End(model::kExitStopped, "");
}

void Session::Close() {
  StopPlayFile();
  Quit();
}

void Session::Quit(int exit_code) {
  player_.ReleaseHeld();
  files_.FinishSave();
  settings_.Flush();
  platform::EndProgram(exit_code);
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
        view_.Show(Change::IdleStop);
      }
      break;
    case Command::Load:
    case Command::Save:
      if (state_ == State::Idle) AskForFile(command);
      break;
  }
}

void Session::PollHotkeys(bool told) {
  if (hotkeys_.Choosing()) {
    TakeChosenKey();
    view_.Show(Change::HotkeyPoll);
    return;
  }
  // Each acts on the state the earlier ones left.
  const auto acts = [&](const Hotkey& h) { return hotkeys_.Pressed(h.vk, told); };
  if (hotkeys_.Paused()) {
    // A dialog shows: only a stop acts, so that a playback behind it can always be ended.
    bool stop = false;
    for (const Hotkey& h : hotkeys_.Keys().All()) stop |= acts(h) && h.command == Command::Stop;
    if (stop && state_ != State::Idle) Act(Command::Stop);
    return;
  }
  if (!single_timer_.Armed()) {
    for (const Hotkey& h : hotkeys_.Keys().All())
      if (acts(h)) Act(h.command);
    view_.Show(Change::HotkeyPoll);
    return;
  }
  // While the timer waits, only a stop acts: it also disarms the timer.
  bool stop = false;
  for (const Hotkey& h : hotkeys_.Keys().All()) stop |= acts(h) && h.command == Command::Stop;
  if (stop) {
    if (state_ == State::Playing) TogglePlayback();
    single_timer_.Toggle();
  }
}

HotkeyPoller::Moment Session::HotkeyMoment() const {
  return {state_ == State::Idle, single_timer_.Armed(),
          files_.Busy() && files_.GetKind() == FileWork::Kind::Load};
}

void Session::ChooseHotkey(Command command) {
  hotkeys_.Choose(command);
  status_.ShowHeld(StatusLine::Kind::ChooseKey);
  view_.Show(Change::Hotkeys);
}

void Session::TakeChosenKey() {
  const std::optional<std::pair<Command, int>> choice = hotkeys_.TakeChoice();
  if (!choice) return;
  const auto [command, vk] = *choice;
  status_.Hide();
  if (vk != platform::vk::kEscape && vk != hotkeys_.Keys().KeyOf(command)) {
    if (hotkeys_.Keys().Has(vk)) {
      status_.Show(StatusLine::Kind::KeyInUse, KeyName(vk));
    } else {
      HotkeySet keys = hotkeys_.Keys();
      keys.Give(command, vk);
      hotkeys_.Use(keys);
      KeepSettings();
    }
  }
  view_.Show(Change::Hotkeys);
}

void Session::AskForFile(Command command) {
  files_.FinishSave();  // a save that runs ends first: it takes a moment
  if (files_.Busy()) return;
  if (command == Command::Save && recording_.empty()) return SayNothingRecorded();
  view_.AskForFile(command == Command::Save ? FileDialog::Save : FileDialog::Open);
}

}  // namespace engine
