// The hotkeys at work: taken from other applications while they may act, polled as often as the
// state needs, paused while a dialog shows, and the next key pressed taken as a command's new key.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "engine/hotkeys.h"
#include "engine/status_line.h"
#include "engine/view.h"
#include "engine/watches.h"
#include "platform/timer.h"

namespace engine {

class HotkeyPoller {
 public:
  // What the state lets the keys do.
  struct Moment {
    bool idle = true;  // neither recording nor playing
    bool timer_armed = false;
    bool loading = false;
  };

  // poll runs at each poll while no key is being chosen, told when a taken key's change rather
  // than the timer asked for it; moment says what the keys may do now; chosen runs when a
  // command took another key.
  HotkeyPoller(StatusLine& status, View& view, std::function<void(bool told)> poll,
               std::function<Moment()> moment, std::function<void()> chosen);
  ~HotkeyPoller();
  HotkeyPoller(const HotkeyPoller&) = delete;
  HotkeyPoller& operator=(const HotkeyPoller&) = delete;

  const HotkeySet& Keys() const { return keys_; }
  void Use(const HotkeySet& keys);

  // A new press since the last poll. Every key is read at every poll, so that a press made
  // while it may not act is spent, not kept for later. A key that was not taken went to the
  // application in front: a poll told of a taken key spends its press rather than act on it.
  bool Pressed(int vk, bool told);

  // Takes the keys that may act now, gives back the others, and polls as often as needed; called
  // as the moment changes.
  void Take();

  // While a dialog shows the keys are not read, and what was pressed meanwhile is spent.
  void Pause();
  void Resume();
  bool Paused() const { return paused_; }

  // The next key pressed becomes the command's; Esc keeps the key it has, and a key another
  // command has is refused. Meanwhile no hotkey acts.
  void Choose(Command command);
  std::optional<Command> Choosing() const { return choosing_; }

 private:
  void Poll(bool told);
  // The key pressed for the command being chosen, if one was.
  void TakeChoice();

  StatusLine& status_;
  View& view_;
  std::function<void(bool)> poll_;
  std::function<Moment()> moment_;
  std::function<void()> chosen_;
  HotkeySet keys_;
  HotkeyEdges edges_;
  std::vector<int> taken_;
  std::vector<int> taken_at_poll_;
  std::optional<Command> choosing_;
  bool told_ = false;  // the platform tells a taken key's press
  bool paused_ = false;
  platform::Timer poll_timer_;
  platform::Timer idle_poll_timer_;
};

}  // namespace engine
