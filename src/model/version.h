// The program's version as users see it: the project's, defined once in the build.
#pragma once

#include <string>

namespace model {

// "1.0.8": major, minor and revision; the build number shows only in the Windows file version.
std::string VersionText();

}  // namespace model
