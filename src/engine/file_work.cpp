#include "engine/file_work.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>

#include "engine/input.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/loop.h"

namespace engine {

struct FileWork::Job {
  FileProgress progress;
  LoadOutcome loaded;
  bool saved = false;
  std::atomic<bool> finished{false};  // what the worker wrote above may be read
};

FileWork::FileWork(std::function<void()> progressed)
    : progressed_(std::move(progressed)), poll_timer_(20, [this] { Poll(); }) {}

FileWork::~FileWork() {
  CancelLoad();
  FinishSave();
}

int FileWork::Percent() const { return job_ ? job_->progress.Percent() : 0; }

void FileWork::Load(const std::string& path, std::function<void(LoadOutcome)> done) {
  if (Busy()) return;
  kind_ = Kind::Load;
  loaded_ = std::move(done);
  Start([path](Job& job) { job.loaded = ReadRecordingFile(path, &job.progress); });
}

void FileWork::Save(const std::string& path, const model::Recording& recording,
                    const HotkeySet& hotkeys, std::function<void(bool)> done) {
  if (Busy()) return;
  kind_ = Kind::Save;
  saved_ = std::move(done);
  // The keys as they are now, not as another command may make them meanwhile.
  Start([path, &recording, hotkeys](Job& job) {
    job.saved = SaveRecordingFile(path, recording, HoldsKeys(recording, hotkeys), &job.progress);
  });
}

void FileWork::Start(std::function<void(Job&)> work) {
  job_ = std::make_shared<Job>();
  shown_percent_ = -1;
  platform::RunInBackground([job = job_, work = std::move(work)] {
    try {
      work(*job);
    } catch (...) {
      // Out of memory, say: no outcome, which is a failure.
      job->loaded = LoadOutcome{std::nullopt, LoadFault::NoMemory, 0};
      job->saved = false;
    }
    job->finished.store(true, std::memory_order_release);
  });
  if (job_->finished.load(std::memory_order_acquire))
    Poll();
  else
    poll_timer_.Start();
}

void FileWork::Poll() {
  if (!job_) return;
  if (!job_->finished.load(std::memory_order_acquire)) {
    if (Percent() != shown_percent_) {
      shown_percent_ = Percent();
      progressed_();
    }
    return;
  }
  poll_timer_.Stop();
  const std::shared_ptr<Job> job = std::exchange(job_, nullptr);
  if (kind_ == Kind::Load) {
    std::exchange(loaded_, nullptr)(std::move(job->loaded));
  } else {
    std::exchange(saved_, nullptr)(job->saved);
  }
}

void FileWork::CancelLoad() {
  if (!job_ || kind_ != Kind::Load) return;
  job_->progress.cancelled = true;
  poll_timer_.Stop();
  job_.reset();  // the worker keeps its share until it sees the word
  loaded_ = nullptr;
}

void FileWork::FinishSave() {
  if (!job_ || kind_ != Kind::Save) return;
  while (!job_->finished.load(std::memory_order_acquire))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  Poll();  // its outcome, now
}

}  // namespace engine
