#include "files/modcomdlg.h"

namespace modComDlg {
namespace {

// The filter's name, then its pattern, split at the separator.
void SetFilter(platform::FileRequest& request, const std::string& filter, char separator) {
  const size_t at = filter.find(separator);
  request.filter_name = filter.substr(0, at);
  request.filter_pattern = at == std::string::npos ? "" : filter.substr(at + 1);
}

}  // namespace

std::string ShowOpenDialog(platform::WindowHandle owner, const std::string& initial_folder,
                           const std::string& title, const std::string& filter) {
  platform::FileRequest request;
  request.owner = owner;
  request.title = title;
  SetFilter(request, filter, '|');
  request.start_folder = initial_folder.empty() ? platform::AppFolder() : initial_folder;
  return platform::ChooseFile(request).value_or("");
}

std::string ShowSaveDialog(const std::string& filter, const std::string& title) {
  platform::FileRequest request;
  request.save = true;
  request.title = title;
  SetFilter(request, filter, '\0');
  request.default_extension = "tpw";
  return platform::ChooseFile(request).value_or("");
}

}  // namespace modComDlg
