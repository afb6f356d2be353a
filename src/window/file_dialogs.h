// The dialogs that ask for a recording file, in the window's language.
#pragma once

#include <optional>
#include <string>

#include "platform/display.h"
#include "window/texts.h"

namespace window {

// Owned by `owner`, starting in `start_folder`; a save adds the recording extension to a bare
// name. nullopt on cancel or failure.
std::optional<std::string> ShowFileDialog(bool save, platform::WindowHandle owner,
                                          const std::string& title, Language language,
                                          const std::string& start_folder);

}  // namespace window
