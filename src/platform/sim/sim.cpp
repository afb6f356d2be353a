// The simulated desktop behind platform.h.
#include "platform/sim/sim.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <stdexcept>

namespace sim {
namespace {

struct Timer {
  int interval;
  std::int64_t start;
  std::int64_t next_due;
  bool running = false;
  std::shared_ptr<std::function<void()>> tick;
};

struct Key {
  bool down = false;
  bool pressed_since = false;
};

struct DialogAnswer {
  std::optional<std::string> path;
  std::int64_t open_ms = 0;
  bool fail = false;
};

struct Desktop {
  std::int64_t now = 0;
  std::int64_t clock_base_seconds = 12 * 3600;
  std::map<platform::TimerId, Timer> timers;
  platform::TimerId next_timer = 1;
  std::deque<std::function<void()>> posted;
  std::vector<std::function<void()>> at_next_do_events;
  std::int64_t do_events_calls = 0;

  int screen_w = 1920, screen_h = 1080;
  int primary_x = 0, primary_y = 0;
  double tpp = 15;
  platform::Rect virtual_screen{0, 0, 1920, 1080};

  platform::Point cursor;
  bool fail_cursor = false;
  std::map<int, Key> keys;
  std::vector<InputEvent> input_log;
  WindowHandle captured = 0;  // the window that got the last button press

  std::map<WindowHandle, WindowState> windows;
  std::vector<WindowHandle> z_order;  // bottom first
  WindowHandle next_window = 0x1000;
  std::uintptr_t class_style = 0;
  platform::Picture hand;

  std::deque<DialogAnswer> answers;
  std::vector<DialogRecord> dialogs;
  std::deque<std::function<void(WindowHandle)>> modal_scripts;

