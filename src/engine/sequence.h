// The sequence: recording files, each with the time of day it plays at, and the player that
// loads and plays each at its time, in list order.
#pragma once

#include <string>
#include <vector>

#include "engine/playback.h"
#include "engine/single_timer.h"
#include "engine/view.h"
#include "model/options.h"
#include "model/sequence_entry.h"
#include "model/time_of_day.h"
#include "platform/timer.h"

namespace engine {

class Sequence {
 public:
  // It plays through `playback`, never while `timer` is armed, and starts over with repeat on.
  Sequence(Playback& playback, const SingleTimer& timer, const model::Options& options, View& view);

  const std::vector<model::SequenceEntry>& Entries() const { return entries_; }
  bool On() const { return on_; }
  // The entry the player waits for.
  int Position() const { return position_; }

  // Adds a recording file at the end, at 12:00; false for any other file.
  bool Add(const std::string& path);
  // The list's - button; nothing while the player is on.
  bool Remove(int index);
  void SetStartTime(int index, model::HourMinute t);
  // Switches the player on or off; refused with an empty list or an armed timer. true when it
  // switched.
  bool Toggle();

 private:
  void Tick();

  Playback& playback_;
  const SingleTimer& timer_;
  const model::Options& options_;
  View& view_;
  std::vector<model::SequenceEntry> entries_;
  bool on_ = false;
  int position_ = 0;
  bool entry_playing_ = false;  // an entry the player started still plays
  model::DueWatch watch_;
  platform::Timer sequence_timer_;
};

}  // namespace engine
