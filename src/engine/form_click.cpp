#include "engine/form_click.h"

#include "ui/modtrans.h"

namespace tapwright {

FormClick::FormClick() : ui::Form("Tapwright", 300, 300, ui::kLightRed, /*task_bar=*/false) {
  modTrans::SetTransparency(*this, 50);
}

// It flashes light blue while a button is down on it.
void FormClick::Form_MouseDown(int, int, int, int) { SetBackColor(ui::kLightBlue); }
void FormClick::Form_MouseUp(int, int, int, int) { SetBackColor(ui::kLightRed); }
void FormClick::Form_DblClick() { SetBackColor(ui::kLightBlue); }

}  // namespace tapwright
