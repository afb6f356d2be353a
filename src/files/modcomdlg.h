// The platform's open and save dialogs, returning the chosen path.
#pragma once

#include <string>

#include "platform/platform.h"

namespace modComDlg {

// filter separates its parts with "|"; an empty initial folder means the program's folder.
// Returns "" when the user cancels or the dialog fails.
std::string ShowOpenDialog(platform::WindowHandle owner, const std::string& initial_folder,
                           const std::string& title, const std::string& filter);

// filter separates its parts with NUL; the dialog has no owner and adds ".tpw" to a bare name.
std::string ShowSaveDialog(const std::string& filter, const std::string& title);

}  // namespace modComDlg
