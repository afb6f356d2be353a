#pragma once

#include <memory>
#include <vector>

#include "sim_fixture.h"
#include "shell/form1.h"

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
      if (e.kind == sim::InputEvent::Kind::SetCursorPos) xs.push_back(e.x);
    return xs;
  }

  static std::vector<std::uint32_t> Clicks() {
    std::vector<std::uint32_t> flags;
    for (const auto& e : sim::InputLog())
      if (e.kind == sim::InputEvent::Kind::MouseEvent) flags.push_back(e.flags);
    return flags;
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
