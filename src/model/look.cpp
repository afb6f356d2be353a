#include "model/look.h"

#include <cstdlib>

namespace model {

bool LooksAlike(const std::vector<std::uint32_t>& recorded, const std::vector<std::uint32_t>& now) {
  if (recorded.size() != now.size()) return false;
  int changed = 0, compared = 0;
  for (std::size_t i = 0; i < recorded.size(); ++i) {
    const std::uint32_t a = recorded[i], b = now[i];
    if (a == kUnseen || b == kUnseen) continue;
    ++compared;
    for (const int shift : {0, 8, 16})
      if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
          kChannelSlack) {
        ++changed;
        break;
      }
    if (changed > kChangedPixels) return false;
  }
  // Mostly hidden, it proves nothing: a press there would be blind.
  return compared >= static_cast<int>(recorded.size()) / 2;
}

}  // namespace model
