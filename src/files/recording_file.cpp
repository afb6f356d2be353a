// Saving the recording to a .tpw file (F6) and loading one (F5, drops, the sequence player).
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "files/modcomdlg.h"
#include "files/paths.h"
#include "files/tpw_format.h"
#include "ui/form1.h"
#include "ui/modlang.h"

namespace tapwright {
namespace {

namespace fs = std::filesystem;

fs::path FsPath(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// Writes the whole text or nothing: a save that fails half-way leaves the file that was there.
bool WriteFileWhole(const std::string& path, const std::string& text) {
  const fs::path target = FsPath(path);
  fs::path temp = target;
  temp += ".tapwright-saving";
  std::error_code ec;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (out && out.write(text.data(), static_cast<std::streamsize>(text.size())) && out.flush()) {
      out.close();
      fs::rename(temp, target, ec);
      if (!ec) return true;
    }
  }
  fs::remove(temp, ec);
  // No temporary file next to it (a folder we may not write to): write the file itself.
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  return out && out.write(text.data(), static_cast<std::streamsize>(text.size())) && out.flush();
}

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(FsPath(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return text;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

void Form1::SaveRecording() {
  try {
    if (CurrentRecording.UBound() == 0) return;
    const std::string filter = std::string("Archivos de Tapwright (*.tpw)") + '\0' + "*.tpw";
    const std::string title = "Tapwright - " + modLang::LangText(2, LanguageName);
    const std::string path = modComDlg::ShowSaveDialog(filter, title);
    if (path.empty()) return;
    if (!WriteFileWhole(path, tpw::Format(CurrentRecording))) return;
    ShowStatus("s", modGeneral::FileBaseName(path));
  } catch (...) {
    // Failures end the save without a message.
  }
}

void Form1::LoadRecording(const std::string& name_in) {
  try {
    std::string name = name_in;
    if (name.empty()) {
      const std::string filter = "Archivos de Tapwright (*.tpw)|*.tpw";
      const std::string title = "Tapwright - " + modLang::LangText(1, LanguageName);
      name = modComDlg::ShowOpenDialog(hWnd(), "", title, filter);
    }
    if (name.empty()) return;
    if (Lower(modGeneral::FileExtension(name)) != "tpw") return;
    const std::optional<std::string> text = ReadFile(name);
    if (!text) return;
    std::optional<engine::Recording> loaded = tpw::Parse(*text);
    if (!loaded) return;  // the recording stays as it was
    CurrentRecording = std::move(*loaded);
    PlayPosition = 0;  // a new recording plays from its first sample
    ShowStatus("l", modGeneral::FileBaseName(name));
  } catch (...) {
    // Failures end the load without a message; the recording is untouched.
  }
}

}  // namespace tapwright
