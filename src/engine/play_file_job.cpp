#include "engine/play_file_job.h"

#include <utility>

namespace engine {

PlayFileJob::PlayFileJob(model::Options& options, std::function<void()> speed_changed)
    : options_(options), speed_changed_(std::move(speed_changed)) {}

void PlayFileJob::Loaded(int passes, int speed_step, bool wait) {
  passes_left_ = passes;
  if (wait && !options_.wait_for_screen) {
    options_.wait_for_screen = waits_for_it_ = true;
    speed_changed_();
  }
  if (speed_step < 0 || speed_step >= model::kSpeedCount) return;
  kept_speed_step_ = std::exchange(options_.speed_step, speed_step);
  speed_changed_();
}

void PlayFileJob::End(int exit_code, const std::string& why) {
  if (!done_) return;
  if (std::exchange(waits_for_it_, false)) {
    options_.wait_for_screen = false;
    speed_changed_();
  }
  if (kept_speed_step_ >= 0) {
    options_.speed_step = std::exchange(kept_speed_step_, -1);
    speed_changed_();
  }
  std::exchange(done_, nullptr)(exit_code, why);
}

}  // namespace engine
