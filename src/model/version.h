// The program's version as users see it: the project's, defined once in the build.
#pragma once

#include <string>

namespace model {

// "1.0.8": major, minor and revision; the build number shows only in the Windows file version.
std::string VersionText();

// What --version prints: the name and version, then the copyright and licence lines GNU
// programs print, each line ended.
std::string VersionNotice();

}  // namespace model
