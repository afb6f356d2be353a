// The session: idle, recording or playing, the commands that switch between them, the hotkeys
// and what each may do in each state, the options, and the program's one recording. It owns the
// components that do the work and tells its view what changed.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "engine/chronometer.h"
#include "engine/file_work.h"
#include "engine/hotkey_poller.h"
#include "engine/play_file_job.h"
#include "engine/playback.h"
#include "engine/player.h"
#include "engine/recorder.h"
#include "engine/sequence.h"
#include "engine/settings_keeper.h"
#include "engine/single_timer.h"
#include "engine/status_line.h"
#include "engine/view.h"
#include "engine/watches.h"
#include "model/options.h"
#include "model/recording.h"
#include "model/settings.h"
#include "platform/timer.h"

namespace engine {

enum class State { Idle, Recording, Playing };

// What keeps the session from taking a file from outside (a later copy, a drop) now.
enum class Busy { No, Recording, Playing, FileWork, Dialog };

class Session : public Playback {
 public:
  // Shown by no view until one is set.
  Session();
  explicit Session(View& view) : Session() { SetView(&view); }
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The view that shows the session from now on; nullptr: none.
  void SetView(View* view) { view_.SetTarget(view); }
  State GetState() const { return state_; }
  const model::Recording& GetRecording() const { return recording_; }
  // Replaces the recording; a stopped playback would go on from where it stopped.
  void SetRecording(model::Recording r) {
    recording_ = std::move(r);
    view_.Show(Change::Status);  // what the status line suggests depends on it
  }
  const model::Options& GetOptions() const { return options_; }

  const Recorder& GetRecorder() const { return recorder_; }
  Player& GetPlayer() { return player_; }
  const Player& GetPlayer() const { return player_; }
  const Chronometer& GetChronometer() const { return chronometer_; }
  const StatusLine& GetStatusLine() const { return status_; }
  SingleTimer& GetSingleTimer() { return single_timer_; }
  const SingleTimer& GetSingleTimer() const { return single_timer_; }
  Sequence& GetSequence() { return sequence_; }
  const Sequence& GetSequence() const { return sequence_; }

  // Rec / Stop: starting discards the recording. Playing, it does nothing.
  void ToggleRecording();
  // Play / Stop. With nothing to play the session ends idle (a recording that has no sample
  // yet ends); during a recording it ends the recording and plays it.
  void TogglePlayback();
  // Playback
  bool Playing() const override { return state_ == State::Playing; }
  void PlayFromStart() override;
  void StopPlayback() override;
  void LoadThenPlay(const std::string& path) override;

  // The options. Repeat is locked while the single timer is armed.
  void ToggleRepeat();
  void ToggleSimulateClicks();
  void ToggleRecordKeyboard();
  // Steps faster (steps > 0) or slower within the speeds; a playback goes on from where it is.
  void ChangeSpeed(int steps);

  // What came of a load: loaded, or why not in words for the command line.
  using LoadDone = std::function<void(bool loaded, const std::string& why)>;
  // Loads the file at path; only recording files are read. The file is read on another thread:
  // the recording is replaced when it is all there. A file that fails says so; the recording
  // stays. Nothing while a load or a save runs. `done`, when given, hears the outcome.
  void LoadRecording(const std::string& path, LoadDone done = nullptr);
  Busy WhyBusy() const;
  // A file handed from outside: loaded only while nothing would lose by it (never over a
  // recording in progress, nor into a playback that may hold a button); else the status line
  // says so and `done` hears kExitBusy. done may be empty.
  void OpenHandedFile(const std::string& path, const HandedDone& done);
  // Loads the file and plays it `passes` times (0: until stopped), at the speed step given (-1:
  // the options'), then runs `done` with the outcome: model::kExitPlayed at the end,
  // kExitStopped when stopped (Esc, StopPlayFile) during the playback or the load,
  // kExitNotLoaded when the file fails, kExitBusy when the session cannot take it now. The
  // speed goes back to the options' after.
  void PlayFile(const std::string& path, int passes, int speed_step, HandedDone done);
  // Ends the PlayFile that runs (its playback or its load) as stopped, letting go of what it
  // holds; nothing when none runs.
  void StopPlayFile();
  // Saves the recording at path, on another thread; an empty recording is not saved.
  void SaveRecording(const std::string& path);
  // Says so on the status line, when the user asks to play, save or time an empty recording.
  void SayNothingRecorded() { status_.Show(StatusLine::Kind::NothingRecorded, ""); }
  // The folder of the file chosen last ("" before any), kept in the settings.
  const std::string& LastFolder() const { return last_folder_; }
  void SetLastFolder(std::string folder);
  // The settings changed: they are written a second after the last change, or as the program
  // ends.
  void KeepSettings();
  bool FileBusy() const override { return files_.Busy(); }
  // The hotkeys are not read while a dialog is open, and what was pressed meanwhile is spent.
  void PauseHotkeys() { hotkeys_.Pause(); }
  void ResumeHotkeys() { hotkeys_.Resume(); }
  // A hotkey's command, as each state allows it: a stop ends a recording or a playback, or
  // cancels a load; loading and saving act only while idle, asking the view for the file.
  void Act(Command command);
  // The next key pressed becomes the command's, kept in the settings; Esc keeps the key it has,
  // and a key another command has is refused. Meanwhile no hotkey acts.
  void ChooseHotkey(Command command);
  std::optional<Command> ChoosingHotkey() const { return hotkeys_.Choosing(); }
  const HotkeySet& Hotkeys() const { return hotkeys_.Keys(); }
  // Ends the program at once, letting go of whatever a playback holds.
  [[noreturn]] void Quit(int exit_code = 0);
  // Asked to end from outside (a close request, a signal): a PlayFile that runs ends as stopped
  // first, so that its asker hears so (the command line's own then ends the program with it).
  [[noreturn]] void Close();

 private:
  // told: a taken key's change, not the timer, asked for the poll.
  void PollHotkeys(bool told);
  HotkeyPoller::Moment HotkeyMoment() const;
  void TakeHotkeys() { hotkeys_.Take(); }
  void TakeChosenKey();
  // Loading or saving: the view asks the user for the file, after this call.
  void AskForFile(Command command);
  void FinishRecording();
  void BecomeIdle();
  void ShowStatus(StatusLine::Kind kind, const std::string& path);
  // Refuses a file from outside when busy; true when it was refused.
  bool RefuseWhenBusy(const std::string& path, const HandedDone& done);
  // Ends a load that runs, and its progress on the status line.
  void CancelLoad();
  // A playback reached its end (ended) or started over with repeat on (wrapped).
  void PlaybackEnded();
  void PlaybackWrapped();
  void LoadSettings();
  model::Settings CurrentSettings() const;

  ViewRelay view_;
  model::Options options_;
  model::Recording recording_;
  State state_ = State::Idle;
  HotkeyPoller hotkeys_;
  Recorder recorder_;
  Player player_;
  Chronometer chronometer_;
  StatusLine status_;
  SingleTimer single_timer_;
  Sequence sequence_;
  bool play_after_load_ = false;  // F10 came while a file was being read
  FileWork files_;
  std::string last_folder_;
  SettingsKeeper settings_;
  PlayFileJob play_file_;
};

}  // namespace engine
