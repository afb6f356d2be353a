// How the engine reaches whoever shows it: what changed, and the one question it asks the user.
// An observer rather than a state read after each command, because timers change the state too:
// the end of a playback, the chronometer, the status line's expiry, the timer and the sequence.
#pragma once

namespace engine {

enum class Change {
  State,        // idle, recording or playing
  Toggle,       // a Rec/Play toggle begins: the window closes its panels
  Chronometer,  // a second counted, or the count restarted
  Status,       // the status line shown or gone
  Options,      // repeat, simulate clicks, record keyboard, speed
  SingleTimer,  // armed or disarmed
  Sequence,     // its player switched on or off
  HotkeyPoll,   // the hotkeys were polled (not while the timer is armed)
  SamplerTick,  // a sampler tick is about to read the pointer
  IdleStop,     // the stop key pressed while idle: the window closes what it shows
  Hotkeys,      // a hotkey is being chosen, or was
};

enum class FileDialog { Open, Save };

class View {
 public:
  virtual ~View() = default;
  virtual void Show(Change what) = 0;
  // Asks the user for a recording file to load or to save into, once this call has returned (a
  // dialog's loop never runs inside an engine command), and hands the answer to the session's
  // LoadRecording or SaveRecording; nothing when cancelled.
  virtual void AskForFile(FileDialog which) = 0;
};

// Passes on to the view that shows the engine now, if any.
class ViewRelay final : public View {
 public:
  void SetTarget(View* to) { to_ = to; }
  void Show(Change what) override {
    if (to_) to_->Show(what);
  }
  void AskForFile(FileDialog which) override {
    if (to_) to_->AskForFile(which);
  }

 private:
  View* to_ = nullptr;
};

}  // namespace engine
