// The platform side of the simulated desktop: platform.h answered from the desktop's state.
#include <algorithm>
#include <utility>

#include "platform/sim/desktop.h"

namespace platform {

using sim::detail::D;

bool CursorPosition(Point& p) {
  if (D().fail_cursor) return false;
  p = D().cursor;
  return true;
}

bool MoveCursor(std::int32_t x, std::int32_t y) {
  D().input_log.push_back({sim::InputEvent::Kind::MoveCursor, D().now, x, y});
  const Rect& v = D().virtual_screen;
  D().cursor = {std::clamp(x, v.left, v.left + v.width - 1),
                std::clamp(y, v.top, v.top + v.height - 1)};
  // The move reaches the window under the cursor as a message, at the next pump.
  sim::Post(sim::detail::SendMove);
  return true;
}

void SendButton(MouseButton button, bool down) {
  if (button == MouseButton::None) return;
  D().input_log.push_back(
      {sim::InputEvent::Kind::Button, D().now, D().cursor.x, D().cursor.y, button, 0, down});
  sim::Post([button, down] { sim::detail::SendButton(button, down, false); });
}

void SendWheel(WheelAxis axis, int delta) {
  sim::InputEvent e{sim::InputEvent::Kind::Wheel, D().now, D().cursor.x, D().cursor.y};
  e.axis = axis;
  e.delta = delta;
  D().input_log.push_back(e);
}

int WheelStep() { return D().wheel_step; }

bool WatchInputEvents(bool on) {
  D().watching_events = on && D().events_given;
  D().input_events.clear();
  return D().events_given;
}

bool ShowScreenWithPresses(int side) {
  D().screen_side = D().screen_with_presses ? side : 0;
  return D().screen_with_presses;
}

std::vector<InputEvent> TakeInputEvents() {
  std::vector<InputEvent> events;
  events.swap(D().input_events);
  return events;
}

void SendKey(int vk, bool down) {
  if (vk < 1 || vk > 255) return;
  D().input_log.push_back({sim::InputEvent::Kind::Key, D().now, D().cursor.x, D().cursor.y,
                           MouseButton::None, vk, down});
  // As the system's own key state follows synthetic input.
  if (down)
    sim::KeyDown(vk);
  else
    sim::KeyUp(vk);
}

void TakeHotkeys(const std::vector<int>& vks) {
  D().taken_keys = vks;
  ++D().take_hotkeys_calls;
}

bool OnHotkeyChange(std::function<void()> changed) {
  D().on_hotkey = std::move(changed);
  return D().hotkey_presses_told;
}

KeyState QueryKey(int vk) {
  sim::detail::Key& k = D().keys[vk];
  const KeyState state{k.down, k.pressed_since};
  k.pressed_since = false;
  return state;
}

Rect PrimaryMonitor() { return {D().primary_x, D().primary_y, D().screen_w, D().screen_h}; }
bool CaptureScreen(const Rect& area, std::vector<std::uint32_t>& pixels) {
  if (D().fail_capture || area.width < 0 || area.height < 0) return false;
  pixels.assign(static_cast<size_t>(area.width) * static_cast<size_t>(area.height), 0);
  for (int y = 0; y < area.height; ++y)
    for (int x = 0; x < area.width; ++x)
      for (const auto& [painted, colour] : D().painted)
        if (painted.Contains(area.left + x, area.top + y))
          pixels[static_cast<size_t>(y) * static_cast<size_t>(area.width) +
                 static_cast<size_t>(x)] = colour;
  for (const WindowHandle w : sim::Windows()) {
    const sim::WindowState& own = sim::Window(w);
    if (!own.visible) continue;
    for (int y = 0; y < area.height; ++y)
      for (int x = 0; x < area.width; ++x)
        if (own.bounds.Contains(area.left + x, area.top + y))
          pixels[static_cast<size_t>(y) * static_cast<size_t>(area.width) +
                 static_cast<size_t>(x)] = kHiddenPixel;
  }
  return true;
}

std::vector<TopWindow> TopWindows() {
  const auto& stack = D().foreign_windows;
  return {stack.rbegin(), stack.rend()};
}

bool TopWindowAt(Point p, TopWindow& window) {
  if (sim::WindowAt(p.x, p.y) != 0) return false;  // the program's own are above the others
  const auto& stack = D().foreign_windows;
  for (auto w = stack.rbegin(); w != stack.rend(); ++w) {
    if (!w->bounds.Contains(p.x, p.y)) continue;
    window = *w;
    return true;
  }
  return false;
}

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
  sim::detail::Restack();
  return h;
}

void DestroyWindow(WindowHandle w) {
  if (!sim::detail::Find(w)) return;
  D().windows.erase(w);
  auto& z = D().z_order;
  z.erase(std::remove(z.begin(), z.end(), w), z.end());
  if (D().captured == w) D().captured = 0;
}

void ShowWindow(WindowHandle w, bool visible) {
  if (sim::WindowState* s = sim::detail::Find(w)) s->visible = visible;
}

