// Millisecond timers on the UI thread. SetTimer is clamped to 10 ms, so one worker thread waits
// on a high-resolution waitable timer and posts ticks to a message-only window of the UI thread.
// Each timer keeps a fixed grid from its start; a tick is posted only when the previous one has
// been handled, so a slow loop sees one late tick, never a burst. Because ticks are ordinary
// posted messages, every message loop (dialogs, RunModal, RunPendingEvents) delivers them.
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "platform/win32/sleep_free_clock.h"
#include "win32.h"

namespace platform {
namespace win32 {
namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION  // older headers
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

constexpr UINT kMarkerMessage = kTickMessage + 1;
constexpr UINT kCallMessage = kTickMessage + 2;  // lParam: a std::function<void()> to run
WPARAM last_marker_seen = 0;

struct Timer {
  TimerId id = 0;
  std::int64_t interval = 0;  // performance-counter units
  std::int64_t next_due = 0;
  bool posted = false;   // a tick waits in the queue (guarded by the lock)
  bool running = false;  // the handler runs (UI thread only)
  std::function<void()> tick;
};

struct Clock {
  Clock() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    frequency = f.QuadPart;
  }
  std::int64_t Now() const {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart;
  }
  std::int64_t FromMs(int ms) const { return frequency * ms / 1000; }
  // Rounds up, so the wait never ends before the deadline.
  std::int64_t To100ns(std::int64_t ticks) const {
    return (ticks * 10'000'000 + frequency - 1) / frequency;
  }
  std::int64_t frequency = 1;
};

class Scheduler {
 public:
  static Scheduler& Get() {
    static Scheduler* s = new Scheduler();  // lives until the process ends
    return *s;
  }

  TimerId Start(int interval_ms, std::function<void()> tick) {
    auto t = std::make_shared<Timer>();
    t->interval = clock_.FromMs(interval_ms < 1 ? 1 : interval_ms);
    t->tick = std::move(tick);
    AcquireSRWLockExclusive(&lock_);
    t->id = next_id_++;
    t->next_due = clock_.Now() + t->interval;
    timers_[t->id] = t;
    ReleaseSRWLockExclusive(&lock_);
    SetEvent(wake_);
    return t->id;
  }

  void Stop(TimerId id) {
    AcquireSRWLockExclusive(&lock_);
    timers_.erase(id);
    ReleaseSRWLockExclusive(&lock_);
    SetEvent(wake_);
  }

  void Call(std::function<void()> fn) {
    auto* posted = new std::function<void()>(std::move(fn));
    if (!PostMessageW(target_, kCallMessage, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
  }

  WPARAM PostMarker() {
    PostMessageW(target_, kMarkerMessage, ++markers_posted_, 0);
    return markers_posted_;
  }

  void Handle(TimerId id) {
    AcquireSRWLockExclusive(&lock_);
    auto it = timers_.find(id);
    std::shared_ptr<Timer> t = it == timers_.end() ? nullptr : it->second;
    if (t) t->posted = false;
    ReleaseSRWLockExclusive(&lock_);
    // A tick that arrives while its own handler runs (inside a nested loop) is dropped.
    if (!t || t->running) return;
    t->running = true;
    t->tick();  // may stop this timer: t keeps the handler alive until it returns
    t->running = false;
  }

 private:
  Scheduler() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == kTickMessage) return HandleTick(w);
      if (m == kMarkerMessage) {
        if (w > last_marker_seen) last_marker_seen = w;
        return 0;
      }
      if (m == kCallMessage) {
        const std::unique_ptr<std::function<void()>> fn(
            reinterpret_cast<std::function<void()>*>(l));
        (*fn)();
        return 0;
      }
      return DefWindowProcW(h, m, w, l);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Tapwright.Ticks";
    RegisterClassW(&wc);
    target_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    RaiseTimerResolution();
    wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    waitable_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                       TIMER_ALL_ACCESS);
    if (!waitable_)  // before Windows 10 1803
      waitable_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    UseWinesSleep();
    HANDLE thread = CreateThread(
        nullptr, 0, [](void* self) -> DWORD { return static_cast<Scheduler*>(self)->Run(); }, this,
        0, nullptr);
    SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
    CloseHandle(thread);
  }

  static void RaiseTimerResolution() {
    timeBeginPeriod(1);
    // Windows 11 ignores the raised resolution for processes it deems in the background unless
    // they opt out; older systems have no such call.
    using SetProcessInformationFn = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
    auto set_info = reinterpret_cast<SetProcessInformationFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetProcessInformation")));
    if (!set_info) return;
    struct {
      ULONG Version, ControlMask, StateMask;
    } throttling = {1, 0x1 /* EXECUTION_SPEED */ | 0x4 /* IGNORE_TIMER_RESOLUTION */, 0};
    set_info(GetCurrentProcess(), 4 /* ProcessPowerThrottling */, &throttling, sizeof throttling);
  }

