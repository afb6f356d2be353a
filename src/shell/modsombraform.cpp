#include "shell/modsombraform.h"

namespace modSombraForm {

void SetDropShadow(platform::WindowHandle window, std::int16_t on) {
  std::uintptr_t style = platform::GetClassLongPtrA(window, platform::GCL_STYLE);
  if (on == -1) {
    style |= platform::CS_DROPSHADOW;
  } else {
    style &= ~platform::CS_DROPSHADOW;
  }
  platform::SetClassLongPtrA(window, platform::GCL_STYLE, style);
}

}  // namespace modSombraForm
