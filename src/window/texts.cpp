#include "window/texts.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "model/options.h"
#include "platform/process.h"

namespace window {
namespace {

struct Entry {
  Text id;
  const char* english;
  const char* spanish;
};

constexpr std::array<Entry, 31> kTexts = {{
    {Text::Keyboard, "Keyboard", "Teclado"},
    {Text::LoadFile, "Load file", "Abrir archivo"},
    {Text::SaveFile, "Save file", "Guardar archivo"},
    {Text::SimulateClicks, "Simulate mouse clicks", "Simular los clicks"},
    {Text::Repeat, "Repeat movements", "Repetir el movimiento"},
    {Text::SingleTimer, "Single timer", "Temporizador"},
    {Text::Sequence, "Sequence", "Secuencia"},
    {Text::Initial, "Initial", "Inicial"},
    {Text::Loaded, "Load: ", "Abierto: "},
    {Text::Saved, "Save: ", "Guardado: "},
    {Text::LoadFailed, "Not loaded: ", "No abierto: "},
    {Text::SaveFailed, "Not saved: ", "No guardado: "},
    {Text::Options, "Options", "Opciones"},
    {Text::RecordKeyboard, "Record keyboard", "Grabar el teclado"},
    {Text::KeysRecorded, "Keys recorded, not ", "Se graban las teclas, salvo "},
    {Text::KeysNotRecorded, "Keys not recorded (see Options)",
     "No se graban las teclas (ver Opciones)"},
    {Text::Speed, "Speed", "Velocidad"},
    {Text::Loading, "Loading", "Abriendo"},
    {Text::Saving, "Saving", "Guardando"},
    {Text::NothingRecorded, "Nothing recorded", "Nada grabado"},
    {Text::RecordHint, "record", "grabar"},
    {Text::ChooseKey, "Press a key; Esc keeps ", "Pulse una tecla; Esc mantiene "},
    {Text::KeyInUse, "In use: ", "En uso: "},
    {Text::Busy, "Busy, not loaded: ", "Ocupado, no abierto: "},
    {Text::FileFilter, "Tapwright recordings (*.tpw)", "Archivos de Tapwright (*.tpw)"},
    {Text::WaitForScreen, "Wait for the screen", "Esperar a la pantalla"},
    {Text::NotFound, "Not found: ", "No encontrado: "},
    {Text::KeyChosen, "Chosen: ", "Elegida: "},
    {Text::KeyKept, "Kept: ", "Se mantiene: "},
    {Text::PlayHint, "play", "reproducir"},
    {Text::Wayland, "Wayland: X11 apps only", "Wayland: solo apps X11"},
}};

constexpr bool InIdOrder() {
  for (size_t i = 0; i < kTexts.size(); ++i)
    if (static_cast<size_t>(kTexts[i].id) != i) return false;
  return true;
}
static_assert(InIdOrder(), "the table is indexed by the ids");

}  // namespace

std::string_view TextOf(Text id, Language language) {
  const Entry& e = kTexts[static_cast<size_t>(id)];
  return language == Language::Spanish ? e.spanish : e.english;
}

Language UserLanguage() { return LanguageOf(platform::UserLanguageName()); }

Language LanguageOf(const std::string& locale_language_name) {
  std::string name = locale_language_name;
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name == "spanish" ? Language::Spanish : Language::English;
}

std::string SpeedText(int speed_step, Language language) {
  const int step = std::clamp(speed_step, 0, model::kSpeedCount - 1);
  return std::string(TextOf(Text::Speed, language)) + " \xC3\x97" + model::kSpeeds[step].label;
}

}  // namespace window
