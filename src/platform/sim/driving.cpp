// The test-driving side of the simulated desktop: the clock, the user's hands, what was drawn.
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/display.h"
#include "platform/files.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "platform/sim/desktop.h"

namespace sim {
using namespace detail;
namespace {

// Canvas that keeps what was drawn, clip by clip.
class RecordingCanvas : public platform::Canvas {
 public:
  explicit RecordingCanvas(platform::Rect client) { clips_.push_back(client); }
  std::vector<DrawOp> ops;

  void FillRect(const platform::Rect& r, platform::Color c) override {
    Add(Op(DrawOp::Kind::Fill, r, c));
  }
  void DrawString(const platform::Rect& r, std::string_view text, const platform::Font& f,
                  platform::Color c, platform::TextAlign align) override {
    DrawOp op = Op(DrawOp::Kind::Text, r, c);
    op.text = text;
    op.font = f;
    op.align = align;
    Add(std::move(op));
  }
  void DrawPicture(std::int32_t x, std::int32_t y, const platform::Picture& pic) override {
    DrawOp op = Op(DrawOp::Kind::Picture, {x, y, pic.width, pic.height}, 0);
    op.picture = pic.id;
    Add(std::move(op));
  }
  void DrawLine(platform::Point from, platform::Point to, platform::Color c, int width) override {
    DrawOp op = Op(DrawOp::Kind::Line, {from.x, from.y, to.x - from.x, to.y - from.y}, c);
    op.line_width = width;
    Add(std::move(op));
  }
  void DrawRectOutline(const platform::Rect& r, platform::Color c, int width) override {
    DrawOp op = Op(DrawOp::Kind::Outline, r, c);
    op.line_width = width;
    Add(std::move(op));
  }
  void PushClip(const platform::Rect& r) override {
    const platform::Rect& c = clips_.back();
    const int l = std::max(c.left, r.left), t = std::max(c.top, r.top);
    const int rr = std::min(c.left + c.width, r.left + r.width);
    const int b = std::min(c.top + c.height, r.top + r.height);
    clips_.push_back({l, t, std::max(0, rr - l), std::max(0, b - t)});
  }
  void PopClip() override {
    if (clips_.size() > 1) clips_.pop_back();
  }

