#include "shell/modlang.h"

#include <array>
#include <cctype>

#include "platform/platform.h"

namespace modLang {
namespace {

struct Entry {
  const char* english;
  const char* spanish;
};

constexpr std::array<Entry, 11> kTexts = {{
    {"Keyboard", "Teclado"},
    {"Load file", "Abrir archivo"},
    {"Save file", "Guardar archivo"},
    {"Simulate mouse clicks", "Simular los clicks"},
    {"Repeat movements", "Repetir el movimiento"},
    {"Single timer", "Temporizador"},
    {"Secuence", "Secuencia"},
    {"Initial", "Inicial"},
    {"Load: ", "Abierto: "},
    {"Save: ", "Guardado: "},
    {"Options", "Opciones"},
}};

}  // namespace

std::string LangText(std::int32_t index, const std::string& language) {
  if (index < 0 || index >= static_cast<std::int32_t>(kTexts.size())) return "";
  const Entry& e = kTexts[static_cast<size_t>(index)];
  return language == "spanish" ? e.spanish : e.english;
}

std::string FailedText(bool save, const std::string& language) {
  const Entry e =
      save ? Entry{"Not saved: ", "No guardado: "} : Entry{"Not loaded: ", "No abierto: "};
  return language == "spanish" ? e.spanish : e.english;
}

std::string LocaleLanguageName(std::int32_t kind) {
  char buffer[256] = {};
  const int n = platform::GetLocaleInfoA(platform::LOCALE_USER_DEFAULT,
                                         static_cast<std::uint32_t>(kind), buffer, 256);
  if (n <= 0) return "";
  std::string name(buffer, static_cast<size_t>(std::min(n - 1, 255)));
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

}  // namespace modLang
