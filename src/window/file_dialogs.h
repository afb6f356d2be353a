// The platform's open and save dialogs for recording files, returning the chosen path.
#pragma once

#include <string>

#include "platform/platform.h"

namespace window {

// Starts in the program's folder. "" when the user cancels or the dialog fails.
std::string ShowOpenDialog(platform::WindowHandle owner, const std::string& title);

// Has no owner and adds the recording extension to a bare name. "" on cancel or failure.
std::string ShowSaveDialog(const std::string& title);

}  // namespace window
