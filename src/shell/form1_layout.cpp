// The main window as designed: every control at its design position, size, text and picture.
#include "shell/form1.h"
#include "ui/pictures.h"

namespace tapwright {
namespace {

using platform::TextAlign;
using ui::pictures::Id;

void Place(ui::Container& in, ui::Control& c, const char* name, int index, int left, int top,
           int width, int height, bool visible = true) {
  c.name = name;
  c.index = index;
  c.Move(left, top, width, height);
  c.SetVisible(visible);
  in.Add(c);
}

void Text(ui::Label& l, const char* caption, ui::Color color = ui::kGrey, double points = 8.25,
          TextAlign align = TextAlign::Left) {
  l.SetCaption(caption);
  l.SetForeColor(color);
  l.font.points = points;
  l.alignment = align;
}

void Picture(ui::Image& im, Id id, bool hand = true) {
  // Designed at 240 twips: 16 pixels at 96 DPI, 24 at 144.
  im.drawn = [id]() -> const platform::Picture& {
    return ui::pictures::Get(id, ui::TwipsToPixelsX(240));
  };
  im.hand = hand;
}

void PanelTitle(ui::Frame& panel, ui::Label& title, int index, const char* caption, int left,
                int top, int width, ui::Line& line) {
  Place(panel, title, "LBTit", index, left, top, width, 210);
  Text(title, caption, ui::kDarkGrey);
  line.name = "Line1";
  line.index = index;
  line.x1 = 60;
  line.y1 = 240;
  line.x2 = 2440;
  line.y2 = 240;
  line.border_color = ui::kDarkGrey;
  panel.Add(line);
}

// An hour field, a colon and a minute field, as each time row has them.
void TimeFields(ui::Container& in, ui::Label& hour, int hour_index, ui::Label& colon,
                int colon_index, ui::Label& minute, int minute_index, int left, int top) {
  Place(in, hour, "LBHora", hour_index, left, top, 255, 255);
  Text(hour, "12", ui::kGrey, 8.25, TextAlign::Center);
  Place(in, colon, "LBTiempo", colon_index, left + 240, top, 60, 210);
  Text(colon, ":", ui::kGrey, 8.25, TextAlign::Center);
  Place(in, minute, "LBHora", minute_index, left + 285, top, 255, 255);
  Text(minute, "00", ui::kGrey, 8.25, TextAlign::Center);
  hour.hand = minute.hand = true;
}

}  // namespace

Form1::Form1() : ui::Form("Tapwright", 2670, 7575, ui::kBlack, true, true) {
  BuildTitleRow();
  BuildStatusStrip();
  BuildHotkeyPanel();
  BuildOptionsPanel();
  BuildTimerPanel();
  BuildSequencePanel();
  ConnectHandlers();
}

void Form1::BuildTitleRow() {
  Place(*this, LBTitulo, "LBTitulo", -1, 50, 30, 1215, 255);
  Text(LBTitulo, "Tapwright", ui::kGrey, 12);
  LBTitulo.hand = true;
  Place(*this, ImTempo[1], "ImTempo", 1, 1260, 20, 240, 240, false);
  Picture(ImTempo[1], Id::Timer);
  Place(*this, ImSec[1], "ImSec", 1, 1280, 45, 240, 240, false);
  Picture(ImSec[1], Id::Sequence);
  Place(*this, ImRepetir[1], "ImRepetir", 1, 1500, 0, 240, 240, false);
  Picture(ImRepetir[1], Id::Repeat);
  Place(*this, ImSimular[1], "ImSimular", 1, 1750, 45, 240, 240, false);
  Picture(ImSimular[1], Id::Click);
  Place(*this, ImOp, "ImOp", -1, 1980, 60, 240, 240);
  Picture(ImOp, Id::Options);
  Place(*this, ImInfo, "ImInfo", -1, 2200, 15, 240, 240);
  Picture(ImInfo, Id::Information);
  Place(*this, ImCerrar, "ImCerrar", -1, 2400, 30, 255, 255);
  Picture(ImCerrar, Id::Close);
  Place(*this, Shape1, "Shape1", -1, 0, 0, 135, 135);
  Shape1.border_color = ui::kDarkGrey;
  Shape1.border_width = 2;
}

void Form1::BuildStatusStrip() {
  Place(*this, FrControl, "FrControl", -1, 200, 380, 2415, 600);
  const Id state[] = {Id::Recording, Id::Playing, Id::Stopped};
  for (int i = 0; i < 3; ++i) {
    Place(FrControl, ImMenu[i], "ImMenu", i, 0, 60, 240, 240, i == 2);
    Picture(ImMenu[i], state[i], false);
  }
  Place(FrControl, LBInfo, "LBInfo", -1, 360, 60, 495, 270);
  Text(LBInfo, "Stop", ui::kLightBlue, 11.25);
  Place(FrControl, LBTempo, "LBTempo", -1, 1320, 60, 975, 255);
  Text(LBTempo, "00m 00s", ui::kLightBlue, 11.25);
  Place(FrControl, LBMsg, "LBMsg", -1, 360, 360, 390, 165, false);
  Text(LBMsg, "Load:", ui::kGrey, 6.75);
}

void Form1::BuildHotkeyPanel() {
  Place(*this, FrInfo, "FrInfo", -1, 120, 1320, 2480, 1650);
  PanelTitle(FrInfo, LBTit[2], 2, "Keyboard", 90, 45, 780, Line1[2]);
  struct Row {
    int index, left, top, width;
    const char* caption;
    TextAlign align;
  };
  const Row rows[] = {
      {4, 120, 360, 180, "F8", TextAlign::Left},
      {0, 1590, 360, 810, "Rec | Stop", TextAlign::Right},
      {5, 120, 600, 270, "F10", TextAlign::Left},
      {1, 1560, 600, 840, "Play | Stop", TextAlign::Right},
      {6, 120, 960, 180, "F5", TextAlign::Left},
      {2, 1640, 960, 735, "Load File", TextAlign::Right},
      {7, 120, 1200, 180, "F6", TextAlign::Left},
      {3, 1640, 1200, 720, "Save File", TextAlign::Right},
  };
  for (const Row& r : rows) {
    Place(FrInfo, LB[r.index], "LB", r.index, r.left, r.top, r.width, 210);
    Text(LB[r.index], r.caption, ui::kGrey, 8.25, r.align);
  }
  Place(FrInfo, LBTeclas, "LBTeclas", -1, 120, 1440, 2295, 180);
  Text(LBTeclas, "", ui::kDarkGrey, 6.75);
}

void Form1::BuildOptionsPanel() {
  Place(*this, frOptions, "frOptions", -1, 120, 3000, 2480, 2250);
  PanelTitle(frOptions, LBTit[0], 0, "Options", 90, 40, 645, Line1[0]);
  // Each option: its picture button, then its caption.
  struct Row {
    ui::Image& button;
    const char* name;
    Id picture;
    int left, top, caption_top, caption_width;
    const char* caption;
  };
  const Row rows[] = {
      {ImSimular[0], "ImSimular", Id::Click, 70, 360, 375, 1875, "Simulate mouse clicks"},
      {ImRepetir[0], "ImRepetir", Id::Repeat, 60, 615, 660, 1620, "Repeat movements"},
      {ImTempo[0], "ImTempo", Id::Timer, 60, 900, 945, 1005, "Single timer"},
      {ImSec[0], "ImSec", Id::Sequence, 60, 1200, 1200, 810, "Secuence"},
      {ImTeclado[0], "ImTeclado", Id::Keyboard, 60, 1470, 1500, 1620, "Record keyboard"},
  };
  int i = 0;
  for (const Row& r : rows) {
    Place(frOptions, r.button, r.name, 0, r.left, r.top, 240, 240);
    Picture(r.button, r.picture);
    Place(frOptions, LBOp[i], "LBOp", i, 360, r.caption_top, r.caption_width, 210);
    Text(LBOp[i], r.caption);
    ++i;
  }
  // Its picture shows whether the option is on.
  ImTeclado[0].drawn = [this]() -> const platform::Picture& {
    return ui::pictures::Get(RecordKeyboard ? Id::KeyboardOn : Id::Keyboard,
                             ui::TwipsToPixelsX(240));
  };
  Place(frOptions, ImVelocidad, "ImVelocidad", -1, 60, 1755, 240, 240);
  Picture(ImVelocidad, Id::Speed);
  Place(frOptions, LBVelocidad, "LBVelocidad", -1, 360, 1785, 1200, 210);
  Text(LBVelocidad, "Speed \xC3\x97" "1");
  LBVelocidad.hand = true;
}

void Form1::BuildTimerPanel() {
  Place(*this, FrTempo, "FrTempo", -1, 120, 4920, 2480, 1650);
  PanelTitle(FrTempo, LBTit[1], 1, "Timer", 90, 40, 495, Line1[1]);
  Place(FrTempo, LBTiempo[0], "LBTiempo", 0, 120, 360, 480, 210);
  Text(LBTiempo[0], "Initial:", ui::kGrey, 8.25, TextAlign::Center);
  TimeFields(FrTempo, LBHora[0], 0, LBTiempo[2], 2, LBHora[2], 2, 1800, 360);

  Place(FrTempo, FrFinalizar, "FrFinalizar", -1, 120, 600, 2295, 255, false);
  Place(FrFinalizar, LBTiempo[1], "LBTiempo", 1, 0, 0, 420, 210);
  Text(LBTiempo[1], "Final:");
  TimeFields(FrFinalizar, LBHora[1], 1, LBTiempo[3], 3, LBHora[3], 3, 1680, 0);

  Place(FrTempo, ImTempoOnOff, "ImTempoOnOff", -1, 2175, 1320, 240, 240);
  Picture(ImTempoOnOff, Id::Timer);
}

void Form1::BuildSequencePanel() {
  Place(*this, frSec, "frSec", -1, 120, 5280, 2480, 1650);
  PanelTitle(frSec, LBTit[3], 3, "Secuence", 90, 45, 810, Line1[3]);
  Place(frSec, imAdd, "imAdd", -1, 2000, 40, 240, 240);
  Picture(imAdd, Id::Add);
  Place(frSec, imDel, "imDel", -1, 2240, 40, 240, 240);
  Picture(imDel, Id::Delete);
  Place(frSec, Lista, "Lista", -1, 90, 300, 2295, 870);

  Place(frSec, frSecTime, "frSecTime", -1, 120, 1200, 1815, 375, false);
  Place(frSecTime, LBTiempo[7], "LBTiempo", 7, 0, 120, 480, 210);
  Text(LBTiempo[7], "Initial:", ui::kGrey, 8.25, TextAlign::Center);
  TimeFields(frSecTime, LBHora[4], 4, LBTiempo[6], 6, LBHora[5], 5, 1080, 120);

  Place(frSec, ImSecOnOff, "ImSecOnOff", -1, 2160, 1320, 240, 240);
  Picture(ImSecOnOff, Id::Sequence);
}

}  // namespace tapwright
