// The sequence list: recording files, each with the time of day it plays at.
#include "files/modcomdlg.h"
#include "files/paths.h"
#include "schedule/time_number.h"
#include "shell/form1.h"
#include "shell/modlang.h"

namespace tapwright {
namespace {

constexpr std::uint32_t kShellEffects =
    platform::kDropCopy | platform::kDropMove | platform::kDropLink;

}  // namespace

void Form1::AddToSequence(const std::string& path) {
  if (!modGeneral::IsRecordingFile(path)) return;
  Lista.AddItem(modGeneral::FileBaseName(path));
  SequenceItems.push_back({path, 1200});
  frSecTime.SetVisible(true);
}

void Form1::imAdd_Click() {
  if (SequenceOn) return;
  tmrKeys.SetEnabled(false);
  const std::string path =
      modComDlg::ShowOpenDialog(hWnd(), "", "Tapwright - " + modLang::LangText(1, LanguageName),
                                "Archivos de Tapwright (*.tpw)|*.tpw");
  tmrKeys.SetEnabled(true);
  if (!path.empty()) AddToSequence(path);
}

void Form1::imDel_Click() {
  if (SequenceOn) return;
  const int sel = Lista.ListIndex();
  if (Lista.ListCount() == 0 || sel < 0) return;
  SequenceItems.erase(SequenceItems.begin() + sel);
  Lista.RemoveItem(sel);
  if (Lista.ListCount() == 0) {
    frSecTime.SetVisible(false);
  } else {
    Lista.SetListIndex(0);
  }
}

void Form1::Lista_Click() {
  if (Lista.ListCount() == 0 || Lista.ListIndex() < 0) return;
  frSecTime.SetVisible(true);
  const std::int32_t t = SequenceItems[static_cast<size_t>(Lista.ListIndex())].StartTime;
  LBHora[4].SetCaption(schedule::TwoDigits(t / 100));
  LBHora[5].SetCaption(schedule::TwoDigits(t % 100));
}

void Form1::Lista_OLEDragDrop(const platform::DropEvent& e) {
  if (e.allowed_effects != kShellEffects) return;
  for (const std::string& file : e.files) AddToSequence(file);
}

void Form1::FrControl_OLEDragDrop(const platform::DropEvent& e) {
  if (e.allowed_effects != kShellEffects || e.files.empty()) return;
  LoadRecording(e.files.front());
}

}  // namespace tapwright
