// The X11 build's language detection: POSIX locale names to the English language name.
#include <gtest/gtest.h>

#include <map>

#include "platform/x11/locale_name.h"

namespace {

using platform::x11::EnglishLanguageName;
using platform::x11::MessagesLocale;

TEST(X11Locale, LanguageOfEveryLocaleSpelling) {
  for (const char* spanish : {"es", "es_ES", "es_MX.UTF-8", "ES_es", "es_ES@euro", "es-AR"})
    EXPECT_EQ(EnglishLanguageName(spanish), "Spanish") << spanish;
  for (const char* english : {"en", "en_US.UTF-8", "en_GB", "en_IE@euro"})
    EXPECT_EQ(EnglishLanguageName(english), "English") << english;
  EXPECT_EQ(EnglishLanguageName("de_DE.UTF-8"), "German");
  EXPECT_EQ(EnglishLanguageName("fr_CA"), "French");
  EXPECT_EQ(EnglishLanguageName("ca_ES@valencia"), "Catalan");
  EXPECT_EQ(EnglishLanguageName("pt_BR.UTF-8"), "Portuguese");
  EXPECT_EQ(EnglishLanguageName("nl_BE"), "Dutch");
  EXPECT_EQ(EnglishLanguageName("ast_ES.UTF-8"), "Asturian");
}

TEST(X11Locale, NoLanguageForNeutralOrUnknownLocales) {
  for (const char* none : {"", "C", "POSIX", "C.UTF-8", "xx_XX", "e", "esp", "_ES", ".UTF-8"})
    EXPECT_EQ(EnglishLanguageName(none), "") << none;
}

TEST(X11Locale, FirstNonEmptyOfLcAllLcMessagesLang) {
  std::map<std::string, std::string> env;
  auto lookup = [&env](const char* name) -> const char* {
    auto found = env.find(name);
    return found == env.end() ? nullptr : found->second.c_str();
  };
  EXPECT_EQ(MessagesLocale(lookup), "");
  env["LANG"] = "es_ES.UTF-8";
  EXPECT_EQ(MessagesLocale(lookup), "es_ES.UTF-8");
  env["LC_MESSAGES"] = "de_DE";
  EXPECT_EQ(MessagesLocale(lookup), "de_DE");
  env["LC_ALL"] = "";  // set but empty: does not count
  EXPECT_EQ(MessagesLocale(lookup), "de_DE");
  env["LC_ALL"] = "fr_FR";
  EXPECT_EQ(MessagesLocale(lookup), "fr_FR");
  env["LC_CTYPE"] = "en_US";  // not about messages
  EXPECT_EQ(MessagesLocale(lookup), "fr_FR");
}

}  // namespace
