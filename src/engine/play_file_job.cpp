#include "engine/play_file_job.h"

#include <utility>

namespace engine {

void PlayFileJob::Loaded(int passes, double speed, bool wait) {
  passes_left_ = passes;
  speed_ = speed;
  wait_ = wait;
  own_speed_ = own_wait_ = true;
}

void PlayFileJob::End(int exit_code, const std::string& why) {
  if (!done_) return;
  own_speed_ = own_wait_ = false;
  std::exchange(done_, nullptr)(exit_code, why);
}

}  // namespace engine
