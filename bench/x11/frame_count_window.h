// A window that paints how many times it was painted, so that a benchmark's UI work is real.
#pragma once

#include <string>

#include "platform/display.h"

class FrameCountWindow : public platform::WindowListener {
 public:
  void OnPaint(platform::Canvas& c) override {
    c.FillRect({0, 0, 178, 66}, 0);
    c.DrawString({3, 2, 170, 16}, std::to_string(frames++), {"Arial", 16, true}, 0xFF8080,
                 platform::TextAlign::Left);
  }
  void OnMouse(const platform::MouseEvent&) override {}
  int frames = 0;
};
