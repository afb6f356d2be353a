// The short confirmation under the state word after a save or a load, or the word that there is
// nothing to play or save, for about six seconds; and how far a load or a save has come while it
// runs.
#pragma once

#include <functional>
#include <string>

#include "platform/timer.h"

namespace engine {

class StatusLine {
 public:
  enum class Kind {
    Loaded,
    Saved,
    LoadFailed,
    SaveFailed,
    Loading,
    Saving,
    NothingRecorded,
    ChooseKey,  // a hotkey is being chosen; the name is its key now
    KeyInUse,   // the key chosen is another command's
    KeyChosen,  // the command has the key
    KeyKept,    // Esc, or the same key: the command keeps its key
    Busy,       // a file from outside refused: a recording, a playback, file work or a dialog
    NotFound,   // a replay stopped: the screen never looked as it did at a press
    Wayland,    // at the start on a Wayland desktop: only X11 applications are reached
  };

  // changed runs when the line shows or goes.
  explicit StatusLine(std::function<void()> changed);

  // Shows the kind and the file's name; the six seconds count from the latest call.
  void Show(Kind kind, std::string name);
  // Loading or Saving, shown until the next Show or Hide.
  void ShowProgress(Kind kind, int percent);
  // Shown until the next Show or Hide.
  void ShowHeld(Kind kind, std::string name = "");
  void Hide();
  bool Visible() const { return visible_; }
  Kind GetKind() const { return kind_; }
  const std::string& Name() const { return name_; }
  int Percent() const { return percent_; }

 private:
  void Tick();

  std::function<void()> changed_;
  Kind kind_ = Kind::Loaded;
  std::string name_;
  int percent_ = 0;
  bool visible_ = false;
  int ticks_ = 0;
  platform::Timer status_timer_;
};

}  // namespace engine
