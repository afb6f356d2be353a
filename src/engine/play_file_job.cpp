#include "engine/play_file_job.h"

#include <utility>

namespace engine {

PlayFileJob::PlayFileJob(model::Options& options, std::function<void()> speed_changed)
    : options_(options), speed_changed_(std::move(speed_changed)) {}

void PlayFileJob::Loaded(int passes, int speed_step) {
  passes_left_ = passes;
  if (speed_step < 0 || speed_step >= model::kSpeedCount) return;
  kept_speed_step_ = std::exchange(options_.speed_step, speed_step);
  speed_changed_();
}

void PlayFileJob::End(int exit_code, const std::string& why) {
  if (!done_) return;
  if (kept_speed_step_ >= 0) {
    options_.speed_step = std::exchange(kept_speed_step_, -1);
    speed_changed_();
  }
  std::exchange(done_, nullptr)(exit_code, why);
}

}  // namespace engine
