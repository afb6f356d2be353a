#include "shell/modsombraform.h"

namespace modSombraForm {

void SetDropShadow(platform::WindowHandle window, std::int16_t on) {
  platform::SetDropShadow(window, on == -1);
}

}  // namespace modSombraForm
