#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "shell/form1.h"
#include "sim_fixture.h"

// A synthetic button event: the button, and whether it went down.
using ButtonEvent = std::pair<platform::MouseButton, bool>;
inline constexpr ButtonEvent kLeftDown{platform::MouseButton::Left, true};
inline constexpr ButtonEvent kLeftUp{platform::MouseButton::Left, false};
inline constexpr ButtonEvent kRightDown{platform::MouseButton::Right, true};
inline constexpr ButtonEvent kRightUp{platform::MouseButton::Right, false};
inline constexpr ButtonEvent kMiddleDown{platform::MouseButton::Middle, true};
inline constexpr ButtonEvent kMiddleUp{platform::MouseButton::Middle, false};

// The real main window, loaded and shown on the simulated desktop. The key poller ticks at
// 100, 200, ... ms of virtual time.
class EngineTest : public SimTest {
 protected:
  EngineTest() : f(std::make_unique<tapwright::Form1>()) {
    f->Form_Load();
    f->Show();
  }

  // A recording of n samples at (i, 10 * i), all movements.
  static engine::Recording Samples(int n, std::int32_t code = engine::kMove) {
    engine::Recording r;
    r.Redim(n);
    for (int i = 1; i <= n; ++i) r[i] = {i, 10 * i, code};
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
  void ToNextPoll() { sim::Advance(100 - sim::Now() % 100); }

  // Presses a key just before the next poll and releases it just after.
  void PressKey(int vk) {
    sim::Advance(99 - sim::Now() % 100);
    sim::KeyDown(vk);
    sim::Advance(1);
    sim::KeyUp(vk);
  }

  std::unique_ptr<tapwright::Form1> f;
};
