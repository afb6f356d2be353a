// The About window: a picture and the program's version, centred on the screen; any click on it,
// or Esc, closes it.
#pragma once

#include "platform/input.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace window {

class AboutWindow : public ui::Form {
 public:
  AboutWindow();

 protected:
  void OnBackgroundClick() override { Unload(); }
  void OnKeyDown(int vk) override {
    if (vk == platform::vk::kEscape) Unload();
  }

 private:
  ui::Label version_;
};

}  // namespace window
