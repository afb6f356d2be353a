#include "engine/settings_keeper.h"

#include <cstdio>
#include <tuple>
#include <utility>

#include "engine/recording_files.h"
#include "model/file_names.h"
#include "platform/files.h"
#include "platform/process.h"

namespace engine {

SettingsKeeper::SettingsKeeper(std::function<model::Settings()> gather)
    : gather_(std::move(gather)),
      path_(platform::SettingsPath()),
      write_timer_(1000, [this] { Write(); }) {}

model::Settings SettingsKeeper::Read() {
  if (path_.empty()) return {};
  std::string fault;
  kept_ = model::ParseSettings(ReadSmallText(path_).value_or(""), &fault);
  if (!fault.empty())
    std::fprintf(stderr, "tapwright: %s: %s; the defaults are used\n", path_.c_str(),
                 fault.c_str());
  last_folder_ = kept_.last_folder;
  strip_place_ = {kept_.strip_x, kept_.strip_y};
  return kept_;
}

void SettingsKeeper::Flush() {
  if (write_timer_.Running()) Write();
}

void SettingsKeeper::SetLastFolder(std::string folder) {
  if (folder == last_folder_) return;
  last_folder_ = std::move(folder);
  Changed();
}

void SettingsKeeper::SetStripPlace(std::pair<int, int> place) {
  if (place == strip_place_) return;
  strip_place_ = place;
  Changed();
}

void SettingsKeeper::Write() {
  write_timer_.Stop();
  if (path_.empty()) return;
  model::Settings mine = gather_();
  mine.last_folder = last_folder_;
  std::tie(mine.strip_x, mine.strip_y) = strip_place_;
  // Another copy (on another display) may have written its own changes since.
  const model::Settings now = model::ParseSettings(ReadSmallText(path_).value_or(""));
  const model::Settings merged = model::MergeSettings(kept_, mine, now);
  platform::CreateFolders(model::FolderOf(path_));
  if (SaveText(path_, model::FormatSettings(merged))) kept_ = mine;
}

}  // namespace engine
