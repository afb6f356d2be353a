// The program's language-dependent texts.
#pragma once

#include <cstdint>
#include <string>

namespace modLang {

// Text `index` (0 to 10) of the table, in Spanish when language is exactly "spanish", else in
// English; "" for any other index.
std::string LangText(std::int32_t index, const std::string& language);

// The captions of the options that came later, beside LangText's table: "Record keyboard", the
// speed (step into engine::kSpeeds) and the hotkey panel's line on the keys recorded.
enum class Later { RecordKeyboard, KeysRecorded, KeysNotRecorded };
std::string LaterText(Later which, const std::string& language);
std::string SpeedText(int step, const std::string& language);

// The status line's word for a save (save true) or a load that failed, with its blank, in the
// language as LangText chooses it.
std::string FailedText(bool save, const std::string& language);

// The English name of the user's language in lower case; "" when the platform cannot tell.
std::string LocaleLanguageName();

}  // namespace modLang
