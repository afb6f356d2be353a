// What the schedulers (the single timer, the sequence) may ask of the playback: no more, so that
// neither reaches the session that implements it.
#pragma once

#include <string>

namespace engine {

class Playback {
 public:
  virtual bool Playing() const = 0;
  // A load or a save runs.
  virtual bool FileBusy() const = 0;
  // A new playback from the first sample, wherever an earlier one stopped.
  virtual void PlayFromStart() = 0;
  virtual void StopPlayback() = 0;
  // Loads the recording file and plays it once it is all there; a file that fails is not played.
  virtual void LoadThenPlay(const std::string& path) = 0;

 protected:
  ~Playback() = default;
};

}  // namespace engine
