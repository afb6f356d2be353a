// The click indicator: a small translucent square kept under the cursor during a recording, so
// the user's clicks land on it instead of on the applications beneath.
#pragma once

#include "ui/form.h"

namespace window {

class ClickIndicator : public ui::Form {
 public:
  // Creates the window (translucent), hidden.
  ClickIndicator();
  // Puts the square's centre under the cursor.
  void CentreOnCursor();

 protected:
  void OnBackgroundDown(int button, int shift, int x, int y) override;
  void OnBackgroundUp(int button, int shift, int x, int y) override;
  void OnBackgroundDoubleClick() override;
};

}  // namespace window
