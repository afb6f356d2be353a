#include "files/modcomdlg.h"

#include <algorithm>
#include <vector>

namespace modComDlg {
namespace {

// The platform reads a filter as NUL-terminated strings closed by an empty one.
std::string FilterList(std::string filter) {
  filter.push_back('\0');
  filter.push_back('\0');
  return filter;
}

// A path buffer as the dialogs expect it: 254 spaces and the NUL, 255 in all.
std::vector<char> PathBuffer() {
  std::vector<char> b(255, ' ');
  b.back() = '\0';
  return b;
}

std::string ChosenPath(const std::vector<char>& buffer) {
  return std::string(buffer.data(), std::find(buffer.begin(), buffer.end(), '\0') - buffer.begin());
}

}  // namespace

std::string ShowOpenDialog(platform::WindowHandle owner, const std::string& initial_folder,
                           const std::string& title, const std::string& filter) {
  std::string list = filter;
  std::replace(list.begin(), list.end(), '|', '\0');
  list = FilterList(list);
  std::vector<char> file = PathBuffer(), file_title = PathBuffer();
  const std::string folder = initial_folder.empty() ? platform::AppFolder() : initial_folder;

  platform::OPENFILENAMEA ofn;
  ofn.lStructSize = platform::OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = owner;
  ofn.hInstance = platform::AppInstance();
  ofn.lpstrFilter = list.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<std::uint32_t>(file.size());
  ofn.lpstrFileTitle = file_title.data();
  ofn.nMaxFileTitle = static_cast<std::uint32_t>(file_title.size());
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = title.c_str();
  ofn.Flags = 0;
  return platform::GetOpenFileNameA(&ofn) ? ChosenPath(file) : "";
}

std::string ShowSaveDialog(const std::string& filter, const std::string& title) {
  const std::string list = FilterList(filter);
  std::vector<char> file = PathBuffer();

  platform::OPENFILENAMEA ofn;
  ofn.lStructSize = platform::OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = 0;
  ofn.hInstance = platform::AppInstance();
  ofn.lpstrFilter = list.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<std::uint32_t>(file.size());
  ofn.lpstrTitle = title.c_str();
  ofn.Flags = 0;
  ofn.lpstrDefExt = "tpw";
  return platform::GetSaveFileNameA(&ofn) ? ChosenPath(file) : "";
}

}  // namespace modComDlg
