#include "hotkeys/modgeneral_topmost.h"

namespace modGeneral {

void SetTopmost(platform::WindowHandle window, std::int16_t topmost) {
  platform::SetTopmost(window, topmost == -1);
}

}  // namespace modGeneral
