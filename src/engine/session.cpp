#include "engine/session.h"

#include <utility>

#include "engine/recording_files.h"
#include "model/command_line.h"
#include "model/file_names.h"
#include "platform/files.h"

namespace engine {

Session::Session(const Parts& parts)
    : view_(parts.view),
      options_(parts.options),
      status_(parts.status),
      chronometer_(parts.chronometer),
      hotkeys_(parts.hotkeys),
      recorder_(parts.recorder),
      player_(parts.player),
      play_file_(parts.play_file),
      files_([this] {
        status_.ShowProgress(files_.GetKind() == FileWork::Kind::Load ? StatusLine::Kind::Loading
                                                                      : StatusLine::Kind::Saving,
                             files_.Percent());
      }) {}

void Session::SetRecording(model::Recording r) {
  recording_ = std::move(r);
  view_.Show(Change::Status);  // what the status line suggests depends on it
}

void Session::ToggleRecording() {
  if (state_ == State::Playing) return;
  view_.Show(Change::Toggle);
  if (state_ != State::Recording) return StartRecording(options_.record_keyboard);
  FinishRecording();
  BecomeIdle();
  if (!record_done_) return;
  SaveRecording(std::exchange(record_to_, ""),
                [done = std::exchange(record_done_, nullptr)](bool saved, const std::string& why) {
                  done(saved ? model::kExitPlayed : model::kExitNotLoaded, why);
                });
}

void Session::StartRecording(bool keyboard) {
  // What the user does now goes before what they asked for earlier; a save of the recording
  // that goes is let finish.
  CancelLoad();
  files_.FinishSave();
  state_ = State::Recording;
  recording_ = model::Recording();
  player_.Rewind();
  recorder_.Start(recording_, keyboard);
  chronometer_.Restart();
  hotkeys_.Take();
  view_.Show(Change::State);
}

void Session::TogglePlayback() {
  // A recording made for the command line is only saved.
  if (record_done_) return;
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
      status_.Show(StatusLine::Kind::NothingRecorded, "");
    }
    return;
  }
  CancelLoad();
  player_.Start();
  if (state_ == State::Recording) FinishRecording();
  state_ = State::Playing;
  chronometer_.Restart();
  hotkeys_.Take();
  view_.Show(Change::State);
}

void Session::PlayFromStart() {
  player_.Rewind();
  TogglePlayback();
}

void Session::Schedulers::StopPlayback() {
  if (session_.state_ == State::Playing) session_.TogglePlayback();
}

void Session::Schedulers::LoadThenPlay(const std::string& path) {
  session_.LoadRecording(path, [this](bool loaded, const std::string&) {
    if (loaded) session_.TogglePlayback();
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

void Session::PlaybackNotFound(std::int32_t sample) {
  BecomeIdle();
  // Where in the recording, as the chronometer counted it.
  const std::int32_t s = sample / 1000;
  const std::string where = std::to_string(s / 60) + "m " + std::to_string(s % 60) + "s";
  status_.Show(StatusLine::Kind::NotFound, where);
  play_file_.End(model::kExitNotFound,
                 "the screen did not show what it showed when recorded, at " + where);
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

void Session::PlayFile(const std::string& path, int passes, double speed, bool wait,
                       HandedDone done) {
  if (RefuseWhenBusy(path, done)) return;
  play_file_.Begin(std::move(done));
  LoadRecording(path, [this, passes, speed, wait](bool loaded, const std::string& why) {
    if (!loaded) return play_file_.End(model::kExitNotLoaded, why);
    play_file_.Loaded(passes, speed, wait);
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

void Session::RecordFile(const std::string& path, bool keyboard, HandedDone done) {
  if (RefuseWhenBusy(path, done)) return;
  // Refused before the user records anything it could not keep.
  if (!model::IsRecordingFile(path)) return done(model::kExitNotLoaded, "not a .tpw file");
  platform::SaveTarget target;
  if (!platform::GetSaveTarget(path, target) || !target.writable)
    return done(model::kExitNotLoaded, "no file can be written there");
  record_to_ = path;
  record_done_ = std::move(done);
  view_.Show(Change::Toggle);
  StartRecording(keyboard);
}

void Session::StopRecordFile() {
  if (record_done_ && state_ == State::Recording) ToggleRecording();
}

void Session::BecomeIdle() {
  state_ = State::Idle;
  chronometer_.Stop();
  hotkeys_.Take();
  view_.Show(Change::State);
}

void Session::ShowStatus(StatusLine::Kind kind, const std::string& path) {
  status_.Show(kind, model::FileBaseName(path));
}

void Session::LoadRecording(const std::string& path, FileDone done) {
  const auto tell = [&done](bool loaded, const std::string& why) {
    if (done) done(loaded, why);
  };
  files_.FinishSave();  // a save that runs ends first: it takes a moment
  if (files_.Busy()) return tell(false, "at work on another file");
  // Other files are ignored.
  if (!model::IsRecordingFile(path)) return tell(false, "not a .tpw file");
  files_.Load(path, [this, path, done = std::move(done)](LoadOutcome outcome) {
    hotkeys_.Take();
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
  hotkeys_.Take();
}

void Session::SaveRecording(const std::string& path, FileDone done) {
  const auto tell = [&done](bool saved, const std::string& why) {
    if (done) done(saved, why);
  };
  files_.FinishSave();
  if (files_.Busy()) return tell(false, "at work on another file");
  if (recording_.empty()) {
    status_.Show(StatusLine::Kind::NothingRecorded, "");
    return tell(false, "nothing was recorded");
  }
  files_.Save(path, recording_, hotkeys_.Keys(), [this, path, done = std::move(done)](bool saved) {
    ShowStatus(saved ? StatusLine::Kind::Saved : StatusLine::Kind::SaveFailed, path);
    if (done) done(saved, saved ? "" : "it could not be written there");
  });
}

void Session::CancelLoad() {
  if (!files_.Busy() || files_.GetKind() != FileWork::Kind::Load) return;
  files_.CancelLoad();
  hotkeys_.Take();
  play_after_load_ = false;
  if (status_.GetKind() == StatusLine::Kind::Loading) status_.Hide();
  play_file_.End(model::kExitStopped, "");
}

void Session::Finish() {
  player_.ReleaseHeld();
  files_.FinishSave();
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

void Session::AskForFile(Command command) {
  files_.FinishSave();  // a save that runs ends first: it takes a moment
  if (files_.Busy()) return;
  if (command == Command::Save && recording_.empty())
    return status_.Show(StatusLine::Kind::NothingRecorded, "");
  view_.AskForFile(command == Command::Save ? FileDialog::Save : FileDialog::Open);
}

}  // namespace engine
