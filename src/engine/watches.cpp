#include "engine/watches.h"

#include <utility>

#include "engine/hotkeys.h"
#include "model/sample_code.h"
#include "platform/display.h"
#include "platform/input.h"

namespace engine {

const std::array<ButtonKeys, model::kButtonCount> kButtonOrder = {{
    {model::Button::Left, platform::vk::kLeftButton, platform::MouseButton::Left},
    {model::Button::Middle, platform::vk::kMiddleButton, platform::MouseButton::Middle},
    {model::Button::Right, platform::vk::kRightButton, platform::MouseButton::Right},
    {model::Button::Back, platform::vk::kX1Button, platform::MouseButton::X1},
    {model::Button::Forward, platform::vk::kX2Button, platform::MouseButton::X2},
}};

std::optional<model::Button> RecordedButton(platform::MouseButton b) {
  for (const ButtonKeys& k : kButtonOrder)
    if (k.platform_button == b) return k.button;
  return std::nullopt;
}

void EdgeWatch::Start() {
  for (size_t i = 0; i < vks_.size(); ++i) {
    // The query also clears what the platform kept from before: a click that focused the
    // target, or the last playback's own input.
    state_[i] = platform::QueryKey(vks_[i]).down ? State::DownBefore : State::Up;
  }
}

std::vector<EdgeWatch::Event> EdgeWatch::Poll() {
  std::vector<Event> events;
  for (size_t i = 0; i < vks_.size(); ++i) {
    const auto [down, pressed_since] = platform::QueryKey(vks_[i]);
    State& s = state_[i];
    if (s == State::Down && (!down || pressed_since)) {
      events.push_back({vks_[i], Edge::Release});
      s = State::Up;
    }
    if (s != State::Down && pressed_since && !down) events.push_back({vks_[i], Edge::Tap});
    if (s == State::DownBefore && !down) s = State::Up;
    if (down && (s == State::Up || (s == State::DownBefore && pressed_since))) {
      events.push_back({vks_[i], Edge::Press});
      s = State::Down;
    }
  }
  return events;
}

namespace {

std::vector<int> ButtonKeysInOrder() {
  std::vector<int> vks;
  vks.reserve(kButtonOrder.size());
  for (const ButtonKeys& b : kButtonOrder) vks.push_back(b.vk);
  return vks;
}

std::vector<int> RecordableKeys(const HotkeySet& hotkeys) {
  std::vector<int> vks;
  for (int vk = 0; vk < 0xFF; ++vk)
    if (RecordableKey(vk, hotkeys)) vks.push_back(vk);
  return vks;
}

}  // namespace

ButtonWatch::ButtonWatch() : watch_(ButtonKeysInOrder()) {}

std::vector<std::int32_t> ButtonWatch::Poll() {
  using Kind = model::Action::Kind;
  std::vector<std::int32_t> codes;
  for (const EdgeWatch::Event& e : watch_.Poll()) {
    for (const ButtonKeys& b : kButtonOrder) {
      if (b.vk != e.vk) continue;
      const Kind kind = e.edge == EdgeWatch::Edge::Press     ? Kind::Press
                        : e.edge == EdgeWatch::Edge::Release ? Kind::Release
                                                             : Kind::Click;
      codes.push_back(model::Encode(model::ButtonAction(kind, b.button)));
    }
  }
  return codes;
}

bool RecordableKey(int vk, const HotkeySet& hotkeys) {
  using namespace platform;
  switch (vk) {
    case vk::kShift:  // recorded by their sides
    case vk::kControl:
    case vk::kAlt:
      return false;
    default:
      return vk >= vk::kBackspace && !hotkeys.Has(vk);  // not the mouse buttons
  }
}

KeyboardWatch::KeyboardWatch(const HotkeySet& hotkeys)
    : hotkeys_(hotkeys), watch_(RecordableKeys(hotkeys)) {}

void KeyboardWatch::Start() {
  // Never the hotkeys in use: a query spends a tap the key poll has yet to see.
  watch_ = EdgeWatch(RecordableKeys(hotkeys_));
  watch_.Start();
}

namespace {

bool Modifier(int vk) {
  using namespace platform;
  return (vk >= vk::kLeftShift && vk <= vk::kRightAlt) || vk == vk::kLeftWindows ||
         vk == vk::kRightWindows;
}

}  // namespace

std::vector<std::int32_t> KeyboardWatch::Poll() {
  // Keys that changed between two polls come in the watch's order, not in the order they were
  // pressed: a quick Shift+H would come as H, then Shift, and replay as "h". Put back as a chord
  // is typed: a modifier's presses before the other keys, and its last release after them.
  using Kind = model::Action::Kind;
  std::vector<model::Action> before, keys, after;
  for (const EdgeWatch::Event& e : watch_.Poll()) {
    if (!RecordableKey(e.vk, hotkeys_)) continue;
    std::vector<model::Action>& to = Modifier(e.vk) ? before : keys;
    if (e.edge != EdgeWatch::Edge::Release) to.push_back(model::KeyAction(Kind::KeyPress, e.vk));
    if (e.edge != EdgeWatch::Edge::Press) to.push_back(model::KeyAction(Kind::KeyRelease, e.vk));
  }
  std::bitset<256> seen;
  for (size_t i = before.size(); i-- > 0;) {
    const auto vk = static_cast<size_t>(before[i].key);
    if (seen[vk]) continue;
    seen.set(vk);
    if (before[i].kind == Kind::KeyRelease) {
      after.insert(after.begin(), before[i]);
      before.erase(before.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  before.insert(before.end(), keys.begin(), keys.end());
  before.insert(before.end(), after.begin(), after.end());
  std::vector<std::int32_t> codes;
  codes.reserve(before.size());
  for (const model::Action& a : before) codes.push_back(model::Encode(a));
  return codes;
}

bool HotkeyEdges::Pressed(int vk) {
  const platform::KeyState state = platform::QueryKey(vk);
  const auto i = static_cast<unsigned>(vk) & 0xFF;
  const bool pressed = state.pressed_since || std::exchange(kept_[i], false);
  const bool edge = (trust_presses_ && pressed) || ((state.down || pressed) && !was_down_[i]);
  was_down_[i] = state.down;
  return edge;
}

void HotkeyEdges::Spend(int vk) {
  const auto i = static_cast<unsigned>(vk) & 0xFF;
  was_down_[i] = platform::QueryKey(vk).down;
  kept_[i] = false;
}

void HotkeyEdges::Refresh(int vk) {
  const platform::KeyState state = platform::QueryKey(vk);
  const auto i = static_cast<unsigned>(vk) & 0xFF;
  kept_[i] = kept_[i] || state.pressed_since;
  was_down_[i] = was_down_[i] && state.down;
}

}  // namespace engine
