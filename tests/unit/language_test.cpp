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
  EXPECT_EQ(Label("LBTit", 0).Caption(), "Options");
  EXPECT_EQ(Label("LBTit", 1).Caption(), "Single timer");
  EXPECT_EQ(Label("LBTit", 2).Caption(), "Keyboard");
  EXPECT_EQ(Label("LBTit", 3).Caption(), "Sequence");
  EXPECT_EQ(Label("LB", 2).Caption(), "Load file");
  EXPECT_EQ(Label("LB", 3).Caption(), "Save file");
  EXPECT_EQ(Label("LBOp", 0).Caption(), "Simulate mouse clicks");
  EXPECT_EQ(Label("LBOp", 2).Caption(), "Single timer");
  EXPECT_EQ(Label("LBTiempo", 0).Caption(), "Initial");
  EXPECT_EQ(Label("LBTiempo", 7).Caption(), "Initial");
}

TEST_F(Language, SpanishCaptions) {
  Start("Spanish");
  EXPECT_EQ(Label("LBTit", 0).Caption(), "Opciones");
  EXPECT_EQ(Label("LBTit", 1).Caption(), "Temporizador");
  EXPECT_EQ(Label("LBTit", 2).Caption(), "Teclado");
  EXPECT_EQ(Label("LBTit", 3).Caption(), "Secuencia");
  EXPECT_EQ(Label("LB", 2).Caption(), "Abrir archivo");
  EXPECT_EQ(Label("LB", 3).Caption(), "Guardar archivo");
  EXPECT_EQ(Label("LBOp", 0).Caption(), "Simular los clicks");
  EXPECT_EQ(Label("LBOp", 1).Caption(), "Repetir el movimiento");
  EXPECT_EQ(Label("LBOp", 2).Caption(), "Temporizador");
  EXPECT_EQ(Label("LBOp", 3).Caption(), "Secuencia");
  EXPECT_EQ(Label("LBOp", 4).Caption(), "Grabar el teclado");
  EXPECT_EQ(Label("LBVelocidad").Caption(),
            "Velocidad \xC3\x97"
            "1");
  EXPECT_EQ(Label("LBTeclas").Caption(), "No se graban las teclas (ver Opciones)");
  EXPECT_EQ(Label("LBTiempo", 0).Caption(), "Inicial");
  EXPECT_EQ(Label("LBTiempo", 7).Caption(), "Inicial");
}

TEST_F(Language, UnreplacedCaptionsAreTheSameInBothLanguages) {
  for (const char* locale : {"English", "Spanish"}) {
    Start(locale);
    EXPECT_EQ(Label("LB", 4).Caption(), "F8");
    EXPECT_EQ(Label("LB", 0).Caption(), "Rec | Stop");
    EXPECT_EQ(Label("LB", 1).Caption(), "Play | Stop");
    EXPECT_EQ(Label("LBTiempo", 1).Caption(), "Final:");
    EXPECT_EQ(Label("LBTiempo", 2).Caption(), ":");
    EXPECT_EQ(Label("LBInfo").Caption(), "Stop");
    EXPECT_EQ(Label("LBTempo").Caption(), "00m 00s");
    EXPECT_EQ(Label("LBTitulo").Caption(), "Tapwright");
    EXPECT_EQ(Label("LB", 8).Caption(), "Esc");
    EXPECT_EQ(Label("LB", 9).Caption(), "Stop");
  }
}

TEST_F(Language, AFailedOrUnknownLocaleGivesEnglish) {
  for (std::optional<std::string> locale :
       {std::optional<std::string>(), std::optional<std::string>("Catalan")}) {
    Start(locale);
    EXPECT_EQ(Label("LB", 2).Caption(), "Load file");
    EXPECT_EQ(Label("LBOp", 1).Caption(), "Repeat movements");
  }
}

// Each replaced caption fits its label, and the label stays inside its panel; right-aligned
// labels keep their right edge.
TEST_F(Language, LongSpanishCaptionsShowWholeInsideTheirPanel) {
  Start("Spanish");
  const int right_of_lb2 = 1640 + 735, right_of_lb3 = 1640 + 720;
  for (ui::Label* l :
       {&Label("LBTit", 0), &Label("LBTit", 1), &Label("LBTit", 2), &Label("LBTit", 3),
        &Label("LB", 2), &Label("LB", 3), &Label("LBOp", 0), &Label("LBOp", 1), &Label("LBOp", 2),
        &Label("LBOp", 3), &Label("LBTiempo", 0), &Label("LBTiempo", 7)}) {
    SCOPED_TRACE(l->Caption());
    EXPECT_GE(ui::TwipsToPixelsX(l->Width()), l->TextWidthPixels());
    EXPECT_GE(l->Left(), 0);
    EXPECT_LE(l->Left() + l->Width(), l->Parent()->ClientWidth());
  }
  EXPECT_GT(Label("LB", 2).Width(), 735);  // "Abrir archivo" needed more room
  EXPECT_EQ(Label("LB", 2).Left() + Label("LB", 2).Width(), right_of_lb2);
  EXPECT_EQ(Label("LB", 3).Left() + Label("LB", 3).Width(), right_of_lb3);
}

}  // namespace
