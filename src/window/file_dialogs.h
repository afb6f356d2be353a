// The dialogs that ask for a recording file, in the window's language.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace window {

// Starts in the program's folder, owned by `owner`. nullopt on cancel or failure.
std::optional<std::string> ShowOpenDialog(platform::WindowHandle owner, const std::string& title);

// Has no owner and adds the recording extension to a bare name. nullopt on cancel or failure.
std::optional<std::string> ShowSaveDialog(const std::string& title);

}  // namespace window
