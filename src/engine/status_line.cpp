#include "engine/status_line.h"

#include <utility>

namespace engine {

StatusLine::StatusLine(std::function<void()> changed)
    : changed_(std::move(changed)), status_timer_(1000, [this] { Tick(); }) {}

void StatusLine::Show(Kind kind, std::string name) {
  kind_ = kind;
  name_ = std::move(name);
  visible_ = true;
  ticks_ = 0;
  status_timer_.Start();
  changed_();
}

void StatusLine::ShowProgress(Kind kind, int percent) {
  kind_ = kind;
  percent_ = percent;
  visible_ = true;
  status_timer_.Stop();
  changed_();
}

void StatusLine::ShowHeld(Kind kind, std::string name) {
  name_ = std::move(name);
  ShowProgress(kind, 0);
}

void StatusLine::Hide() {
  status_timer_.Stop();
  visible_ = false;
  changed_();
}

void StatusLine::Tick() {
  if (ticks_ < 5) {
    ++ticks_;
    return;
  }
  ticks_ = 0;
  Hide();
}

}  // namespace engine
