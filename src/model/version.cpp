#include "model/version.h"

namespace model {

std::string VersionText() {
  return std::to_string(TAPWRIGHT_VERSION_MAJOR) + "." + std::to_string(TAPWRIGHT_VERSION_MINOR) +
         "." + std::to_string(TAPWRIGHT_VERSION_REVISION);
}

}  // namespace model
