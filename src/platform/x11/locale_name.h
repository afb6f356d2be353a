// The English name of the user's language, from POSIX locale names. Pure and header-only, so
// that tests can call it without a desktop.
#pragma once

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <string_view>

namespace platform::x11 {
namespace locale_detail {

struct Language {
  std::string_view code;
  std::string_view name;
};

// ISO 639-1 codes, and the 639-2 codes glibc uses where a language has no two-letter code.
constexpr Language kLanguages[] = {
    {"af", "Afrikaans"},  {"ar", "Arabic"},     {"ast", "Asturian"}, {"bg", "Bulgarian"},
    {"ca", "Catalan"},    {"cs", "Czech"},      {"cy", "Welsh"},     {"da", "Danish"},
    {"de", "German"},     {"el", "Greek"},      {"en", "English"},   {"es", "Spanish"},
    {"et", "Estonian"},   {"eu", "Basque"},     {"fa", "Persian"},   {"fi", "Finnish"},
    {"fr", "French"},     {"ga", "Irish"},      {"gl", "Galician"},  {"he", "Hebrew"},
    {"hi", "Hindi"},      {"hr", "Croatian"},   {"hu", "Hungarian"}, {"id", "Indonesian"},
    {"is", "Icelandic"},  {"it", "Italian"},    {"ja", "Japanese"},  {"ko", "Korean"},
    {"lt", "Lithuanian"}, {"lv", "Latvian"},    {"nb", "Norwegian"}, {"nl", "Dutch"},
    {"nn", "Norwegian"},  {"no", "Norwegian"},  {"pl", "Polish"},    {"pt", "Portuguese"},
    {"ro", "Romanian"},   {"ru", "Russian"},    {"sk", "Slovak"},    {"sl", "Slovenian"},
    {"sr", "Serbian"},    {"sv", "Swedish"},    {"th", "Thai"},      {"tr", "Turkish"},
    {"uk", "Ukrainian"},  {"vi", "Vietnamese"}, {"zh", "Chinese"},
};

}  // namespace locale_detail

// "es", "es_ES", "es_MX.UTF-8", "ca_ES@valencia" -> "Spanish", "Spanish", "Spanish", "Catalan".
// Empty for "", "C", "POSIX" and languages it does not know.
inline std::string EnglishLanguageName(std::string_view locale) {
  // language[_territory][.codeset][@modifier]
  size_t end = locale.find_first_of("_.@-");
  std::string code(locale.substr(0, end));
  std::transform(code.begin(), code.end(), code.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const locale_detail::Language& l : locale_detail::kLanguages)
    if (l.code == code) return std::string(l.name);
  return {};
}

// The locale that names the language of messages: LC_ALL, then LC_MESSAGES, then LANG, the first
// that is set and not empty. `getenv` is the environment to read.
inline std::string MessagesLocale(const std::function<const char*(const char*)>& getenv) {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

}  // namespace platform::x11
