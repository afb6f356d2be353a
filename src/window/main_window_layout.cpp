// The main window as designed: every control at its design position, size, text and picture, in
// twips. The comments give each control's name in the design.
#include "platform/display.h"
#include "ui/pictures.h"
#include "window/main_window.h"

namespace window {
namespace {

using platform::TextAlign;
using ui::pictures::Id;

void Place(ui::Container& in, ui::Control& c, int left, int top, int width, int height,
           bool visible = true) {
  c.Move(left, top, width, height);
  c.SetVisible(visible);
  in.Add(c);
}

void Style(ui::Label& l, const char* caption, ui::Color color = ui::kGrey, double points = 8.25,
           TextAlign align = TextAlign::Left) {
  l.SetCaption(caption);
  l.SetForeColor(color);
  l.font.points = points;
  l.alignment = align;
}

// Designed at 240 twips: 16 pixels at 96 DPI, 24 at 144.
const platform::Picture& Drawn(Id id) { return ui::pictures::Get(id, ui::TwipsToPixelsX(240)); }

void Picture(ui::Image& im, Id id, bool hand = true) {
  im.drawn = [id]() -> const platform::Picture& { return Drawn(id); };
  im.hand = hand;
}

void PanelTitle(PanelControls& panel, const char* caption, int left, int top, int width) {
  Place(panel.frame, panel.title, left, top, width, 210);  // LBTit
  Style(panel.title, caption, ui::kDarkGrey);
  panel.rule.x1 = 60;  // Line1
  panel.rule.y1 = 240;
  panel.rule.x2 = 2440;
  panel.rule.y2 = 240;
  panel.rule.border_color = ui::kDarkGrey;
  panel.frame.Add(panel.rule);
}

// A time row's hour field, colon and minute field (LBHora, LBTiempo, LBHora).
void TimeFields(ui::Container& in, TimeRow& row, int left, int top) {
  Place(in, row.hour, left, top, 255, 255);
  Style(row.hour, "12", ui::kGrey, 8.25, TextAlign::Center);
  Place(in, row.colon, left + 240, top, 60, 210);
  Style(row.colon, ":", ui::kGrey, 8.25, TextAlign::Center);
  Place(in, row.minute, left + 285, top, 255, 255);
  Style(row.minute, "00", ui::kGrey, 8.25, TextAlign::Center);
  row.hour.hand = row.minute.hand = true;
}

}  // namespace

MainWindow::MainWindow(engine::Engine& engine)
    : ui::Form("Tapwright", 2670, 7575, ui::kBlack, true, true), engine_(engine) {
  engine_.SetView(this);
  BuildTitleRow();
  BuildStatusStrip();
  BuildHotkeyPanel();
  BuildOptionsPanel();
  BuildTimerPanel();
  BuildSequencePanel();
  ConnectHandlers();
}

void MainWindow::BuildTitleRow() {
  TitleRow& r = title_row_;
  Place(*this, r.title, 50, 30, 1215, 255);  // LBTitulo
  Style(r.title, "Tapwright", ui::kGrey, 12);
  r.title.hand = true;
  Place(*this, r.timer_indicator, 1260, 20, 240, 240, false);  // ImTempo(1)
  Picture(r.timer_indicator, Id::Timer);
  Place(*this, r.sequence_indicator, 1280, 45, 240, 240, false);  // ImSec(1)
  Picture(r.sequence_indicator, Id::Sequence);
  Place(*this, r.repeat_indicator, 1500, 0, 240, 240, false);  // ImRepetir(1)
  Picture(r.repeat_indicator, Id::Repeat);
  Place(*this, r.simulate_indicator, 1750, 45, 240, 240, false);  // ImSimular(1)
  Picture(r.simulate_indicator, Id::Click);
  Place(*this, r.options_button, 1980, 60, 240, 240);  // ImOp
  Picture(r.options_button, Id::Options);
  Place(*this, r.hotkeys_button, 2200, 15, 240, 240);  // ImInfo
  Picture(r.hotkeys_button, Id::Information);
  Place(*this, r.close_button, 2400, 30, 255, 255);  // ImCerrar
  Picture(r.close_button, Id::Close);
  Place(*this, r.border, 0, 0, 135, 135);  // Shape1
  r.border.border_color = ui::kDarkGrey;
  r.border.border_width = 2;
}

void MainWindow::BuildStatusStrip() {
  StatusStrip& s = status_strip_;
  Place(*this, s.frame, 200, 380, 2415, 600);                    // FrControl
  const Id state[] = {Id::Recording, Id::Playing, Id::Stopped};  // by StateIcon
  for (int i = 0; i < 3; ++i) {
    const bool stopped = i == static_cast<int>(StateIcon::Stopped);
    Place(s.frame, s.state_icons[i], 0, 60, 240, 240, stopped);  // ImMenu
    Picture(s.state_icons[i], state[i], false);
  }
  Place(s.frame, s.state_word, 360, 60, 495, 270);  // LBInfo
  Style(s.state_word, "Stop", ui::kLightBlue, 11.25);
  Place(s.frame, s.chronometer, 1320, 60, 975, 255);  // LBTempo
  Style(s.chronometer, "00m 00s", ui::kLightBlue, 11.25);
  Place(s.frame, s.status_line, 360, 360, 390, 165, false);  // LBMsg
  Style(s.status_line, "Load:", ui::kGrey, 6.75);
}

void MainWindow::BuildHotkeyPanel() {
  HotkeyPanel& p = hotkey_panel_;
  Place(*this, p.frame, 120, 1320, 2480, 1650);  // FrInfo
  PanelTitle(p, "Keyboard", 90, 45, 780);
  // Each line: its key (LB 4 to 8), then what it does (LB 0 to 3 and 9).
  struct Row {
    HotkeyLine& line;
    int top, key_width, what_left, what_width;
    const char* key;
    const char* what;
  };
  const Row rows[] = {
      {p.record, 330, 180, 1590, 810, "F8", "Rec | Stop"},
      {p.play, 540, 270, 1560, 840, "F10", "Play | Stop"},
      {p.stop, 750, 270, 1560, 840, "Esc", "Stop"},
      {p.load, 990, 180, 1640, 735, "F5", "Load File"},
      {p.save, 1200, 180, 1640, 720, "F6", "Save File"},
  };
  for (const Row& r : rows) {
    Place(p.frame, r.line.key, 120, r.top, r.key_width, 210);
    Style(r.line.key, r.key);
    Place(p.frame, r.line.what, r.what_left, r.top, r.what_width, 210);
    Style(r.line.what, r.what, ui::kGrey, 8.25, TextAlign::Right);
  }
  Place(p.frame, p.keys_line, 120, 1440, 2295, 180);  // LBTeclas
  Style(p.keys_line, "", ui::kDarkGrey, 6.75);
}

void MainWindow::BuildOptionsPanel() {
  OptionsPanel& p = options_panel_;
  Place(*this, p.frame, 120, 3000, 2480, 2535);  // frOptions, a row taller
  PanelTitle(p, "Options", 90, 40, 645);
  // Each option: its picture button (Im...), then its caption (LBOp 0 to 4).
  struct Row {
    Option& option;
    Id picture;
    int left, top, caption_top, caption_width;
    const char* caption;
  };
  const Row rows[] = {
      {p.simulate_clicks, Id::Click, 70, 360, 375, 1875, "Simulate mouse clicks"},  // ImSimular
      {p.repeat, Id::Repeat, 60, 615, 660, 1620, "Repeat movements"},               // ImRepetir
      {p.single_timer, Id::Timer, 60, 900, 945, 1005, "Single timer"},              // ImTempo
      {p.sequence, Id::Sequence, 60, 1200, 1200, 810, "Sequence"},                  // ImSec
      {p.record_keyboard, Id::Keyboard, 60, 1470, 1500, 1620, "Record keyboard"},   // ImTeclado
      {p.wait_for_screen, Id::Eye, 60, 1755, 1785, 1860, "Wait for the screen"},
  };
  for (const Row& r : rows) {
    Place(p.frame, r.option.button, r.left, r.top, 240, 240);
    Picture(r.option.button, r.picture);
    Place(p.frame, r.option.caption, 360, r.caption_top, r.caption_width, 210);
    Style(r.option.caption, r.caption);
  }
  // Its picture shows whether the option is on.
  p.record_keyboard.button.drawn = [this]() -> const platform::Picture& {
    return Drawn(engine_.Options().record_keyboard ? Id::KeyboardOn : Id::Keyboard);
  };
  p.wait_for_screen.button.drawn = [this]() -> const platform::Picture& {
    return Drawn(engine_.Options().wait_for_screen ? Id::EyeOn : Id::Eye);
  };
  Place(p.frame, p.speed_button, 60, 2040, 240, 240);  // ImVelocidad
  Picture(p.speed_button, Id::Speed);
  Place(p.frame, p.speed_caption, 360, 2070, 1200, 210);  // LBVelocidad
  Style(p.speed_caption,
        "Speed \xC3\x97"
        "1");
  p.speed_caption.hand = true;
}

void MainWindow::BuildTimerPanel() {
  TimerPanel& p = timer_panel_;
  Place(*this, p.frame, 120, 4920, 2480, 1650);  // FrTempo
  PanelTitle(p, "Timer", 90, 40, 495);
  Place(p.frame, p.start.caption, 120, 360, 480, 210);  // LBTiempo(0)
  Style(p.start.caption, "Initial:", ui::kGrey, 8.25, TextAlign::Center);
  TimeFields(p.frame, p.start, 1800, 360);

  Place(p.frame, p.end_frame, 120, 600, 2295, 255, false);  // FrFinalizar
  Place(p.end_frame, p.end.caption, 0, 0, 420, 210);        // LBTiempo(1)
  Style(p.end.caption, "Final:");
  TimeFields(p.end_frame, p.end, 1680, 0);

  Place(p.frame, p.timer_switch, 2175, 1320, 240, 240);  // ImTempoOnOff
  Picture(p.timer_switch, Id::Timer);
}

void MainWindow::BuildSequencePanel() {
  SequencePanel& p = sequence_panel_;
  Place(*this, p.frame, 120, 5280, 2480, 1650);  // frSec
  PanelTitle(p, "Sequence", 90, 45, 810);
  Place(p.frame, p.add_button, 2000, 40, 240, 240);  // imAdd
  Picture(p.add_button, Id::Add);
  Place(p.frame, p.remove_button, 2240, 40, 240, 240);  // imDel
  Picture(p.remove_button, Id::Delete);
  Place(p.frame, p.list, 90, 300, 2295, 870);  // Lista

  Place(p.frame, p.entry_frame, 120, 1200, 1815, 375, false);  // frSecTime
  Place(p.entry_frame, p.entry.caption, 0, 120, 480, 210);     // LBTiempo(7)
  Style(p.entry.caption, "Initial:", ui::kGrey, 8.25, TextAlign::Center);
  TimeFields(p.entry_frame, p.entry, 1080, 120);

  Place(p.frame, p.sequence_switch, 2160, 1320, 240, 240);  // ImSecOnOff
  Picture(p.sequence_switch, Id::Sequence);
}

}  // namespace window
