#include <memory>

#include "window/texts.h"
#include "window_fixture.h"

namespace {

using window::Text;
using window::TextOf;

TEST(Texts, BothColumnsOfTheTable) {
  struct Row {
    Text id;
    const char* english;
    const char* spanish;
  };
  const Row rows[] = {
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
      {Text::Options, "Options", "Opciones"},
      {Text::LoadFailed, "Not loaded: ", "No abierto: "},
      {Text::SaveFailed, "Not saved: ", "No guardado: "},
      {Text::NothingRecorded, "Nothing recorded", "Nada grabado"},
      {Text::FileFilter, "Tapwright recordings (*.tpw)", "Archivos de Tapwright (*.tpw)"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(TextOf(r.id, window::Language::English), r.english);
    EXPECT_EQ(TextOf(r.id, window::Language::Spanish), r.spanish);
  }
}

using Locale = SimTest;

TEST_F(Locale, SpanishInAnyLetterCaseElseEnglish) {
  using window::Language;
  using window::LanguageOf;
  EXPECT_EQ(LanguageOf("Spanish"), Language::Spanish);
  EXPECT_EQ(LanguageOf("SPANISH"), Language::Spanish);
  EXPECT_EQ(LanguageOf("German"), Language::English);
  EXPECT_EQ(LanguageOf(""), Language::English);
  EXPECT_EQ(LanguageOf("Spanish (Mexico)"), Language::English);
  sim::SetLocaleLanguage("Spanish");
  EXPECT_EQ(window::UserLanguage(), Language::Spanish);
  sim::SetLocaleLanguage(std::nullopt);
  EXPECT_EQ(window::UserLanguage(), Language::English);
}

class Language : public WindowTest {
 protected:
  void Start(std::optional<std::string> locale) {
    DropWindow();
    sim::Reset();
    sim::SetLocaleLanguage(std::move(locale));
    NewWindow();
    w->StartUp();
  }
};

TEST_F(Language, EnglishCaptionsReplaceTheDesignOnes) {
  Start("English");
  EXPECT_EQ(w->GetLanguage(), window::Language::English);
  EXPECT_EQ(OptionsPanel().title.Caption(), "Options");
  EXPECT_EQ(TimerPanel().title.Caption(), "Single timer");
  EXPECT_EQ(HotkeyPanel().title.Caption(), "Keyboard");
  EXPECT_EQ(SequencePanel().title.Caption(), "Sequence");
  EXPECT_EQ(HotkeyPanel().load.what.Caption(), "Load file");
  EXPECT_EQ(HotkeyPanel().save.what.Caption(), "Save file");
  EXPECT_EQ(OptionsPanel().simulate_clicks.caption.Caption(), "Simulate mouse clicks");
  EXPECT_EQ(OptionsPanel().single_timer.caption.Caption(), "Single timer");
  EXPECT_EQ(TimerPanel().start.caption.Caption(), "Initial");
  EXPECT_EQ(SequencePanel().entry.caption.Caption(), "Initial");
}

TEST_F(Language, SpanishCaptions) {
  Start("Spanish");
  EXPECT_EQ(OptionsPanel().title.Caption(), "Opciones");
  EXPECT_EQ(TimerPanel().title.Caption(), "Temporizador");
  EXPECT_EQ(HotkeyPanel().title.Caption(), "Teclado");
  EXPECT_EQ(SequencePanel().title.Caption(), "Secuencia");
  EXPECT_EQ(HotkeyPanel().load.what.Caption(), "Abrir archivo");
  EXPECT_EQ(HotkeyPanel().save.what.Caption(), "Guardar archivo");
  EXPECT_EQ(OptionsPanel().simulate_clicks.caption.Caption(), "Simular los clicks");
  EXPECT_EQ(OptionsPanel().repeat.caption.Caption(), "Repetir el movimiento");
  EXPECT_EQ(OptionsPanel().single_timer.caption.Caption(), "Temporizador");
  EXPECT_EQ(OptionsPanel().sequence.caption.Caption(), "Secuencia");
  EXPECT_EQ(OptionsPanel().record_keyboard.caption.Caption(), "Grabar el teclado");
  EXPECT_EQ(OptionsPanel().speed_caption.Caption(),
            "Velocidad \xC3\x97"
            "1");
  EXPECT_EQ(HotkeyPanel().keys_line.Caption(), "No se graban las teclas (ver Opciones)");
  EXPECT_EQ(TimerPanel().start.caption.Caption(), "Inicial");
  EXPECT_EQ(SequencePanel().entry.caption.Caption(), "Inicial");
}

TEST_F(Language, UnreplacedCaptionsAreTheSameInBothLanguages) {
  for (const char* locale : {"English", "Spanish"}) {
    Start(locale);
    EXPECT_EQ(HotkeyPanel().record.key.Caption(), "F8");
    EXPECT_EQ(HotkeyPanel().record.what.Caption(), "Rec | Stop");
    EXPECT_EQ(HotkeyPanel().play.what.Caption(), "Play | Stop");
    EXPECT_EQ(TimerPanel().end.caption.Caption(), "Final:");
    EXPECT_EQ(TimerPanel().start.colon.Caption(), ":");
    EXPECT_EQ(StatusStrip().state_word.Caption(), "Stop");
    EXPECT_EQ(StatusStrip().chronometer.Caption(), "00m 00s");
    EXPECT_EQ(TitleRow().title.Caption(), "Tapwright");
    EXPECT_EQ(HotkeyPanel().stop.key.Caption(), "Esc");
    EXPECT_EQ(HotkeyPanel().stop.what.Caption(), "Stop");
  }
}

TEST_F(Language, AFailedOrUnknownLocaleGivesEnglish) {
  for (std::optional<std::string> locale :
       {std::optional<std::string>(), std::optional<std::string>("Catalan")}) {
    Start(locale);
    EXPECT_EQ(HotkeyPanel().load.what.Caption(), "Load file");
    EXPECT_EQ(OptionsPanel().repeat.caption.Caption(), "Repeat movements");
  }
}

// Each replaced caption fits its label, and the label stays inside its panel; right-aligned
// labels keep their right edge.
TEST_F(Language, LongSpanishCaptionsShowWholeInsideTheirPanel) {
  Start("Spanish");
  const int right_of_load = 1640 + 735, right_of_save = 1640 + 720;
  for (ui::Label* l : {&OptionsPanel().title, &TimerPanel().title, &HotkeyPanel().title,
                       &SequencePanel().title, &HotkeyPanel().load.what, &HotkeyPanel().save.what,
                       &OptionsPanel().simulate_clicks.caption, &OptionsPanel().repeat.caption,
                       &OptionsPanel().single_timer.caption, &OptionsPanel().sequence.caption,
                       &TimerPanel().start.caption, &SequencePanel().entry.caption}) {
    SCOPED_TRACE(l->Caption());
    EXPECT_GE(ui::TwipsToPixelsX(l->Width()), l->TextWidthPixels());
    EXPECT_GE(l->Left(), 0);
    EXPECT_LE(l->Left() + l->Width(), l->Parent()->ClientWidth());
  }
  EXPECT_GT(HotkeyPanel().load.what.Width(), 735);  // "Abrir archivo" needed more room
  EXPECT_EQ(HotkeyPanel().load.what.Left() + HotkeyPanel().load.what.Width(), right_of_load);
  EXPECT_EQ(HotkeyPanel().save.what.Left() + HotkeyPanel().save.what.Width(), right_of_save);
}

}  // namespace
