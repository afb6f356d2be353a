#include "hotkeys/modgeneral_topmost.h"

namespace modGeneral {

void SetTopmost(platform::WindowHandle window, std::int16_t topmost) {
  platform::SetWindowPos(window, topmost == -1 ? platform::HWND_TOPMOST : platform::HWND_NOTOPMOST,
                         0, 0, 0, 0, platform::SWP_NOSIZE | platform::SWP_NOMOVE);
}

}  // namespace modGeneral
