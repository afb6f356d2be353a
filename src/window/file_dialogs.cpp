#include "window/file_dialogs.h"

#include <algorithm>
#include <vector>

#include "window/texts.h"

namespace window {
namespace {

// The platform reads a filter as NUL-terminated strings closed by an empty one.
std::string FilterList() {
  std::string list(kFileFilterName);
  list += '\0';
  list += kFileFilterPattern;
  list += '\0';
  list += '\0';
  return list;
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

std::string ShowOpenDialog(platform::WindowHandle owner, const std::string& title) {
  const std::string list = FilterList();
  std::vector<char> file = PathBuffer(), file_title = PathBuffer();
  const std::string folder = platform::AppFolder();

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

std::string ShowSaveDialog(const std::string& title) {
  const std::string list = FilterList();
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
  ofn.lpstrDefExt = kFileExtension.data();
  return platform::GetSaveFileNameA(&ofn) ? ChosenPath(file) : "";
}

}  // namespace window
