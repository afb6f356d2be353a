#pragma once

#include <string>
#include <vector>

namespace app {

// Starts the program as its command line asks (args after the program's name, UTF-8): one main
// window, then the message loop until the program ends; or a word on stdout or stderr; or the
// request handed to the copy that already runs. Returns the exit code.
int Run(const std::vector<std::string>& args);

}  // namespace app