 private:
  static DrawOp Op(DrawOp::Kind kind, const platform::Rect& r, platform::Color c) {
    DrawOp op;
    op.kind = kind;
    op.rect = r;
    op.color = c;
    return op;
  }
  void Add(DrawOp op) {
    op.clip = clips_.back();
    ops.push_back(std::move(op));
  }
  std::vector<platform::Rect> clips_;
};

}  // namespace

void Reset() {
  Desktop& d = D();
  d = Desktop{};
}

std::int64_t Now() { return D().now; }

void Advance(std::int64_t ms) {
  const std::int64_t until = D().now + ms;
  for (;;) {
    Pump();
    const auto id = NextDue(until);
    if (!id) break;
    D().now = std::max(D().now, D().timers.at(*id).next_due);
    Pump();
    FireTimer(*id);
  }
  D().now = std::max(D().now, until);
}

void Stall(std::int64_t ms) { D().now += ms; }

void PaintScreen(const platform::Rect& area, std::uint32_t colour) {
  D().painted.emplace_back(area, colour);
}

void ShowForeignWindow(const platform::TopWindow& window) { D().foreign_windows.push_back(window); }

void CloseForeignWindows() { D().foreign_windows.clear(); }

void FailScreenCapture(bool fail) { D().fail_capture = fail; }

void SetTimeOfDay(int hour, int minute, int second) {
  // The shortest step there, forward or back, across midnight too.
  const std::int64_t now = D().clock_base_seconds + D().now / 1000;
  std::int64_t step = ((hour * 3600 + minute * 60 + second - now) % 86400 + 86400) % 86400;
  if (step > 43200) step -= 86400;
  D().clock_base_seconds += step;
}

std::vector<TimerInfo> ActiveTimers() {
  std::vector<TimerInfo> out;
  for (const auto& [id, t] : D().timers) out.push_back({id, t.interval, t.next_due, t.running});
  return out;
}

void Post(std::function<void()> fn) { D().posted.push_back(std::move(fn)); }

std::function<void()> TimerTickMessage(platform::TimerId id) {
  return [id] {
    auto it = D().timers.find(id);
    if (it == D().timers.end() || it->second.running) return;
    const auto tick = it->second.tick;
    it->second.running = true;
    struct Done {
      platform::TimerId id;
      ~Done() {
        auto i = D().timers.find(id);
        if (i != D().timers.end()) i->second.running = false;
      }
    } done{id};
    (*tick)();
  };
}

void PostTimerTick(platform::TimerId id) { Post(TimerTickMessage(id)); }

void PostAtNextDoEvents(std::function<void()> fn) {
  D().at_next_do_events.push_back(std::move(fn));
}

void Pump() {
  // Only what was waiting when the pump began: a message that posts another runs it next time.
  std::deque<std::function<void()>> now;
  now.swap(D().posted);
  while (!now.empty()) {
    auto fn = std::move(now.front());
    now.pop_front();
    fn();
  }
}

std::int64_t DoEventsCalls() { return D().do_events_calls; }

void SetScreen(int width_px, int height_px, double twips_per_pixel) {
  D().screen_w = width_px;
  D().screen_h = height_px;
  D().tpp = twips_per_pixel;
  D().virtual_screen = {0, 0, width_px, height_px};
}

void SetVirtualScreen(const platform::Rect& r) { D().virtual_screen = r; }

void SetPrimaryOrigin(int x, int y) {
  D().primary_x = x;
  D().primary_y = y;
}

void MoveMouse(int x, int y) {
  D().cursor = {x, y};
  SendMove();
}

void MouseDown(platform::MouseButton b) {
  KeepInputEvent(platform::InputEvent::Kind::ButtonDown, b);
  SendButton(b, true, false);
}

void MouseUp(platform::MouseButton b) {
  KeepInputEvent(platform::InputEvent::Kind::ButtonUp, b);
  SendButton(b, false, false);
}

void Click(int x, int y, platform::MouseButton b) {
  MoveMouse(x, y);
  MouseDown(b);
  MouseUp(b);
}

void DoubleClick(int x, int y, platform::MouseButton b) {
  Click(x, y, b);
  KeepInputEvent(platform::InputEvent::Kind::ButtonDown, b);
  SendButton(b, true, true);
  MouseUp(b);
}

platform::Point CursorPos() { return D().cursor; }

namespace {

void TellHotkeyChange(int vk) {
  const std::vector<int>& taken = D().taken_keys;
  if (D().hotkey_presses_told && D().on_hotkey &&
      std::find(taken.begin(), taken.end(), vk) != taken.end())
    D().posted.push_back(D().on_hotkey);  // as the system's event, run by the loop
}

}  // namespace

void KeyDown(int vk) {
  Key& k = D().keys[vk];
  k.down = true;
  k.pressed_since = true;
  KeepInputEvent(platform::InputEvent::Kind::KeyDown, {}, {}, 0, vk);
  TellHotkeyChange(vk);
}

void KeyUp(int vk) {
  D().keys[vk].down = false;
  KeepInputEvent(platform::InputEvent::Kind::KeyUp, {}, {}, 0, vk);
  TellHotkeyChange(vk);
}

void TapKey(int vk) {
  KeyDown(vk);
  KeyUp(vk);
}

bool KeyIsDown(int vk) { return D().keys[vk].down; }

void SendKey(WindowHandle w, int vk) {
  if (WindowState* s = Find(w); s && s->listener && !s->disabled) s->listener->OnKeyDown(vk);
}

void FailCursorPosition(bool fail) { D().fail_cursor = fail; }

void TurnWheel(platform::WheelAxis axis, int delta) {
  KeepInputEvent(platform::InputEvent::Kind::Wheel, platform::MouseButton::None, axis, delta);
}

void SetInputEvents(bool given, bool with_position) {
  D().events_given = given;
  D().events_with_position = with_position;
}

void SetScreenWithPresses(bool can) { D().screen_with_presses = can; }

bool WatchingInputEvents() { return D().watching_events; }

void SkewNextInputEvent(std::int64_t us) { D().next_event_skew_us = us; }

void TellHotkeyPresses(bool told) { D().hotkey_presses_told = told; }

const std::vector<int>& TakenKeys() { return D().taken_keys; }

int TakeHotkeysCalls() { return D().take_hotkeys_calls; }

void SetWheelStep(int step) { D().wheel_step = step; }

const std::vector<InputEvent>& InputLog() { return D().input_log; }
void ClearInputLog() { D().input_log.clear(); }

std::vector<WindowHandle> Windows() { return D().z_order; }
const WindowState& Window(WindowHandle w) { return W(w); }
bool Exists(WindowHandle w) { return Find(w) != nullptr; }

WindowHandle WindowAt(int x, int y) {
  const auto& z = D().z_order;
  for (auto it = z.rbegin(); it != z.rend(); ++it) {
    const WindowState& s = W(*it);
    if (s.visible && s.bounds.Contains(x, y)) return *it;
  }
  return 0;
}

bool HasDropShadow(WindowHandle w) { return Exists(w) && D().drop_shadow; }

void MoveWindowFromOutside(WindowHandle w, int x, int y) {
  W(w).bounds.left = x;
  W(w).bounds.top = y;
}

void Drop(WindowHandle w, std::vector<std::string> files, std::uint32_t effects, int x, int y) {
  WindowState& s = W(w);
  if (!s.accept_drops || !s.listener) return;
  s.listener->OnDrop({std::move(files), effects, x, y});
}

std::vector<DrawOp> Paint(WindowHandle w) {
  WindowState& s = W(w);
  RecordingCanvas canvas({0, 0, s.bounds.width, s.bounds.height});
  if (s.listener) s.listener->OnPaint(canvas);
  return canvas.ops;
}

int SimTextWidth(std::string_view text, int pixel_height) {
  int chars = 0;
  for (unsigned char c : text) chars += (c & 0xC0) != 0x80;  // UTF-8 lead bytes
  return static_cast<int>(std::lround(chars * pixel_height * 0.55));
}

void AnswerNextDialog(std::optional<std::string> path, std::int64_t open_ms) {
  D().answers.push_back({std::move(path), open_ms, false});
}

void FailNextDialog() { D().answers.push_back({std::nullopt, 0, true}); }

const std::vector<platform::FileRequest>& DialogLog() { return D().dialogs; }

void OnNextModal(std::function<void(WindowHandle)> script) {
  D().modal_scripts.push_back(std::move(script));
}

bool ProgramHasEnded() { return D().ended; }
void SetLocaleLanguage(std::optional<std::string> english_name) {
  D().language = std::move(english_name);
}
void SetAnotherInstanceRunning(bool running) { D().another_instance = running; }
void SetWaylandDesktop(bool wayland) { D().wayland = wayland; }
void SetAppFolder(std::string folder) { D().app_folder = std::move(folder); }
void SetSettingsPath(std::string path) { D().settings_path = std::move(path); }

bool SendFromLaterCopy(const std::string& message) {
  if (!D().copy_listener) return false;
  (void)D().copy_listener(message,
                          [](const std::string& answer) { D().copy_answers.push_back(answer); });
  return true;
}

const std::vector<std::string>& AnswersToLaterCopies() { return D().copy_answers; }

void HoldBackgroundWork(bool hold) { D().hold_work = hold; }

void RunHeldWork() {
  for (auto& work : std::exchange(D().held_work, {})) work();
}

void FailFileStep(FileStep step, int times) { D().failing_files[step] = times; }
void DenyWritingTargets() { D().deny_writing = true; }
void ClearFileFailures() {
  D().failing_files.clear();
  D().deny_writing = false;
}

}  // namespace sim

namespace platform::faults {

bool Fails(FileStep step) {
  auto& failing = sim::detail::D().failing_files;
  const auto it = failing.find(step);
  if (it == failing.end()) return false;
  if (it->second > 0 && --it->second == 0) failing.erase(it);
  return true;
}
bool DenyWriting() { return sim::detail::D().deny_writing; }

}  // namespace platform::faults
