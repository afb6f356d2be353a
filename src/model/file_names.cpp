#include "model/file_names.h"

#include <cctype>

namespace model {

std::string FileExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  return dot == std::string::npos ? path : path.substr(dot + 1);
}

std::string FileBaseName(const std::string& path) {
  if (path.empty()) return "";
  const size_t sep = path.find_last_of("\\/");
  const size_t start = sep == std::string::npos ? 0 : sep + 1;
  const size_t dot = path.rfind('.');
  // With no "." after the last separator the whole name is the base name.
  if (dot == std::string::npos || dot < start) return path.substr(start);
  return path.substr(start, dot - start);
}

std::string FolderOf(const std::string& path) {
  const size_t sep = path.find_last_of("\\/");
  if (sep == std::string::npos) return "";
  // The root keeps its separator: "C:" alone would mean the drive's current folder.
  const bool root = sep == 0 || (sep == 2 && path[1] == ':');
  return path.substr(0, root ? sep + 1 : sep);
}

bool IsRecordingFile(const std::string& path) {
  if (path.find('\0') != std::string::npos) return false;
  std::string ext = FileExtension(path);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == "tpw";
}

}  // namespace model
