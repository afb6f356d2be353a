#include "ui/app.h"

#include "platform/platform.h"

namespace tapwright {
namespace {

class Placeholder : public platform::WindowListener {
 public:
  void OnPaint(platform::Canvas& c) override {
    c.FillRect({0, 0, 178, 66}, 0);
    c.DrawString({3, 2, 80, 16}, "Tapwright", {"Arial", 16, true}, 0x808080,
                 platform::TextAlign::Left);
  }
  void OnMouse(const platform::MouseEvent&) override {}
};

}  // namespace

int Run() {
  Placeholder p;
  platform::WindowHandle w = platform::CreateFormWindow({"Tapwright", {0, 0, 178, 66}, 0}, &p);
  platform::ShowWindow(w, true);
  return platform::RunMessageLoop();
}

}  // namespace tapwright
