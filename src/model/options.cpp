#include "model/options.h"

#include <cmath>

namespace model {

std::string SpeedName(int speed_step) {
  if (speed_step < 0 || speed_step >= kSpeedCount) return "";
  const double factor = kSpeeds[speed_step].factor;
  if (factor < 1) return "1/" + std::to_string(static_cast<int>(std::lround(1 / factor)));
  return std::to_string(static_cast<int>(std::lround(factor)));
}

int SpeedStepNamed(std::string_view name) {
  for (int step = 0; step < kSpeedCount; ++step)
    if (name == SpeedName(step)) return step;
  return -1;
}

}  // namespace model
