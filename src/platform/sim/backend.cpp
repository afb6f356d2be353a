// The platform side of the simulated desktop: platform.h answered from the desktop's state.
#include <algorithm>
#include <cstring>

#include "platform/sim/desktop.h"

namespace sim::detail {
namespace {

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
}  // namespace sim::detail

namespace platform {

using sim::detail::D;

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
  sim::Post(sim::detail::SendMove);
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
    sim::Post([button, down] { sim::detail::SendButton(button, down, false); });
  }
}

void keybd_event(std::uint8_t vk, std::uint8_t, std::uint32_t flags, std::uintptr_t) {
  D().input_log.push_back(
      {sim::InputEvent::Kind::KeybdEvent, D().now, D().cursor.x, D().cursor.y, flags, vk});
  // As the system's own key state follows synthetic input.
  if (flags & KEYEVENTF_KEYUP)
    sim::KeyUp(vk);
  else
    sim::KeyDown(vk);
}

std::int16_t GetAsyncKeyState(int vk) {
  sim::detail::Key& k = D().keys[vk];
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

bool SetWindowPos(WindowHandle w, WindowHandle insert_after, int x, int y, int cx, int cy,
                  std::uint32_t flags) {
  sim::WindowState* s = sim::detail::Find(w);
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
    sim::detail::BringToTop(w);
  } else if (insert_after == HWND_NOTOPMOST) {
    s->topmost = false;
    s->ex_style &= ~WS_EX_TOPMOST;
    sim::detail::Restack();
  }
  return true;
}

std::int32_t GetWindowLongA(WindowHandle w, int index) {
  const sim::WindowState* s = sim::detail::Find(w);
  return s && index == GWL_EXSTYLE ? s->ex_style : 0;
}

std::int32_t SetWindowLongA(WindowHandle w, int index, std::int32_t value) {
  sim::WindowState* s = sim::detail::Find(w);
  if (!s || index != GWL_EXSTYLE) return 0;
  const std::int32_t old = s->ex_style;
  s->ex_style = value;
  return old;
}

bool SetLayeredWindowAttributes(WindowHandle w, Color, std::uint8_t alpha, std::uint32_t flags) {
  sim::WindowState* s = sim::detail::Find(w);
  if (!s || !(s->ex_style & WS_EX_LAYERED)) return false;
  s->layered_flags = flags;
  if (flags & LWA_ALPHA) s->alpha = alpha;
  return true;
}

std::uintptr_t GetClassLongPtrA(WindowHandle w, int index) {
  return sim::detail::Find(w) && index == GCL_STYLE ? D().class_style : 0;
}

std::uintptr_t SetClassLongPtrA(WindowHandle w, int index, std::uintptr_t value) {
  if (!sim::detail::Find(w) || index != GCL_STYLE) return 0;
  const std::uintptr_t old = D().class_style;
  D().class_style = value;
  return old;
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
  for (TimerId id : due) sim::detail::FireTimer(id);
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

int GetOpenFileNameA(OPENFILENAMEA* ofn) { return sim::detail::RunDialog(ofn, false); }
int GetSaveFileNameA(OPENFILENAMEA* ofn) { return sim::detail::RunDialog(ofn, true); }

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
