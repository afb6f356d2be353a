// The About window: a picture and the program's version; any click closes it.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

namespace tapwright {

class FormAcercade : public ui::Form {
 public:
  FormAcercade();
  // Sets the version text and centres the window on the screen.
  void Form_Load();

  ui::Label LBVer;

 protected:
  void Form_Click() override { Unload(); }
};

}  // namespace tapwright
