#include "shell/modlang.h"

#include <algorithm>
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

std::string LaterText(Later which, const std::string& language) {
  constexpr std::array<Entry, 3> kLater = {{
      {"Record keyboard", "Grabar el teclado"},
      {"Other keys are recorded, but Esc", "Se graban las otras teclas, salvo Esc"},
      {"Keys not recorded (see Options)", "No se graban las teclas (ver Opciones)"},
  }};
  const Entry& e = kLater[static_cast<size_t>(which)];
  return language == "spanish" ? e.spanish : e.english;
}

std::string SpeedText(int step, const std::string& language) {
  // x1/4 ... x8 with the multiplication sign and the vulgar fractions, in UTF-8.
  constexpr const char* kFactors[] = {"\xC2\xBC", "\xC2\xBD", "1", "2", "4", "8"};
  const char* factor = kFactors[std::clamp(step, 0, 5)];
  return std::string(language == "spanish" ? "Velocidad" : "Speed") + " \xC3\x97" + factor;
}

std::string FailedText(bool save, const std::string& language) {
  const Entry e =
      save ? Entry{"Not saved: ", "No guardado: "} : Entry{"Not loaded: ", "No abierto: "};
  return language == "spanish" ? e.spanish : e.english;
}

std::string LocaleLanguageName() {
  std::string name = platform::UserLanguageName();
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

}  // namespace modLang
