#include <memory>

#include "shell/form1.h"
#include "shell/modlang.h"
#include "sim_fixture.h"

namespace {

using modLang::LangText;

TEST(LangText, BothColumnsOfTheTable) {
  const char* english[] = {"Keyboard",         "Load file",    "Save file", "Simulate mouse clicks",
                           "Repeat movements", "Single timer", "Secuence",  "Initial",
                           "Load: ",           "Save: ",       "Options"};
  const char* spanish[] = {"Teclado",
                           "Abrir archivo",
                           "Guardar archivo",
                           "Simular los clicks",
                           "Repetir el movimiento",
                           "Temporizador",
                           "Secuencia",
                           "Inicial",
                           "Abierto: ",
                           "Guardado: ",
                           "Opciones"};
  for (int i = 0; i <= 10; ++i) {
    EXPECT_EQ(LangText(i, "english"), english[i]) << i;
    EXPECT_EQ(LangText(i, ""), english[i]) << i;
    EXPECT_EQ(LangText(i, "spanish"), spanish[i]) << i;
  }
}

TEST(LangText, OutOfRangeIndexesAndLetterCase) {
  for (const char* lang : {"spanish", "english"}) {
    EXPECT_EQ(LangText(-1, lang), "");
    EXPECT_EQ(LangText(11, lang), "");
  }
  EXPECT_EQ(LangText(0, "Spanish"), "Keyboard");  // the comparison is exact
}

using Locale = SimTest;

TEST_F(Locale, LanguageNameIsTheLocalesEnglishNameInLowerCase) {
  sim::SetLocaleLanguage("Spanish");
  EXPECT_EQ(modLang::LocaleLanguageName(), "spanish");
  sim::SetLocaleLanguage("German");
  EXPECT_EQ(modLang::LocaleLanguageName(), "german");
  sim::SetLocaleLanguage(std::nullopt);
  EXPECT_EQ(modLang::LocaleLanguageName(), "");
}

class Language : public SimTest {
 protected:
  std::unique_ptr<tapwright::Form1> Start(std::optional<std::string> locale) {
    sim::SetLocaleLanguage(std::move(locale));
    auto f = std::make_unique<tapwright::Form1>();
    f->Form_Load();
    return f;
  }
};

TEST_F(Language, EnglishCaptionsReplaceTheDesignOnes) {
  auto f = Start("English");
  EXPECT_EQ(f->LanguageName, "english");
  EXPECT_EQ(f->LBTit[0].Caption(), "Options");
  EXPECT_EQ(f->LBTit[1].Caption(), "Single timer");
  EXPECT_EQ(f->LBTit[2].Caption(), "Keyboard");
  EXPECT_EQ(f->LBTit[3].Caption(), "Secuence");
  EXPECT_EQ(f->LB[2].Caption(), "Load file");
  EXPECT_EQ(f->LB[3].Caption(), "Save file");
  EXPECT_EQ(f->LBOp[0].Caption(), "Simulate mouse clicks");
  EXPECT_EQ(f->LBOp[2].Caption(), "Single timer");
  EXPECT_EQ(f->LBTiempo[0].Caption(), "Initial");
  EXPECT_EQ(f->LBTiempo[7].Caption(), "Initial");
}

TEST_F(Language, SpanishCaptions) {
  auto f = Start("Spanish");
  EXPECT_EQ(f->LBTit[0].Caption(), "Opciones");
  EXPECT_EQ(f->LBTit[1].Caption(), "Temporizador");
  EXPECT_EQ(f->LBTit[2].Caption(), "Teclado");
  EXPECT_EQ(f->LBTit[3].Caption(), "Secuencia");
  EXPECT_EQ(f->LB[2].Caption(), "Abrir archivo");
  EXPECT_EQ(f->LB[3].Caption(), "Guardar archivo");
  EXPECT_EQ(f->LBOp[0].Caption(), "Simular los clicks");
  EXPECT_EQ(f->LBOp[1].Caption(), "Repetir el movimiento");
  EXPECT_EQ(f->LBOp[2].Caption(), "Temporizador");
  EXPECT_EQ(f->LBOp[3].Caption(), "Secuencia");
  EXPECT_EQ(f->LBOp[4].Caption(), "Grabar el teclado");
  EXPECT_EQ(f->LBVelocidad.Caption(),
            "Velocidad \xC3\x97"
            "1");
  EXPECT_EQ(f->LBTeclas.Caption(), "No se graban las teclas (ver Opciones)");
  EXPECT_EQ(f->LBTiempo[0].Caption(), "Inicial");
  EXPECT_EQ(f->LBTiempo[7].Caption(), "Inicial");
}

TEST_F(Language, UnreplacedCaptionsAreTheSameInBothLanguages) {
  for (const char* locale : {"English", "Spanish"}) {
    auto f = Start(locale);
    EXPECT_EQ(f->LB[4].Caption(), "F8");
    EXPECT_EQ(f->LB[0].Caption(), "Rec | Stop");
    EXPECT_EQ(f->LB[1].Caption(), "Play | Stop");
    EXPECT_EQ(f->LBTiempo[1].Caption(), "Final:");
    EXPECT_EQ(f->LBTiempo[2].Caption(), ":");
    EXPECT_EQ(f->LBInfo.Caption(), "Stop");
    EXPECT_EQ(f->LBTempo.Caption(), "00m 00s");
    EXPECT_EQ(f->LBTitulo.Caption(), "Tapwright");
    EXPECT_EQ(f->LBMsg.Caption(), "Load:");
  }
}

TEST_F(Language, AFailedOrUnknownLocaleGivesEnglish) {
  for (std::optional<std::string> locale :
       {std::optional<std::string>(), std::optional<std::string>("Catalan")}) {
    auto f = Start(locale);
    EXPECT_EQ(f->LB[2].Caption(), "Load file");
    EXPECT_EQ(f->LBOp[1].Caption(), "Repeat movements");
  }
}

// Each replaced caption fits its label, and the label stays inside its panel; right-aligned
// labels keep their right edge.
TEST_F(Language, LongSpanishCaptionsShowWholeInsideTheirPanel) {
  auto f = Start("Spanish");
  const int right_of_lb2 = 1640 + 735, right_of_lb3 = 1640 + 720;
  for (ui::Label* l :
       {&f->LBTit[0], &f->LBTit[1], &f->LBTit[2], &f->LBTit[3], &f->LB[2], &f->LB[3], &f->LBOp[0],
        &f->LBOp[1], &f->LBOp[2], &f->LBOp[3], &f->LBTiempo[0], &f->LBTiempo[7]}) {
    SCOPED_TRACE(l->Caption());
    EXPECT_GE(ui::TwipsToPixelsX(l->Width()), l->TextWidthPixels());
    EXPECT_GE(l->Left(), 0);
    EXPECT_LE(l->Left() + l->Width(), l->Parent()->ClientWidth());
  }
  EXPECT_GT(f->LB[2].Width(), 735);  // "Abrir archivo" needed more room
  EXPECT_EQ(f->LB[2].Left() + f->LB[2].Width(), right_of_lb2);
  EXPECT_EQ(f->LB[3].Left() + f->LB[3].Width(), right_of_lb3);
}

}  // namespace
