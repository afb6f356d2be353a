// Saving the recording to a .tpw file (F6) and loading one (F5, drops, the sequence player).
#include "files/file_io.h"
#include "files/modcomdlg.h"
#include "files/paths.h"
#include "files/tpw_format.h"
#include "shell/form1.h"
#include "shell/modlang.h"

namespace tapwright {

void Form1::SaveRecording() {
  std::string path;
  try {
    if (CurrentRecording.UBound() == 0) return;
    const std::string filter = std::string("Archivos de Tapwright (*.tpw)") + '\0' + "*.tpw";
    const std::string title = "Tapwright - " + modLang::LangText(2, LanguageName);
    path = modComDlg::ShowSaveDialog(filter, title);
    if (path.empty()) return;
    if (files::SaveText(path, tpw::Format(CurrentRecording))) {
      ShowStatus("s", modGeneral::FileBaseName(path));
      return;
    }
  } catch (...) {
    // Told below, like any other failure once a file was chosen.
  }
  if (!path.empty()) ShowStatusFailed("s", modGeneral::FileBaseName(path));
}

bool Form1::LoadRecording(const std::string& name_in) {
  std::string name = name_in;
  bool chosen = false;  // a recording file was named: from here on a failure is told
  try {
    if (name.empty()) {
      const std::string filter = "Archivos de Tapwright (*.tpw)|*.tpw";
      const std::string title = "Tapwright - " + modLang::LangText(1, LanguageName);
      name = modComDlg::ShowOpenDialog(hWnd(), "", title, filter);
    }
    if (!modGeneral::IsRecordingFile(name)) return false;  // other files are ignored
    chosen = true;
    std::optional<engine::Recording> loaded = files::ReadRecording(name);
    if (loaded) {
      CurrentRecording = std::move(*loaded);
      PlayPosition = 0;  // a new recording plays from its first sample
      ShowStatus("l", modGeneral::FileBaseName(name));
      return true;
    }
  } catch (...) {
    // The recording stays as it was.
  }
  if (chosen) ShowStatusFailed("l", modGeneral::FileBaseName(name));
  return false;
}

}  // namespace tapwright
