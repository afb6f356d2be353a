// The About window: a picture and the program's version, centred on the screen; any click
// closes it.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

namespace window {

class AboutWindow : public ui::Form {
 public:
  AboutWindow();

 protected:
  void OnBackgroundClick() override { Unload(); }

 private:
  ui::Label version_;
};

}  // namespace window