  // Under Wine a wait ends on wineserver's millisecond, up to one late: a 1 ms timer ticked 700
  // to 840 times a second, anywhere in its millisecond. Its NtDelayExecution sleeps without
  // wineserver, to a tenth of a millisecond, so the wait stops short and the sleep takes the
  // rest. Windows' high-resolution timer needs no help, and its sleeps are as coarse as its timer.
  void UseWinesSleep() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) return;
    sleep_ = reinterpret_cast<DelayExecutionFn>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtDelayExecution")));
    if (sleep_ != nullptr) stop_short_ = clock_.FromMs(2);
  }

  void SleepPrecisely(std::int64_t ticks) {
    LARGE_INTEGER rest;
    rest.QuadPart = -clock_.To100ns(ticks);
    if (rest.QuadPart >= 0) return;
    sleep_(FALSE, &rest);
  }

  DWORD Run() {
    for (;;) {
      std::int64_t now = clock_.Now();
      std::int64_t earliest = INT64_MAX;
      AcquireSRWLockExclusive(&lock_);
      for (auto& [id, t] : timers_) {
        if (now >= t->next_due) {
          if (!t->posted) t->posted = PostMessageW(target_, kTickMessage, id, 0) != 0;
          // Next point of the grid after now: missed points are skipped, not caught up.
          t->next_due += ((now - t->next_due) / t->interval + 1) * t->interval;
        }
        if (t->next_due < earliest) earliest = t->next_due;
      }
      ReleaseSRWLockExclusive(&lock_);

      if (earliest == INT64_MAX) {
        WaitForSingleObject(wake_, INFINITE);
        continue;
      }
      if (sleep_ != nullptr && earliest - now <= stop_short_) {
        SleepPrecisely(earliest - now);
        continue;
      }
      LARGE_INTEGER due;
      due.QuadPart = -clock_.To100ns(earliest - now - stop_short_);
      if (due.QuadPart >= 0) due.QuadPart = -1;
      SetWaitableTimer(waitable_, &due, 0, nullptr, nullptr, FALSE);
      HANDLE handles[] = {wake_, waitable_};
      WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    }
  }

  Clock clock_;
  SRWLOCK lock_ = SRWLOCK_INIT;
  std::map<TimerId, std::shared_ptr<Timer>> timers_;
  TimerId next_id_ = 1;
  WPARAM markers_posted_ = 0;
  HWND target_ = nullptr;
  HANDLE wake_ = nullptr;
  HANDLE waitable_ = nullptr;
  using DelayExecutionFn = LONG(NTAPI*)(BOOLEAN alertable, PLARGE_INTEGER interval);
  DelayExecutionFn sleep_ = nullptr;
  std::int64_t stop_short_ = 0;  // performance-counter units; 0 where the waits are precise
};

}  // namespace

WPARAM PostMarker() { return Scheduler::Get().PostMarker(); }
void RunOnUiThread(std::function<void()> fn) { Scheduler::Get().Call(std::move(fn)); }
WPARAM LastMarkerSeen() { return last_marker_seen; }

LRESULT HandleTick(WPARAM id) {
  Scheduler::Get().Handle(static_cast<TimerId>(id));
  return 0;
}

}  // namespace win32

TimerId StartTimer(int interval_ms, std::function<void()> tick) {
  win32::EnsureUiThreadInit();
  return win32::Scheduler::Get().Start(interval_ms, std::move(tick));
}

void StopTimer(TimerId id) {
  if (id != 0) win32::Scheduler::Get().Stop(id);
}

namespace {

// A WM_QUIT met by a nested loop belongs to the outer one.
bool PumpOne(MSG& msg) {
  if (msg.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

}  // namespace

std::int64_t MonotonicMicros() {
  // Sleep and hibernation do not count, as with CLOCK_MONOTONIC: a replay resumes from where it
  // was rather than firing every click that fell due while the lid was closed.
  using PreciseFn = VOID(WINAPI*)(PULONGLONG);
  static const auto precise = [] {
    for (const wchar_t* dll : {L"kernel32.dll", L"kernelbase.dll"}) {
      const HMODULE m = GetModuleHandleW(dll);
      const FARPROC f = m ? GetProcAddress(m, "QueryUnbiasedInterruptTimePrecise") : nullptr;
      if (f) return reinterpret_cast<PreciseFn>(reinterpret_cast<void*>(f));
    }
    return PreciseFn{nullptr};
  }();
  if (precise) {
    ULONGLONG hundred_ns = 0;
    precise(&hundred_ns);
    return static_cast<std::int64_t>(hundred_ns / 10);
  }
  static const std::int64_t frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  static SRWLOCK lock = SRWLOCK_INIT;
  static win32::SleepFreeClock clock;
  AcquireSRWLockExclusive(&lock);
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  ULONGLONG unbiased = 0;
  QueryUnbiasedInterruptTime(&unbiased);
  // Whole seconds first: the product stays within 64 bits however long the machine has run.
  const std::int64_t counter =
      c.QuadPart / frequency * 1'000'000 + c.QuadPart % frequency * 1'000'000 / frequency;
  const std::int64_t now = clock.Read(counter, static_cast<std::int64_t>(unbiased / 10));
  ReleaseSRWLockExclusive(&lock);
  return now;
}

void RunSoon(std::function<void()> fn) { win32::RunOnUiThread(std::move(fn)); }

void RunPendingEvents() {
  // What is pending now, not what arrives meanwhile: with 1 ms timers the queue may never run
  // dry. The marker closes the batch; markers of nested calls come later and so count too.
  WPARAM marker = win32::PostMarker();
  MSG msg;
  while (win32::LastMarkerSeen() < marker && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    if (!PumpOne(msg)) return;
  // Windows hands out posted messages before input, so the batch above holds none: the input
  // waiting now comes here (bounded, as a stream of it must not hold the caller).
  for (int budget = 64; budget > 0 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT);
       --budget)
    if (!PumpOne(msg)) return;
  while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&msg);
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void EndProgram(int exit_code) { ExitProcess(static_cast<UINT>(exit_code)); }

void RunModal(WindowHandle w, WindowHandle owner) {
  HWND hw = win32::ToHwnd(w);
  HWND ho = win32::ToHwnd(owner);
  if (!IsWindow(hw)) return;
  if (ho) EnableWindow(ho, FALSE);
  ::ShowWindow(hw, SW_SHOW);
  MSG msg;
  while (IsWindow(hw)) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (ho) {
    EnableWindow(ho, TRUE);
    SetActiveWindow(ho);
  }
}

}  // namespace platform
