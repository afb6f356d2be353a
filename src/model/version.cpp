#include "model/version.h"

namespace model {

std::string VersionText() {
  return std::to_string(TAPWRIGHT_VERSION_MAJOR) + "." + std::to_string(TAPWRIGHT_VERSION_MINOR) +
         "." + std::to_string(TAPWRIGHT_VERSION_REVISION);
}

std::string VersionNotice() {
  std::string notice = "tapwright " + VersionText() + "\n";
  notice += "Copyright (C) " TAPWRIGHT_COPYRIGHT "\n";
  notice +=
      "License MIT: <https://opensource.org/licenses/MIT>.\n"
      "This is free software: you are free to change and redistribute it.\n"
      "There is NO WARRANTY, to the extent permitted by law.\n";
  return notice;
}

}  // namespace model
