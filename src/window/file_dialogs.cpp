#include "window/file_dialogs.h"

#include "window/texts.h"

namespace window {
namespace {

platform::FileRequest RecordingFileRequest(const std::string& title) {
  platform::FileRequest request;
  request.title = title;
  request.filter_name = kFileFilterName;
  request.filter_pattern = kFileFilterPattern;
  return request;
}

}  // namespace

std::optional<std::string> ShowOpenDialog(platform::WindowHandle owner, const std::string& title) {
  platform::FileRequest request = RecordingFileRequest(title);
  request.owner = owner;
  request.start_folder = platform::AppFolder();
  return platform::ChooseFile(request);
}

std::optional<std::string> ShowSaveDialog(const std::string& title) {
  platform::FileRequest request = RecordingFileRequest(title);
  request.save = true;
  request.default_extension = kFileExtension;
  return platform::ChooseFile(request);
}

}  // namespace window
