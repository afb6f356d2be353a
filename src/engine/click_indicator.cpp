// The click indicator that catches the user's clicks during a recording.
#include "ui/form1.h"

namespace tapwright {

// The indicator window comes with the "Simulate mouse clicks" option; until then these do
// nothing, and the option cannot be switched on.
void Form1::MoveClickIndicator() {}
void Form1::ShowClickIndicator() {}
void Form1::CloseClickIndicator() {}

}  // namespace tapwright
