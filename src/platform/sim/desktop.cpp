#include "platform/sim/desktop.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/display.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "platform/screen.h"

namespace sim::detail {

Desktop& D() {
  static Desktop d;
  return d;
}

WindowState& W(WindowHandle w) {
  auto it = D().windows.find(w);
  if (it == D().windows.end()) throw std::logic_error("sim: no such window");
  return it->second;
}

WindowState* Find(WindowHandle w) {
  auto it = D().windows.find(w);
  return it == D().windows.end() ? nullptr : &it->second;
}

// Keeps topmost windows above the others, each group in its own order.
void Restack() {
  std::stable_partition(D().z_order.begin(), D().z_order.end(),
                        [](WindowHandle h) { return !W(h).topmost; });
}

void BringToTop(WindowHandle w) {
  auto& z = D().z_order;
  z.erase(std::remove(z.begin(), z.end(), w), z.end());
  z.push_back(w);
  Restack();
}

void FireTimer(platform::TimerId id) {
  auto it = D().timers.find(id);
  if (it == D().timers.end() || it->second.running) return;
  Timer& t = it->second;
  // The next tick lies on the grid strictly after now: a late loop fires once, not a burst.
  t.next_due = t.start + t.interval * ((D().now - t.start) / t.interval + 1);
  TimerTickMessage(id)();
}

// The timer due first at or before `until`, equal times going to the older timer.
std::optional<platform::TimerId> NextDue(std::int64_t until) {
  std::optional<platform::TimerId> best;
  std::int64_t best_due = 0;
  for (const auto& [id, t] : D().timers) {
    if (t.running || t.next_due > until) continue;
    if (!best || t.next_due < best_due) {
      best = id;
      best_due = t.next_due;
    }
  }
  return best;
}

void Deliver(WindowHandle w, const platform::MouseEvent& e) {
  WindowState* s = Find(w);
  if (!s || !s->listener || s->disabled) return;
  s->listener->OnMouse(e);
}

int HeldButtons() {
  int b = 0;
  if (D().keys[platform::vk::kLeftButton].down) b |= 1;
  if (D().keys[platform::vk::kRightButton].down) b |= 2;
  if (D().keys[platform::vk::kMiddleButton].down) b |= 4;
  if (D().keys[platform::vk::kX1Button].down) b |= 32;
  if (D().keys[platform::vk::kX2Button].down) b |= 64;
  return b;
}

int VkOf(platform::MouseButton b) {
  switch (b) {
    case platform::MouseButton::Left:
      return platform::vk::kLeftButton;
    case platform::MouseButton::Right:
      return platform::vk::kRightButton;
    case platform::MouseButton::Middle:
      return platform::vk::kMiddleButton;
    case platform::MouseButton::X1:
      return platform::vk::kX1Button;
    case platform::MouseButton::X2:
      return platform::vk::kX2Button;
    case platform::MouseButton::None:
      break;
  }
  return 0;
}

// A pointer move reaches the window under the cursor (or the one holding the capture).
void SendMove() {
  const WindowHandle w = D().captured ? D().captured : WindowAt(D().cursor.x, D().cursor.y);
  if (!w) return;
  const platform::Rect b = W(w).bounds;
  platform::MouseEvent e;
  e.kind = platform::MouseEvent::Kind::Move;
  e.buttons = HeldButtons();
  e.x = D().cursor.x - b.left;
  e.y = D().cursor.y - b.top;
  Deliver(w, e);
}

void SendButton(platform::MouseButton b, bool down, bool dbl) {
  Key& k = D().keys[VkOf(b)];
  k.down = down;
  if (down) k.pressed_since = true;
  WindowHandle w = D().captured;
  if (down && !w) w = WindowAt(D().cursor.x, D().cursor.y);
  if (!w) return;
  const platform::Rect r = W(w).bounds;
  platform::MouseEvent e;
  e.kind = down ? (dbl ? platform::MouseEvent::Kind::DoubleClick : platform::MouseEvent::Kind::Down)
                : platform::MouseEvent::Kind::Up;
  e.button = b;
  e.buttons = HeldButtons();
  e.x = D().cursor.x - r.left;
  e.y = D().cursor.y - r.top;
  D().captured = e.buttons ? w : 0;
  Deliver(w, e);
}

void KeepInputEvent(platform::InputEvent::Kind kind, platform::MouseButton b,
                    platform::WheelAxis axis, int delta, int vk) {
  if (!D().events_given || !D().watching_events) return;
  platform::InputEvent e;
  e.kind = kind;
  e.button = b;
  e.axis = axis;
  e.delta = delta;
  e.vk = vk;
  e.time_us = D().now * 1000 + std::exchange(D().next_event_skew_us, 0);
  if (D().events_with_position) e.at = D().cursor;
  const int side = D().screen_side;
  if (side > 0 && kind != platform::InputEvent::Kind::ButtonUp &&
      kind != platform::InputEvent::Kind::KeyDown && kind != platform::InputEvent::Kind::KeyUp)
    platform::CaptureScreen({D().cursor.x - side / 2, D().cursor.y - side / 2, side, side},
                            e.screen);
  D().input_events.push_back(e);
}

}  // namespace sim::detail
