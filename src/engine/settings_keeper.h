// The settings file: read at the start, written a second after the last change or as the program
// ends, merged with what another copy wrote since.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "model/settings.h"
#include "platform/timer.h"

namespace engine {

class SettingsKeeper {
 public:
  // gather gives the settings as they are now, but for the folder and the strip's place, which
  // the keeper keeps.
  explicit SettingsKeeper(std::function<model::Settings()> gather);

  // The file's settings: the defaults without one, or with a broken one (stderr says why).
  model::Settings Read();
  // Where they are kept; "" where there is no such place.
  const std::string& Path() const { return path_; }
  // They changed: written a second after the last change.
  void Changed() { write_timer_.Start(); }
  // What changed since the last read or write is what the file says.
  void Unchanged() { write_timer_.Stop(); }
  // Writes a change not yet written.
  void Flush();
  // The folder of the file chosen last ("" before any).
  const std::string& LastFolder() const { return last_folder_; }
  void SetLastFolder(std::string folder);
  // Where the strip rests while idle, as model::Settings keeps it.
  std::pair<int, int> StripPlace() const { return strip_place_; }
  void SetStripPlace(std::pair<int, int> place);

 private:
  void Write();

  std::function<model::Settings()> gather_;
  std::string path_;
  std::string last_folder_;
  std::pair<int, int> strip_place_{-1, -1};
  // This copy's settings as last read or written: what differs from them now, it changed.
  model::Settings kept_;
  platform::Timer write_timer_;
};

}  // namespace engine
