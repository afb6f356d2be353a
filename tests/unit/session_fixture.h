#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "sim_fixture.h"

// A view that keeps what it was told and, as the window does, answers the session's questions
// for a file once the session's call has returned, from a queue; a dialog with no answer queued is
// cancelled.
class FakeView : public engine::View {
 public:
  void Show(engine::Change what) override { changes.push_back(what); }
  void AskForFile(engine::FileDialog which) override {
    asked.push_back(which);
    platform::RunSoon([this, which] { AnswerAsked(which); });
  }
  // The dialog, with the hotkeys paused while it shows, as the window's.
  std::optional<std::string> ChooseFile() {
    engine->hotkeys.Pause();
    std::optional<std::string> path;
    if (!std::exchange(throw_next, false)) {
      if (while_open) while_open();
      if (!answers.empty()) {
        std::int64_t open_ms = 0;
        std::tie(path, open_ms) = answers.front();
        answers.pop_front();
        if (open_ms > 0) sim::Advance(open_ms);  // the dialog's own loop: timers tick meanwhile
      }
    }
    engine->hotkeys.Resume();
    return path;
  }
  // The next dialog stays open `open_ms` of virtual time, then gives `path`.
  void Answer(std::optional<std::string> path, std::int64_t open_ms = 0) {
    answers.emplace_back(std::move(path), open_ms);
  }
  int Count(engine::Change what) const {
    int n = 0;
    for (engine::Change c : changes) n += c == what;
    return n;
  }

  std::vector<engine::Change> changes;
  std::vector<engine::FileDialog> asked;
  std::function<void()> while_open;  // what a hand does while each dialog shows
  bool throw_next = false;           // the next dialog fails
  std::deque<std::pair<std::optional<std::string>, std::int64_t>> answers;
  engine::Engine* engine = nullptr;

 private:
  void AnswerAsked(engine::FileDialog which) {
    const std::optional<std::string> path = ChooseFile();
    if (!path) return;
    if (which == engine::FileDialog::Save) {
      engine->session.SaveRecording(*path);
    } else {
      engine->session.LoadRecording(*path);
    }
  }
};

// A synthetic button event: the button, and whether it went down.
using ButtonEvent = std::pair<platform::MouseButton, bool>;
inline constexpr ButtonEvent kLeftDown{platform::MouseButton::Left, true};
inline constexpr ButtonEvent kLeftUp{platform::MouseButton::Left, false};
inline constexpr ButtonEvent kRightDown{platform::MouseButton::Right, true};
inline constexpr ButtonEvent kRightUp{platform::MouseButton::Right, false};
inline constexpr ButtonEvent kMiddleDown{platform::MouseButton::Middle, true};
inline constexpr ButtonEvent kMiddleUp{platform::MouseButton::Middle, false};

// What tests do to the simulated desktop and read back from it.
struct Hands {
  // A recording of n samples, sample i at (i + 1, 10 * (i + 1)) (its millisecond), all with the
  // code.
  static model::Recording Samples(int n, std::int32_t code = model::kMove) {
    model::Recording r;
    for (int ms = 1; ms <= n; ++ms) r.push_back({ms, 10 * ms, code});
    return r;
  }

  // The x of every cursor move the program made, in order.
  static std::vector<int> MovedTo() {
    std::vector<int> xs;
    for (const auto& e : sim::InputLog())
      if (e.kind == sim::InputEvent::Kind::MoveCursor) xs.push_back(e.x);
    return xs;
  }

  static std::vector<ButtonEvent> Clicks() {
    std::vector<ButtonEvent> events;
    for (const auto& e : sim::InputLog())
      if (e.kind == sim::InputEvent::Kind::Button) events.emplace_back(e.button, e.down);
    return events;
  }

  // Runs up to and including the next poll.
  static void ToNextPoll() { sim::Advance(100 - sim::Now() % 100); }

  // Presses a key just before the next poll and releases it just after.
  static void PressKey(int vk) {
    sim::Advance(99 - sim::Now() % 100);
    sim::KeyDown(vk);
    sim::Advance(1);
    sim::KeyUp(vk);
  }

  // Timers of that interval that run now.
  static int RunningTimers(int interval_ms) {
    int n = 0;
    for (const auto& t : sim::ActiveTimers()) n += t.interval_ms == interval_ms;
    return n;
  }
};

// The engine on the simulated desktop, with no window. The key poller ticks at 100, 200, ... ms of
// virtual time.
class SessionTest : public SimTest, protected Hands {
 protected:
  engine::State State() const { return session.GetState(); }
  const model::Recording& Recording() const { return session.GetRecording(); }
  bool Playing() const { return engine.player.Playing(); }

  SessionTest() { view.engine = &engine; }

  FakeView view;
  engine::Engine engine{view};
  engine::Session& session = engine.session;
};