  bool ended = false;
  std::optional<std::string> language = std::string("English");
  bool another_instance = false;
  std::string app_folder = "C:\\Program Files\\Tapwright";
};

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
  if (D().keys[platform::VK_LBUTTON].down) b |= 1;
  if (D().keys[platform::VK_RBUTTON].down) b |= 2;
  if (D().keys[platform::VK_MBUTTON].down) b |= 4;
  return b;
}

int VkOf(platform::MouseButton b) {
  switch (b) {
    case platform::MouseButton::Left:
      return platform::VK_LBUTTON;
    case platform::MouseButton::Right:
      return platform::VK_RBUTTON;
    case platform::MouseButton::Middle:
      return platform::VK_MBUTTON;
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

std::optional<std::string> CopyString(const char* s) {
  if (!s) return std::nullopt;
  return std::string(s);
}

// Every string of a double-NUL-terminated list, each with its NUL.
std::optional<std::string> CopyFilter(const char* s) {
  if (!s) return std::nullopt;
  std::string out;
  while (*s) {
    const size_t n = std::strlen(s);
    out.append(s, n + 1);
    s += n + 1;
  }
  return out;
}

int RunDialog(platform::OPENFILENAMEA* ofn, bool save) {
  DialogRecord r;
  r.save = save;
  r.lStructSize = ofn->lStructSize;
  r.hwndOwner = ofn->hwndOwner;
  r.hInstance = ofn->hInstance;
  r.filter = CopyFilter(ofn->lpstrFilter);
  if (ofn->lpstrFile) r.file = std::string(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
  r.nMaxFile = ofn->nMaxFile;
  if (ofn->lpstrFileTitle)
    r.file_title =
        std::string(ofn->lpstrFileTitle, strnlen(ofn->lpstrFileTitle, ofn->nMaxFileTitle));
  r.nMaxFileTitle = ofn->nMaxFileTitle;
  r.initial_dir = CopyString(ofn->lpstrInitialDir);
  r.title = CopyString(ofn->lpstrTitle);
  r.Flags = ofn->Flags;
  r.def_ext = CopyString(ofn->lpstrDefExt);
  D().dialogs.push_back(r);

  if (ofn->lStructSize != platform::OPENFILENAME_SIZE_VERSION_400A || !ofn->lpstrFile) return 0;
  if (D().answers.empty()) return 0;
  const DialogAnswer a = D().answers.front();
  D().answers.pop_front();
  if (a.fail) return 0;
  if (a.open_ms > 0) Advance(a.open_ms);  // the dialog's own loop: timers tick meanwhile
  if (!a.path) return 0;
  std::string path = *a.path;
  const size_t name_at =
      path.find_last_of("\\/") == std::string::npos ? 0 : path.find_last_of("\\/") + 1;
  if (save && ofn->lpstrDefExt && path.find('.', name_at) == std::string::npos)
    path += std::string(".") + ofn->lpstrDefExt;
  if (path.size() + 1 > ofn->nMaxFile) return 0;  // FNERR_BUFFERTOOSMALL
  std::memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
  if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
    const std::string name = path.substr(name_at).substr(0, ofn->nMaxFileTitle - 1);
    std::memcpy(ofn->lpstrFileTitle, name.c_str(), name.size() + 1);
  }
  return 1;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Test controls.

void Reset() {
  Desktop& d = D();
  d = Desktop{};
  ClearFileFailures();
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

void MouseDown(platform::MouseButton b) { SendButton(b, true, false); }
void MouseUp(platform::MouseButton b) { SendButton(b, false, false); }

void Click(int x, int y, platform::MouseButton b) {
  MoveMouse(x, y);
  MouseDown(b);
  MouseUp(b);
}

void DoubleClick(int x, int y, platform::MouseButton b) {
  Click(x, y, b);
  SendButton(b, true, true);
  MouseUp(b);
}

platform::Point CursorPos() { return D().cursor; }

void KeyDown(int vk) {
  Key& k = D().keys[vk];
  k.down = true;
  k.pressed_since = true;
}

void KeyUp(int vk) { D().keys[vk].down = false; }

void TapKey(int vk) {
  KeyDown(vk);
  KeyUp(vk);
}

bool KeyIsDown(int vk) { return D().keys[vk].down; }

void SendKey(WindowHandle w, int vk) {
  if (WindowState* s = Find(w); s && s->listener && !s->disabled) s->listener->OnKeyDown(vk);
}

void FailGetCursorPos(bool fail) { D().fail_cursor = fail; }

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

std::uintptr_t ClassStyle() { return D().class_style; }

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

const std::vector<DialogRecord>& DialogLog() { return D().dialogs; }

void OnNextModal(std::function<void(WindowHandle)> script) {
  D().modal_scripts.push_back(std::move(script));
}

bool ProgramHasEnded() { return D().ended; }
void SetLocaleLanguage(std::optional<std::string> english_name) {
  D().language = std::move(english_name);
}
void SetAnotherInstanceRunning(bool running) { D().another_instance = running; }
void SetAppFolder(std::string folder) { D().app_folder = std::move(folder); }

}  // namespace sim

// ---------------------------------------------------------------------------------------------
// The platform, simulated.

namespace platform {

using sim::D;

bool GetCursorPos(Point& p) {
  if (D().fail_cursor) return false;
  p = D().cursor;
  return true;
}

bool SetCursorPos(std::int32_t x, std::int32_t y) {
  D().input_log.push_back({sim::InputEvent::Kind::SetCursorPos, D().now, x, y, 0});
  const Rect& v = D().virtual_screen;
  D().cursor = {std::clamp(x, v.left, v.left + v.width - 1),
                std::clamp(y, v.top, v.top + v.height - 1)};
  // The move reaches the window under the cursor as a message, at the next pump.
  sim::Post(sim::SendMove);
  return true;
}

void mouse_event(std::uint32_t flags, std::int32_t, std::int32_t, std::uint32_t, std::uintptr_t) {
  D().input_log.push_back(
      {sim::InputEvent::Kind::MouseEvent, D().now, D().cursor.x, D().cursor.y, flags});
  const std::pair<std::uint32_t, std::pair<MouseButton, bool>> map[] = {
      {MOUSEEVENTF_LEFTDOWN, {MouseButton::Left, true}},
      {MOUSEEVENTF_LEFTUP, {MouseButton::Left, false}},
      {MOUSEEVENTF_RIGHTDOWN, {MouseButton::Right, true}},
      {MOUSEEVENTF_RIGHTUP, {MouseButton::Right, false}},
      {MOUSEEVENTF_MIDDLEDOWN, {MouseButton::Middle, true}},
      {MOUSEEVENTF_MIDDLEUP, {MouseButton::Middle, false}},
  };
  for (const auto& [flag, action] : map) {
    if (!(flags & flag)) continue;
    const auto [button, down] = action;
    sim::Post([button, down] { sim::SendButton(button, down, false); });
  }
}

std::int16_t GetAsyncKeyState(int vk) {
  sim::Key& k = D().keys[vk];
  const std::uint16_t r = (k.down ? 0x8000 : 0) | (k.pressed_since ? 1 : 0);
  k.pressed_since = false;
  return static_cast<std::int16_t>(r);
}

Rect PrimaryMonitor() { return {D().primary_x, D().primary_y, D().screen_w, D().screen_h}; }
double TwipsPerPixelX() { return D().tpp; }
double TwipsPerPixelY() { return D().tpp; }

int MeasureText(std::string_view text, const Font& f) {
  return sim::SimTextWidth(text, f.pixel_height);
}

void SetHandCursor(const Picture& pic, int, int) { D().hand = pic; }
void SetProgramIcon(const std::vector<Picture>&) {}

WindowHandle CreateFormWindow(const WindowDesc& desc, WindowListener* listener) {
  const WindowHandle h = D().next_window++;
  sim::WindowState s;
  s.handle = h;
  s.title = desc.title;
  s.bounds = desc.bounds;
  s.accept_drops = desc.accept_drops;
  s.task_bar = desc.task_bar;
  s.listener = listener;
  D().windows[h] = s;
  D().z_order.push_back(h);
  sim::Restack();
  return h;
}

void DestroyWindow(WindowHandle w) {
  if (!sim::Find(w)) return;
  D().windows.erase(w);
  auto& z = D().z_order;
  z.erase(std::remove(z.begin(), z.end(), w), z.end());
  if (D().captured == w) D().captured = 0;
}

void ShowWindow(WindowHandle w, bool visible) {
  if (sim::WindowState* s = sim::Find(w)) s->visible = visible;
}

bool IsWindowVisible(WindowHandle w) {
  const sim::WindowState* s = sim::Find(w);
  return s && s->visible;
}

void SetWindowBounds(WindowHandle w, const Rect& bounds) {
  if (sim::WindowState* s = sim::Find(w)) s->bounds = bounds;
}

Rect GetWindowBounds(WindowHandle w) {
  const sim::WindowState* s = sim::Find(w);
  return s ? s->bounds : Rect{};
}

void SetWindowCursor(WindowHandle w, CursorShape shape) {
  if (sim::WindowState* s = sim::Find(w)) s->cursor = shape;
}

void InvalidateWindow(WindowHandle w) {
  if (sim::WindowState* s = sim::Find(w)) ++s->invalidations;
}

void RepaintNow(WindowHandle w) {
  if (sim::Find(w)) sim::Paint(w);
}

void RunModal(WindowHandle w, WindowHandle owner) {
  sim::WindowState* s = sim::Find(w);
  if (!s) return;
  s->visible = true;
  s->modal = true;
  sim::BringToTop(w);
  if (sim::WindowState* o = sim::Find(owner)) o->disabled = true;
  while (sim::Find(w) && !D().modal_scripts.empty()) {
    auto script = std::move(D().modal_scripts.front());
    D().modal_scripts.pop_front();
    script(w);
  }
  if (sim::WindowState* o = sim::Find(owner)) o->disabled = false;
  if (sim::WindowState* still = sim::Find(w)) still->modal = false;
}

bool SetWindowPos(WindowHandle w, WindowHandle insert_after, int x, int y, int cx, int cy,
                  std::uint32_t flags) {
  sim::WindowState* s = sim::Find(w);
  if (!s) return false;
  ++s->set_window_pos_calls;
  if (!(flags & SWP_NOMOVE)) {
    s->bounds.left = x;
    s->bounds.top = y;
  }
  if (!(flags & SWP_NOSIZE)) {
    s->bounds.width = cx;
    s->bounds.height = cy;
  }
  if (insert_after == HWND_TOPMOST) {
    s->topmost = true;
    s->ex_style |= WS_EX_TOPMOST;
    sim::BringToTop(w);
  } else if (insert_after == HWND_NOTOPMOST) {
    s->topmost = false;
    s->ex_style &= ~WS_EX_TOPMOST;
    sim::Restack();
  }
  return true;
}

std::int32_t GetWindowLongA(WindowHandle w, int index) {
  const sim::WindowState* s = sim::Find(w);
  return s && index == GWL_EXSTYLE ? s->ex_style : 0;
}

std::int32_t SetWindowLongA(WindowHandle w, int index, std::int32_t value) {
  sim::WindowState* s = sim::Find(w);
  if (!s || index != GWL_EXSTYLE) return 0;
  const std::int32_t old = s->ex_style;
  s->ex_style = value;
  return old;
}

bool SetLayeredWindowAttributes(WindowHandle w, Color, std::uint8_t alpha, std::uint32_t flags) {
  sim::WindowState* s = sim::Find(w);
  if (!s || !(s->ex_style & WS_EX_LAYERED)) return false;
  s->layered_flags = flags;
  if (flags & LWA_ALPHA) s->alpha = alpha;
  return true;
}

std::uintptr_t GetClassLongPtrA(WindowHandle w, int index) {
  return sim::Find(w) && index == GCL_STYLE ? D().class_style : 0;
}

std::uintptr_t SetClassLongPtrA(WindowHandle w, int index, std::uintptr_t value) {
  if (!sim::Find(w) || index != GCL_STYLE) return 0;
  const std::uintptr_t old = D().class_style;
  D().class_style = value;
  return old;
}

TimerId StartTimer(int interval_ms, std::function<void()> tick) {
  if (interval_ms <= 0) return 0;
  const TimerId id = D().next_timer++;
  sim::Timer t;
  t.interval = interval_ms;
  t.start = D().now;
  t.next_due = D().now + interval_ms;
  t.tick = std::make_shared<std::function<void()>>(std::move(tick));
  D().timers[id] = std::move(t);
  return id;
}

void StopTimer(TimerId id) { D().timers.erase(id); }

std::int64_t MonotonicMicros() { return D().now * 1000; }

void DoEvents() {
  ++D().do_events_calls;
  for (auto& fn : D().at_next_do_events) D().posted.push_back(std::move(fn));
  D().at_next_do_events.clear();
  sim::Pump();
  // Each timer that is due now and not on the stack ticks once.
  std::vector<TimerId> due;
  for (const auto& [id, t] : D().timers)
    if (!t.running && t.next_due <= D().now) due.push_back(id);
  std::sort(due.begin(), due.end(), [](TimerId a, TimerId b) {
    return D().timers.at(a).next_due < D().timers.at(b).next_due;
  });
  for (TimerId id : due) sim::FireTimer(id);
}

int RunMessageLoop() { return 0; }

void EndProgram(int exit_code) {
  D().ended = true;
  D().timers.clear();
  D().windows.clear();
  D().z_order.clear();
  throw sim::ProgramEnded{exit_code};
}

const std::uint32_t OPENFILENAME_SIZE_VERSION_400A = sizeof(void*) == 8 ? 136 : 76;

int GetOpenFileNameA(OPENFILENAMEA* ofn) { return sim::RunDialog(ofn, false); }
int GetSaveFileNameA(OPENFILENAMEA* ofn) { return sim::RunDialog(ofn, true); }

int GetLocaleInfoA(std::uint32_t, std::uint32_t type, char* buf, int len) {
  if (!D().language || type != LOCALE_SENGLANGUAGE || !buf) return 0;
  const std::string& name = *D().language;
  if (static_cast<int>(name.size()) + 1 > len) return 0;
  std::memcpy(buf, name.c_str(), name.size() + 1);
  return static_cast<int>(name.size()) + 1;
}

bool AnotherInstanceRunning() { return D().another_instance; }

TimeOfDay LocalTimeOfDay() {
  std::int64_t s = (D().clock_base_seconds + D().now / 1000) % 86400;
  if (s < 0) s += 86400;
  return {static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)};
}

std::int64_t LocalClockSeconds() { return D().clock_base_seconds + D().now / 1000; }

Version AppVersion() {
  return {TAPWRIGHT_VERSION_MAJOR, TAPWRIGHT_VERSION_MINOR, TAPWRIGHT_VERSION_REVISION};
}

std::string AppFolder() { return D().app_folder; }
InstanceHandle AppInstance() { return 0x400000; }

}  // namespace platform
