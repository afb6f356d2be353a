#include "engine/hotkey_poller.h"

#include <algorithm>

#include "platform/input.h"

namespace engine {

HotkeyPoller::HotkeyPoller(StatusLine& status, View& view, std::function<void(bool told)> poll,
                           std::function<Moment()> moment, std::function<void()> chosen)
    : status_(status),
      view_(view),
      poll_(std::move(poll)),
      moment_(std::move(moment)),
      chosen_(std::move(chosen)),
      poll_timer_(100, [this] { Poll(false); }),
      idle_poll_timer_(1000, [this] { Poll(false); }) {
  told_ = platform::OnHotkeyChange([this] {
    if (!paused_ || !moment_().idle) Poll(true);
  });
  edges_.TrustPresses(told_);
}

HotkeyPoller::~HotkeyPoller() { platform::OnHotkeyChange(nullptr); }

void HotkeyPoller::Use(const HotkeySet& keys) {
  keys_ = keys;
  Take();
}

void HotkeyPoller::Poll(bool told) {
  if (choosing_) {
    TakeChoice();
    view_.Show(Change::HotkeyPoll);
    return;
  }
  // What an earlier key's command takes does not count for the presses of this poll.
  taken_at_poll_ = taken_;
  poll_(told);
}

bool HotkeyPoller::Pressed(int vk, bool told) {
  const auto& taken = taken_at_poll_;
  return edges_.Pressed(vk) && (!told || std::find(taken.begin(), taken.end(), vk) != taken.end());
}

void HotkeyPoller::Take() {
  const Moment m = moment_();
  const bool idle = m.idle && !m.timer_armed;
  // Waiting for a hand, the taken keys' own presses wake the poll; the slow poll is for a key
  // another program holds, and keeps the window on top.
  const bool waiting = told_ && m.idle && !choosing_;
  poll_timer_.SetRunning((!paused_ || !m.idle) && !waiting);
  idle_poll_timer_.SetRunning(!paused_ && waiting);
  std::vector<int> keys;
  for (const Hotkey& h : keys_.All()) {
    bool acts = true;
    if (h.command == Command::Load || h.command == Command::Save) acts = idle && !m.loading;
    if (h.command == Command::Stop) acts = !idle || m.loading;
    if (acts) keys.push_back(h.vk);
  }
  if (keys == taken_) return;
  // Told of a key's changes only while it is taken, the poller may have missed its release.
  for (const int vk : keys)
    if (std::find(taken_.begin(), taken_.end(), vk) == taken_.end()) edges_.Refresh(vk);
  taken_ = keys;
  platform::TakeHotkeys(keys);
}

void HotkeyPoller::Pause() {
  paused_ = true;
  Take();
}

void HotkeyPoller::Resume() {
  for (const Hotkey& h : keys_.All()) edges_.Spend(h.vk);
  paused_ = false;
  Take();
}

void HotkeyPoller::Choose(Command command) {
  choosing_ = command;
  // Only a press from now on is the choice.
  for (int vk = platform::vk::kBackspace; vk < 255; ++vk) edges_.Spend(vk);
  status_.ShowHeld(StatusLine::Kind::ChooseKey, KeyName(keys_.KeyOf(command)));
  Take();
  view_.Show(Change::Hotkeys);
}

void HotkeyPoller::TakeChoice() {
  int vk = platform::vk::kBackspace;
  while (vk < 255 && !(edges_.Pressed(vk) && Choosable(vk))) ++vk;
  if (vk == 255) return;
  const Command command = *std::exchange(choosing_, std::nullopt);
  Take();
  if (vk == platform::vk::kEscape || vk == keys_.KeyOf(command)) {
    status_.Show(StatusLine::Kind::KeyKept, KeyName(keys_.KeyOf(command)));
  } else if (keys_.Has(vk)) {
    status_.Show(StatusLine::Kind::KeyInUse, KeyName(vk));
  } else {
    HotkeySet keys = keys_;
    keys.Give(command, vk);
    Use(keys);
    chosen_();
    status_.Show(StatusLine::Kind::KeyChosen, KeyName(vk));
  }
  view_.Show(Change::Hotkeys);
}

}  // namespace engine
