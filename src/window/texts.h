// The window's language-dependent texts, by name, in English and Spanish.
#pragma once

#include <string>
#include <string_view>

namespace window {

enum class Language { English, Spanish };

enum class Text {
  Keyboard,
  LoadFile,
  SaveFile,
  SimulateClicks,
  Repeat,
  SingleTimer,
  Sequence,
  Initial,
  Loaded,  // the status line's words, each with its blank
  Saved,
  LoadFailed,
  SaveFailed,
  Options,
  RecordKeyboard,
  KeysRecorded,  // before the keys a recording leaves out
  KeysNotRecorded,
  Speed,
  Loading,  // with the percentage after a blank
  Saving,
  NothingRecorded,
  RecordHint,  // after the record key's name and ": "
  ChooseKey,   // a hotkey is being chosen: before the key it keeps
  KeyInUse,    // the status line's word before a key another command has
  Busy,        // before a file from outside that was refused
  FileFilter,  // the file dialogs' filter
  WaitForScreen,
  NotFound,   // before where in the recording a replay stopped, waiting for the screen
  KeyChosen,  // before the key a command now has
  KeyKept,    // before the key a command keeps
  PlayHint,   // after the play key's name and ": "
  Wayland,    // the status line at the start on a Wayland desktop
};

std::string_view TextOf(Text id, Language language);

// The user's language as the system tells it.
Language UserLanguage();
// Spanish for a locale whose language is Spanish in any letter case, else English.
Language LanguageOf(const std::string& locale_language_name);

// "Speed ×2": the step's label from the speed table after the word.
std::string SpeedText(int speed_step, Language language);

inline constexpr std::string_view kFileFilterPattern = "*.tpw";
inline constexpr std::string_view kFileExtension = "tpw";

}  // namespace window
