#include "engine/sequence.h"

#include "model/file_names.h"
#include "platform/process.h"

namespace engine {

Sequence::Sequence(Playback& playback, const SingleTimer& timer, const model::Options& options,
                   View& view)
    : playback_(playback),
      timer_(timer),
      options_(options),
      view_(view),
      sequence_timer_(1000, [this] { Tick(); }) {}

bool Sequence::Add(const std::string& path) {
  if (!model::IsRecordingFile(path)) return false;
  entries_.push_back({path, {}});
  return true;
}

bool Sequence::Remove(int index) {
  if (on_ || index < 0 || index >= static_cast<int>(entries_.size())) return false;
  entries_.erase(entries_.begin() + index);
  return true;
}

void Sequence::SetStartTime(int index, model::HourMinute t) {
  if (index >= 0 && index < static_cast<int>(entries_.size()))
    entries_[static_cast<size_t>(index)].start = t;
}

bool Sequence::Toggle() {
  if (entries_.empty() || timer_.Armed()) return false;
  on_ = !on_;
  position_ = 0;
  watch_.Start(platform::LocalClockSeconds());
  sequence_timer_.SetRunning(on_);
  view_.Show(Change::Sequence);
  return true;
}

void Sequence::Tick() {
  // An entry's file still loading: its playback has not begun, so no later entry may start.
  if (playback_.FileBusy()) return;
  watch_.Take(platform::LocalClockSeconds());
  const bool valid = position_ >= 0 && position_ < static_cast<int>(entries_.size());
  if (on_ && valid && !entry_playing_ &&
      watch_.IsDue(entries_[static_cast<size_t>(position_)].start.Second())) {
    entry_playing_ = true;
    // An entry whose file does not load is passed over, not played with another's recording.
    const std::string path = entries_[static_cast<size_t>(position_)].path;
    playback_.LoadThenPlay(path);
    if (++position_ > static_cast<int>(entries_.size()) - 1) {
      if (!options_.repeat) {
        sequence_timer_.Stop();
        on_ = false;
        view_.Show(Change::Sequence);
      }
      position_ = 0;
    }
  }
  entry_playing_ = entry_playing_ && playback_.Playing();
}

}  // namespace engine
