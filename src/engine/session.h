// The session: idle, recording or playing, the commands that switch between them, what each
// hotkey may do in each state, and the program's one recording with the files it is loaded from
// and saved to. It tells its view what changed.
#pragma once

#include <functional>
#include <string>

#include "engine/chronometer.h"
#include "engine/file_work.h"
#include "engine/hotkey_poller.h"
#include "engine/play_file_job.h"
#include "engine/playback.h"
#include "engine/player.h"
#include "engine/recorder.h"
#include "engine/status_line.h"
#include "engine/view.h"
#include "model/options.h"
#include "model/recording.h"

namespace engine {

enum class State { Idle, Recording, Playing };

// What keeps the session from taking a file from outside (a later copy, a drop) now.
enum class Busy { No, Recording, Playing, FileWork, Dialog };

class Session {
 public:
  // The parts the session drives; the player is built after the session, on its recording, and
  // is used only once it is.
  struct Parts {
    View& view;
    const model::Options& options;
    StatusLine& status;
    Chronometer& chronometer;
    HotkeyPoller& hotkeys;
    Recorder& recorder;
    Player& player;
    PlayFileJob& play_file;
  };

  explicit Session(const Parts& parts);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  State GetState() const { return state_; }
  const model::Recording& GetRecording() const { return recording_; }
  // Replaces the recording; a stopped playback would go on from where it stopped.
  void SetRecording(model::Recording r);

  // Rec / Stop: starting discards the recording. Playing, it does nothing.
  void ToggleRecording();
  // Play / Stop. With nothing to play the session ends idle (a recording that has no sample
  // yet ends); during a recording it ends the recording and plays it.
  void TogglePlayback();

  // What came of a load or a save: done, or why not in words for the command line.
  using FileDone = std::function<void(bool done, const std::string& why)>;
  // Loads the file at path; only recording files are read. The file is read on another thread:
  // the recording is replaced when it is all there. A file that fails says so; the recording
  // stays. Nothing while a load or a save runs. `done`, when given, hears the outcome.
  void LoadRecording(const std::string& path, FileDone done = nullptr);
  // Saves the recording at path, on another thread; an empty recording is not saved. `done`,
  // when given, hears the outcome.
  void SaveRecording(const std::string& path, FileDone done = nullptr);

  // A hotkey's command, as each state allows it: a stop ends a recording or a playback, or
  // cancels a load; loading and saving act only while idle, asking the view for the file.
  void Act(Command command);

  Busy WhyBusy() const;
  // A file handed from outside: loaded only while nothing would lose by it (never over a
  // recording in progress, nor into a playback that may hold a button); else the status line
  // says so and `done` hears kExitBusy. done may be empty.
  void OpenHandedFile(const std::string& path, const HandedDone& done);
  // Loads the file and plays it `passes` times (0: until stopped), at `speed` times the
  // recorded pace, whatever the options say, then runs `done` with the outcome:
  // model::kExitPlayed at the end, kExitStopped when stopped (Esc, StopPlayFile) during the
  // playback or the load, kExitNotLoaded when the file fails, kExitBusy when the session cannot
  // take it now. With `wait`, it waits for the screen at each press (kExitNotFound when it never
  // looks so).
  void PlayFile(const std::string& path, int passes, double speed, bool wait, HandedDone done);
  // Ends the PlayFile that runs (its playback or its load) as stopped, letting go of what it
  // holds; nothing when none runs.
  void StopPlayFile();
  // Records from now, the keyboard too when `keyboard` says so whatever the options say, until
  // the record hotkey or a stop, then saves the recording at path and runs `done`:
  // model::kExitPlayed once saved, kExitNotLoaded when it could not be, kExitBusy when the
  // session cannot take it now. Playing is refused meanwhile.
  void RecordFile(const std::string& path, bool keyboard, HandedDone done);
  // Ends the RecordFile that runs as the hotkey would: what was recorded is saved.
  void StopRecordFile();

 private:
  // The engine wires the playback's ends, the schedulers and the hotkeys' moment to the session.
  friend class Engine;

  // What the schedulers may ask of the session.
  class Schedulers final : public Playback {
   public:
    explicit Schedulers(Session& session) : session_(session) {}
    bool Playing() const override { return session_.state_ == State::Playing; }
    bool FileBusy() const override { return session_.files_.Busy(); }
    void PlayFromStart() override { session_.PlayFromStart(); }
    void StopPlayback() override;
    void LoadThenPlay(const std::string& path) override;

   private:
    Session& session_;
  };

  // A new playback from the first sample, wherever an earlier one stopped.
  void PlayFromStart();
  bool Loading() const { return files_.Busy() && files_.GetKind() == FileWork::Kind::Load; }
  // The program ends: what a playback holds is let go, a save is let finish.
  void Finish();
  // Loading or saving: the view asks the user for the file, after this call.
  void AskForFile(Command command);
  void StartRecording(bool keyboard);
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
  // Waiting for the screen at the press of that sample, the playback gave up and stopped.
  void PlaybackNotFound(std::int32_t sample);

  View& view_;
  const model::Options& options_;
  StatusLine& status_;
  Chronometer& chronometer_;
  HotkeyPoller& hotkeys_;
  Recorder& recorder_;
  Player& player_;
  PlayFileJob& play_file_;
  model::Recording recording_;
  State state_ = State::Idle;
  bool play_after_load_ = false;  // F10 came while a file was being read
  // A RecordFile that runs: where the recording goes once it ends, and who hears of it.
  std::string record_to_;
  HandedDone record_done_;
  FileWork files_;
  Schedulers schedulers_{*this};
};

}  // namespace engine
