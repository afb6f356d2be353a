// The sequence: recording files, each with the time of day it plays at, and the player that
// loads and plays each at its time, in list order.
#pragma once

#include <string>
#include <vector>

#include "model/sequence_entry.h"
#include "model/time_of_day.h"
#include "platform/timer.h"

namespace engine {

class Session;
class View;

class Sequence {
 public:
  Sequence(Session& session, View& view);

  const std::vector<model::SequenceEntry>& Entries() const { return entries_; }
  bool On() const { return on_; }
  // The entry the player waits for.
  int Position() const { return position_; }

  // Adds a recording file at the end, at 12:00; false for any other file.
  bool Add(const std::string& path);
  // The list's + button: asks the user for a file and adds it; nothing while the player is on.
  bool AddChosen();
  // The list's - button; nothing while the player is on.
  bool Remove(int index);
  void SetStartTime(int index, model::HourMinute t);
  // Switches the player on or off; refused with an empty list or an armed timer. true when it
  // switched.
  bool Toggle();

 private:
  void Tick();

  Session& session_;
  View& view_;
  std::vector<model::SequenceEntry> entries_;
  bool on_ = false;
  int position_ = 0;
  bool entry_playing_ = false;  // an entry the player started still plays
  model::DueWatch watch_;
  platform::Timer sequence_timer_;
};

}  // namespace engine
