// The English name of the user's language, from POSIX locale names. Pure functions, so that
// they can be tested without a desktop.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform::x11 {

// "es", "es_ES", "es_MX.UTF-8", "ca_ES@valencia" -> "Spanish", "Spanish", "Spanish", "Catalan".
// Empty for "", "C", "POSIX" and languages it does not know.
std::string EnglishLanguageName(std::string_view locale);

// The locale that names the language of messages: LC_ALL, then LC_MESSAGES, then LANG, the first
// that is set and not empty. `getenv` is the environment to read.
std::string MessagesLocale(const std::function<const char*(const char*)>& getenv);

}  // namespace platform::x11
