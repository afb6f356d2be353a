#include "engine/session.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "engine/input.h"
#include "engine/recording_files.h"
#include "model/command_line.h"
#include "model/file_names.h"
#include "model/settings.h"

namespace engine {

Session::Session(View& view)
    : view_(view),
      recorder_([this] { view_.Show(Change::SamplerTick); }),
      player_(
          recording_, options_, [this] { PlaybackEnded(); }, [this] { PlaybackWrapped(); }),
      chronometer_([this] { view_.Show(Change::Chronometer); }),
      status_([this] { view_.Show(Change::Status); }),
      single_timer_(*this, view),
      sequence_(*this, view),
      files_([this] {
        status_.ShowProgress(files_.GetKind() == FileWork::Kind::Load ? StatusLine::Kind::Loading
                                                                      : StatusLine::Kind::Saving,
                             files_.Percent());
      }),
      hotkey_timer_(100, [this] { PollHotkeys(); }),
      idle_hotkey_timer_(1000, [this] { PollHotkeys(); }),
      settings_timer_(1000, [this] { SaveSettings(); }) {
  LoadSettings();
  hotkeys_told_ = platform::OnHotkeyChange([this] {
    if (!hotkeys_paused_ || state_ != State::Idle) PollHotkeys(true);
  });
  hotkeys_.TrustPresses(hotkeys_told_);
  TakeHotkeys();
}

Session::~Session() { platform::OnHotkeyChange(nullptr); }

namespace {

size_t IndexOf(Command command) { return static_cast<size_t>(command); }

// A key that may become a hotkey: not a mouse button nor a modifier, which go with other keys.
bool Choosable(int vk) {
  using namespace platform;
  switch (vk) {
    case vk::kShift:
    case vk::kControl:
    case vk::kAlt:
    case vk::kCapsLock:
    case vk::kNumLock:
    case vk::kScrollLock:
    case vk::kLeftWindows:
    case vk::kRightWindows:
      return false;
    default:
      return vk >= vk::kBackspace && !(vk >= vk::kLeftShift && vk <= vk::kRightAlt);
  }
}

// The keys the settings name where each may be a hotkey (as the panel checks a choice) and is a
// key of its own; else the defaults, and stderr says so once.
Hotkeys HotkeysFrom(const model::Settings& s, const std::string& path) {
  Hotkeys keys = kDefaultHotkeys;
  for (Hotkey& h : keys) {
    const int vk = s.hotkeys[IndexOf(h.command)];
    if (vk == 0) continue;
    if (Choosable(vk)) {
      h.vk = vk;
    } else {
      std::fprintf(stderr, "tapwright: %s: key %d is no key for a command; %s is used\n",
                   path.c_str(), vk, KeyName(h.vk).c_str());
    }
  }
  for (const Hotkey& a : keys)
    for (const Hotkey& b : keys)
      if (a.command != b.command && a.vk == b.vk) {
        std::fprintf(stderr, "tapwright: %s: two commands have one key; the first keys are used\n",
                     path.c_str());
        return kDefaultHotkeys;
      }
  return keys;
}

}  // namespace

void Session::LoadSettings() {
  UseHotkeys(kDefaultHotkeys);
  const std::string path = platform::SettingsPath();
  if (path.empty()) return;
  std::string fault;
  const model::Settings s = model::ParseSettings(ReadSmallText(path).value_or(""), &fault);
  if (!fault.empty())
    std::fprintf(stderr, "tapwright: %s: %s; the defaults are used\n", path.c_str(), fault.c_str());
  kept_settings_ = s;
  UseHotkeys(HotkeysFrom(s, path));
  options_ = s.options;
  single_timer_.SetStartTime(s.timer_start);
  single_timer_.SetEndTime(s.timer_end);
  last_folder_ = s.last_folder;
  settings_timer_.Stop();  // nothing to write: they came from the file
}

void Session::KeepSettings() { settings_timer_.Start(); }

void Session::SaveSettings() {
  settings_timer_.Stop();
  const std::string path = platform::SettingsPath();
  if (path.empty()) return;
  model::Settings s;
  s.options = options_;
  // A playback of a file from the command line plays at its own speed, not the user's.
  if (kept_speed_step_ >= 0) s.options.speed_step = kept_speed_step_;
  s.timer_start = single_timer_.StartTime();
  s.timer_end = single_timer_.EndTime();
  s.last_folder = last_folder_;
  for (size_t i = 0; i < kDefaultHotkeys.size(); ++i) {
    const int vk = HotkeysInUse()[i].vk;
    s.hotkeys[IndexOf(kDefaultHotkeys[i].command)] = vk != kDefaultHotkeys[i].vk ? vk : 0;
  }
  // Another copy (on another display) may have written its own changes since.
  const model::Settings now = model::ParseSettings(ReadSmallText(path).value_or(""));
  const model::Settings merged = model::MergeSettings(kept_settings_, s, now);
  platform::CreateFolders(model::FolderOf(path));
  if (SaveText(path, model::FormatSettings(merged))) kept_settings_ = s;
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
    EndPlayFile(model::kExitStopped);
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

void Session::FinishRecording() { recorder_.Stop(); }

void Session::PlaybackEnded() {
  // Another pass of a played file counts as a repeat's.
  if (play_file_done_ && passes_left_ != 1) {
    player_.Start();
    PlaybackWrapped();
    return;
  }
  BecomeIdle();
  EndPlayFile(model::kExitPlayed);
}

void Session::PlaybackWrapped() {
  if (play_file_done_ && passes_left_ > 0 && --passes_left_ == 0) {
    player_.Stop();
    BecomeIdle();
    EndPlayFile(model::kExitPlayed);
    return;
  }
  chronometer_.Restart();
  view_.Show(Change::Chronometer);
}

Busy Session::WhyBusy() const {
  if (state_ == State::Recording) return Busy::Recording;
  if (state_ == State::Playing) return Busy::Playing;
  if (files_.Busy() || play_file_done_) return Busy::FileWork;
  return hotkeys_paused_ ? Busy::Dialog : Busy::No;
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
  LoadRecording(
      path,
      [done] {
        if (done) done(model::kExitPlayed, "");
      },
      [done](const std::string& why) {
        if (done) done(model::kExitNotLoaded, why);
      });
}

void Session::PlayFile(const std::string& path, int passes, int speed_step, HandedDone done) {
  if (RefuseWhenBusy(path, done)) return;
  play_file_done_ = std::move(done);
  LoadRecording(
      path,
      [this, passes, speed_step] {
        passes_left_ = passes;
        if (speed_step >= 0 && speed_step < model::kSpeedCount) {
          kept_speed_step_ = std::exchange(options_.speed_step, speed_step);
          view_.Show(Change::Options);
        }
        PlayFromStart();
      },
      [this](const std::string& why) { EndPlayFile(model::kExitNotLoaded, why); });
}

void Session::StopPlayFile() {
  if (!play_file_done_) return;
  // Either ends the PlayFile as stopped; the playback lets go of what it holds.
  if (state_ == State::Playing) {
    TogglePlayback();
  } else {
    CancelLoad();
  }
}

void Session::EndPlayFile(int exit_code, const std::string& why) {
  if (!play_file_done_) return;
  if (kept_speed_step_ >= 0) {
    options_.speed_step = std::exchange(kept_speed_step_, -1);
    view_.Show(Change::Options);
  }
  std::exchange(play_file_done_, nullptr)(exit_code, why);
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
  kept_speed_step_ = -1;
  KeepSettings();
  player_.SpeedChanged();
  view_.Show(Change::Options);
}

void Session::ShowStatus(StatusLine::Kind kind, const std::string& path) {
  status_.Show(kind, model::FileBaseName(path));
}

void Session::LoadRecording(const std::string& path, std::function<void()> then,
                            std::function<void(const std::string&)> failed) {
  const auto fail = [&failed](const std::string& why) {
    if (failed) failed(why);
  };
  files_.FinishSave();  // a save that runs ends first: it takes a moment
  if (files_.Busy()) return fail("at work on another file");
  std::string name = path;
  try {
    if (name.empty()) name = ChooseFile(FileDialog::Open).value_or("");
  } catch (...) {
    return fail("");  // nothing was chosen
  }
  // Other files are ignored.
  if (!model::IsRecordingFile(name)) return fail(name.empty() ? "" : "not a .tpw file");
  files_.Load(name,
              [this, name, then = std::move(then), failed = std::move(failed)](LoadOutcome loaded) {
                TakeHotkeys();
                const bool play = std::exchange(play_after_load_, false);
                if (!loaded.recording) {
                  ShowStatus(StatusLine::Kind::LoadFailed, name);  // the recording stays as it was
                  if (failed) failed(DescribeLoadFault(loaded));
                  return;
                }
                recording_ = std::move(*loaded.recording);
                player_.Rewind();  // a new recording plays from its first sample
                ShowStatus(StatusLine::Kind::Loaded, name);
                if (then) then();
                // F10 came while it loaded: a file handed from outside plays too.
                if (play && state_ == State::Idle) TogglePlayback();
              });
  TakeHotkeys();
}

void Session::SaveRecording() {
  files_.FinishSave();
  if (files_.Busy()) return;
  if (recording_.empty()) return SayNothingRecorded();
  std::string path;
  try {
    path = ChooseFile(FileDialog::Save).value_or("");
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
  TakeHotkeys();
  play_after_load_ = false;
  if (status_.GetKind() == StatusLine::Kind::Loading) status_.Hide();
  EndPlayFile(model::kExitStopped);
}

void Session::Close() {
  StopPlayFile();
  Quit();
}

void Session::Quit(int exit_code) {
  player_.ReleaseHeld();
  files_.FinishSave();
  if (settings_timer_.Running()) SaveSettings();
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
      if (state_ == State::Idle) LoadRecording("");
      break;
    case Command::Save:
      if (state_ == State::Idle) SaveRecording();
      break;
  }
}

void Session::PollHotkeys(bool told) {
  if (choosing_) {
    TakeChosenKey();
    view_.Show(Change::HotkeyPoll);
    return;
  }
  // Every key is read at every poll, so a press made while it may not act is spent, not kept
  // for later. Each acts on the state the earlier ones left. A key that was not taken went to the
  // application in front: a poll told of a taken key spends its press, which may be a second old,
  // rather than act on it.
  const std::vector<int> taken = taken_hotkeys_;
  const auto acts = [&](const Hotkey& h) {
    return hotkeys_.Pressed(h.vk) &&
           (!told || std::find(taken.begin(), taken.end(), h.vk) != taken.end());
  };
  if (hotkeys_paused_) {
    // A dialog shows: only a stop acts, so that a playback behind it can always be ended.
    bool stop = false;
    for (const Hotkey& h : HotkeysInUse()) stop |= acts(h) && h.command == Command::Stop;
    if (stop && state_ != State::Idle) Act(Command::Stop);
    return;
  }
  if (!single_timer_.Armed()) {
    for (const Hotkey& h : HotkeysInUse())
      if (acts(h)) Act(h.command);
    view_.Show(Change::HotkeyPoll);
    return;
  }
  // While the timer waits, only a stop acts: it also disarms the timer.
  bool stop = false;
  for (const Hotkey& h : HotkeysInUse()) stop |= acts(h) && h.command == Command::Stop;
  if (stop) {
    if (state_ == State::Playing) TogglePlayback();
    single_timer_.Toggle();
  }
}

void Session::TakeHotkeys() {
  const bool idle = state_ == State::Idle && !single_timer_.Armed();
  const bool loading = files_.Busy() && files_.GetKind() == FileWork::Kind::Load;
  // Waiting for a hand, the taken keys' own presses wake the poll; the slow poll is for a key
  // another program holds, and keeps the window on top.
  const bool waiting = hotkeys_told_ && state_ == State::Idle && !choosing_;
  hotkey_timer_.SetRunning((!hotkeys_paused_ || state_ != State::Idle) && !waiting);
  idle_hotkey_timer_.SetRunning(!hotkeys_paused_ && waiting);
  std::vector<int> keys;
  for (const Hotkey& h : HotkeysInUse()) {
    bool acts = true;
    if (h.command == Command::Load || h.command == Command::Save) acts = idle && !loading;
    if (h.command == Command::Stop) acts = !idle || loading;
    if (acts) keys.push_back(h.vk);
  }
  if (keys == taken_hotkeys_) return;
  // Told of a key's changes only while it is taken, the session may have missed its release.
  for (const int vk : keys)
    if (std::find(taken_hotkeys_.begin(), taken_hotkeys_.end(), vk) == taken_hotkeys_.end())
      hotkeys_.Refresh(vk);
  taken_hotkeys_ = keys;
  platform::TakeHotkeys(keys);
}

void Session::ChooseHotkey(Command command) {
  choosing_ = command;
  // Only a press from now on is the choice.
  for (int vk = platform::vk::kBackspace; vk < 255; ++vk) hotkeys_.Spend(vk);
  status_.ShowHeld(StatusLine::Kind::ChooseKey);
  TakeHotkeys();
  view_.Show(Change::Hotkeys);
}

void Session::TakeChosenKey() {
  for (int vk = platform::vk::kBackspace; vk < 255; ++vk) {
    if (!hotkeys_.Pressed(vk) || !Choosable(vk)) continue;
    const Command command = *std::exchange(choosing_, std::nullopt);
    TakeHotkeys();
    status_.Hide();
    if (vk != platform::vk::kEscape && vk != KeyOf(command)) {
      if (IsHotkey(vk)) {
        status_.Show(StatusLine::Kind::KeyInUse, KeyName(vk));
      } else {
        Hotkeys keys = HotkeysInUse();
        for (Hotkey& h : keys)
          if (h.command == command) h.vk = vk;
        UseHotkeys(keys);
        KeepSettings();
        TakeHotkeys();
      }
    }
    view_.Show(Change::Hotkeys);
    return;
  }
}

void Session::PauseHotkeys() {
  hotkeys_paused_ = true;
  TakeHotkeys();
}

void Session::ResumeHotkeys() {
  for (const Hotkey& h : HotkeysInUse()) hotkeys_.Spend(h.vk);
  hotkeys_paused_ = false;
  TakeHotkeys();
}

std::optional<std::string> Session::ChooseFile(FileDialog which) {
  PauseHotkeys();
  try {
    std::optional<std::string> path = view_.ChooseFile(which);
    ResumeHotkeys();
    return path;
  } catch (...) {
    ResumeHotkeys();
    throw;
  }
}

}  // namespace engine
