// Loads and saves on a thread of their own, so that a big file never holds up the window: the UI
// thread starts the work, shows how far it has come and takes the outcome when it is there.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/hotkeys.h"
#include "engine/recording_files.h"
#include "model/recording.h"
#include "platform/timer.h"

namespace engine {

class FileWork {
 public:
  enum class Kind { Load, Save };

  // progressed runs on the UI thread whenever the percentage shown may have changed.
  explicit FileWork(std::function<void()> progressed);
  FileWork(const FileWork&) = delete;
  FileWork& operator=(const FileWork&) = delete;
  ~FileWork();

  bool Busy() const { return job_ != nullptr; }
  Kind GetKind() const { return kind_; }
  int Percent() const;

  // Each runs `done` on the UI thread with the outcome: at once where the work ends before the
  // call returns, else from a timer. Nothing while other work runs.
  void Load(const std::string& path, std::function<void(LoadOutcome)> done);
  // The recording is read as it is, not copied: it must stay unchanged until FinishSave or the
  // outcome. Recorded keystrokes may hold a password: such a file is the owner's alone.
  // Keys in `hotkeys` do not count as keystrokes.
  void Save(const std::string& path, const model::Recording& recording, const HotkeySet& hotkeys,
            std::function<void(bool)> done);
  // Ends a load without an outcome: `done` never runs. A save is not stopped: it is on the disk
  // soon, and the old file is whole until then.
  void CancelLoad();
  // Waits for a save to be on the disk and takes its outcome: before the recording changes,
  // another file is asked for, or the program ends.
  void FinishSave();

 private:
  struct Job;  // shared with the worker thread
  void Start(std::function<void(Job&)> work);
  void Poll();

  std::shared_ptr<Job> job_;
  Kind kind_ = Kind::Load;
  // Whoever hears the outcome of the work that runs.
  std::function<void(LoadOutcome)> loaded_;
  std::function<void(bool)> saved_;
  int shown_percent_ = -1;
  std::function<void()> progressed_;
  platform::Timer poll_timer_;
};

}  // namespace engine
