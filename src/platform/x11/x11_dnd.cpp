// File drops (XDND).
#include "platform/x11/x11_internal.h"

namespace platform::x11 {

void HandleDndMessage(WindowState& ws, const XClientMessageEvent& msg) {
  (void)ws;
  (void)msg;
}

void HandleDndSelection(WindowState& ws, const XSelectionEvent& ev) {
  (void)ws;
  (void)ev;
}

}  // namespace platform::x11
