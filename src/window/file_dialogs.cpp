#include "window/file_dialogs.h"

#include "platform/display.h"
#include "platform/files.h"

namespace window {

std::optional<std::string> ShowFileDialog(bool save, platform::WindowHandle owner,
                                          const std::string& title, Language language,
                                          const std::string& start_folder) {
  platform::FileRequest request;
  request.save = save;
  request.owner = owner;
  request.title = title;
  request.filter_name = TextOf(Text::FileFilter, language);
  request.filter_pattern = kFileFilterPattern;
  request.start_folder = start_folder;
  if (save) request.default_extension = kFileExtension;
  return platform::ChooseFile(request);
}

}  // namespace window