bool IsWindowVisible(WindowHandle w) {
  const sim::WindowState* s = sim::detail::Find(w);
  return s && s->visible;
}

void SetWindowBounds(WindowHandle w, const Rect& bounds) {
  if (sim::WindowState* s = sim::detail::Find(w)) s->bounds = bounds;
}

Rect GetWindowBounds(WindowHandle w) {
  const sim::WindowState* s = sim::detail::Find(w);
  return s ? s->bounds : Rect{};
}

void SetWindowCursor(WindowHandle w, CursorShape shape) {
  if (sim::WindowState* s = sim::detail::Find(w)) s->cursor = shape;
}

void InvalidateWindow(WindowHandle w) {
  if (sim::WindowState* s = sim::detail::Find(w)) ++s->invalidations;
}

void RepaintNow(WindowHandle w) {
  if (sim::detail::Find(w)) sim::Paint(w);
}

void RunModal(WindowHandle w, WindowHandle owner) {
  sim::WindowState* s = sim::detail::Find(w);
  if (!s) return;
  s->visible = true;
  s->modal = true;
  sim::detail::BringToTop(w);
  if (sim::WindowState* o = sim::detail::Find(owner)) o->disabled = true;
  while (sim::detail::Find(w) && !D().modal_scripts.empty()) {
    auto script = std::move(D().modal_scripts.front());
    D().modal_scripts.pop_front();
    script(w);
  }
  if (sim::WindowState* o = sim::detail::Find(owner)) o->disabled = false;
  if (sim::WindowState* still = sim::detail::Find(w)) still->modal = false;
}

void SetTopmost(WindowHandle w, bool topmost) {
  sim::WindowState* s = sim::detail::Find(w);
  if (!s) return;
  ++s->topmost_calls;
  s->topmost = topmost;
  if (topmost)
    sim::detail::BringToTop(w);
  else
    sim::detail::Restack();
}

void SetOpacity(WindowHandle w, std::uint8_t alpha) {
  if (sim::WindowState* s = sim::detail::Find(w)) s->alpha = alpha;
}

void SetDropShadow(WindowHandle w, bool on) {
  if (sim::detail::Find(w)) D().drop_shadow = on;
}

TimerId StartTimer(int interval_ms, std::function<void()> tick) {
  if (interval_ms <= 0) return 0;
  const TimerId id = D().next_timer++;
  sim::detail::Timer t;
  t.interval = interval_ms;
  t.start = D().now;
  t.next_due = D().now + interval_ms;
  t.tick = std::make_shared<std::function<void()>>(std::move(tick));
  D().timers[id] = std::move(t);
  return id;
}

void StopTimer(TimerId id) { D().timers.erase(id); }

std::int64_t MonotonicMicros() { return D().now * 1000; }

void RunSoon(std::function<void()> fn) { sim::Post(std::move(fn)); }

void RunPendingEvents() {
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
  for (TimerId id : due) sim::detail::FireTimer(id);
}

int RunMessageLoop() { return 0; }

void RunInBackground(std::function<void()> work) {
  if (D().hold_work)
    D().held_work.push_back(std::move(work));
  else
    work();
}

void EndProgram(int exit_code) {
  D().ended = true;
  D().timers.clear();
  D().windows.clear();
  D().z_order.clear();
  throw sim::ProgramEnded{exit_code};
}

std::optional<std::string> ChooseFile(const FileRequest& request) {
  D().dialogs.push_back(request);
  if (D().answers.empty()) return std::nullopt;
  const sim::detail::DialogAnswer a = D().answers.front();
  D().answers.pop_front();
  if (a.fail) return std::nullopt;
  if (a.open_ms > 0) sim::Advance(a.open_ms);  // the dialog's own loop: timers tick meanwhile
  if (!a.path) return std::nullopt;
  std::string path = *a.path;
  const size_t slash = path.find_last_of("\\/");
  const size_t name_at = slash == std::string::npos ? 0 : slash + 1;
  if (request.save && !request.default_extension.empty() &&
      path.find('.', name_at) == std::string::npos)
    path += "." + request.default_extension;
  return path;
}

std::string UserLanguageName() { return D().language.value_or(""); }

void TakeEndRequests() {}

bool AnotherInstanceRunning() { return D().another_instance; }

bool OnWaylandDesktop() { return D().wayland; }

std::optional<std::string> SendToRunningCopy(const std::string&) { return std::nullopt; }

void ListenToLaterCopies(CopyMessageHandler heard) { D().copy_listener = std::move(heard); }

std::string AbsolutePath(const std::string& path) { return path; }

TimeOfDay LocalTimeOfDay() {
  std::int64_t s = (D().clock_base_seconds + D().now / 1000) % 86400;
  if (s < 0) s += 86400;
  return {static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)};
}

std::int64_t LocalClockSeconds() { return D().clock_base_seconds + D().now / 1000; }

std::string AppFolder() { return D().app_folder; }

std::string RecordingsFolder() { return D().app_folder; }

std::string SettingsPath() { return D().settings_path; }

}  // namespace platform
