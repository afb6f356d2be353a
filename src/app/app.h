#pragma once

namespace app {

// Starts the program: one main window, then the message loop until the program ends.
int Run();

}  // namespace app
