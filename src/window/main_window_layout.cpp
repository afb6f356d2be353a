// The main window as designed: every control at its design position, size, text and picture.
#include "ui/pictures.h"
#include "window/main_window.h"

namespace window {
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

void Style(ui::Label& l, const char* caption, ui::Color color = ui::kGrey, double points = 8.25,
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
  Style(title, caption, ui::kDarkGrey);
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
  Style(hour, "12", ui::kGrey, 8.25, TextAlign::Center);
  Place(in, colon, "LBTiempo", colon_index, left + 240, top, 60, 210);
  Style(colon, ":", ui::kGrey, 8.25, TextAlign::Center);
  Place(in, minute, "LBHora", minute_index, left + 285, top, 255, 255);
  Style(minute, "00", ui::kGrey, 8.25, TextAlign::Center);
  hour.hand = minute.hand = true;
}

}  // namespace

MainWindow::MainWindow(engine::Session& session)
    : ui::Form("Tapwright", 2670, 7575, ui::kBlack, true, true), session_(session) {
  session_.SetView(this);
  BuildTitleRow();
  BuildStatusStrip();
  BuildHotkeyPanel();
  BuildOptionsPanel();
  BuildTimerPanel();
  BuildSequencePanel();
  ConnectHandlers();
}

void MainWindow::BuildTitleRow() {
  Place(*this, title_, "LBTitulo", -1, 50, 30, 1215, 255);
  Style(title_, "Tapwright", ui::kGrey, 12);
  title_.hand = true;
  Place(*this, timer_indicator_, "ImTempo", 1, 1260, 20, 240, 240, false);
  Picture(timer_indicator_, Id::Timer);
  Place(*this, sequence_indicator_, "ImSec", 1, 1280, 45, 240, 240, false);
  Picture(sequence_indicator_, Id::Sequence);
  Place(*this, repeat_indicator_, "ImRepetir", 1, 1500, 0, 240, 240, false);
  Picture(repeat_indicator_, Id::Repeat);
  Place(*this, simulate_indicator_, "ImSimular", 1, 1750, 45, 240, 240, false);
  Picture(simulate_indicator_, Id::Click);
  Place(*this, options_button_, "ImOp", -1, 1980, 60, 240, 240);
  Picture(options_button_, Id::Options);
  Place(*this, hotkeys_button_, "ImInfo", -1, 2200, 15, 240, 240);
  Picture(hotkeys_button_, Id::Information);
  Place(*this, close_button_, "ImCerrar", -1, 2400, 30, 255, 255);
  Picture(close_button_, Id::Close);
  Place(*this, border_, "Shape1", -1, 0, 0, 135, 135);
  border_.border_color = ui::kDarkGrey;
  border_.border_width = 2;
}

void MainWindow::BuildStatusStrip() {
  Place(*this, status_strip_, "FrControl", -1, 200, 380, 2415, 600);
  const Id state[] = {Id::Recording, Id::Playing, Id::Stopped};
  for (int i = 0; i < 3; ++i) {
    Place(status_strip_, state_icons_[i], "ImMenu", i, 0, 60, 240, 240, i == 2);
    Picture(state_icons_[i], state[i], false);
  }
  Place(status_strip_, state_word_, "LBInfo", -1, 360, 60, 495, 270);
  Style(state_word_, "Stop", ui::kLightBlue, 11.25);
  Place(status_strip_, chronometer_, "LBTempo", -1, 1320, 60, 975, 255);
  Style(chronometer_, "00m 00s", ui::kLightBlue, 11.25);
  Place(status_strip_, status_line_, "LBMsg", -1, 360, 360, 390, 165, false);
  Style(status_line_, "Load:", ui::kGrey, 6.75);
}

void MainWindow::BuildHotkeyPanel() {
  Place(*this, hotkey_panel_, "FrInfo", -1, 120, 1320, 2480, 1650);
  PanelTitle(hotkey_panel_, panel_titles_[2], 2, "Keyboard", 90, 45, 780, panel_lines_[2]);
  struct Row {
    int index, left, top, width;
    const char* caption;
    TextAlign align;
  };
  const Row rows[] = {
      {4, 120, 330, 180, "F8", TextAlign::Left},
      {0, 1590, 330, 810, "Rec | Stop", TextAlign::Right},
      {5, 120, 540, 270, "F10", TextAlign::Left},
      {1, 1560, 540, 840, "Play | Stop", TextAlign::Right},
      {8, 120, 750, 270, "Esc", TextAlign::Left},
      {9, 1560, 750, 840, "Stop", TextAlign::Right},
      {6, 120, 990, 180, "F5", TextAlign::Left},
      {2, 1640, 990, 735, "Load File", TextAlign::Right},
      {7, 120, 1200, 180, "F6", TextAlign::Left},
      {3, 1640, 1200, 720, "Save File", TextAlign::Right},
  };
  for (const Row& r : rows) {
    Place(hotkey_panel_, hotkey_labels_[r.index], "LB", r.index, r.left, r.top, r.width, 210);
    Style(hotkey_labels_[r.index], r.caption, ui::kGrey, 8.25, r.align);
  }
  Place(hotkey_panel_, keys_line_, "LBTeclas", -1, 120, 1440, 2295, 180);
  Style(keys_line_, "", ui::kDarkGrey, 6.75);
}

void MainWindow::BuildOptionsPanel() {
  Place(*this, options_panel_, "frOptions", -1, 120, 3000, 2480, 2250);
  PanelTitle(options_panel_, panel_titles_[0], 0, "Options", 90, 40, 645, panel_lines_[0]);
  // Each option: its picture button, then its caption.
  struct Row {
    ui::Image& button;
    const char* name;
    Id picture;
    int left, top, caption_top, caption_width;
    const char* caption;
  };
  const Row rows[] = {
      {simulate_option_, "ImSimular", Id::Click, 70, 360, 375, 1875, "Simulate mouse clicks"},
      {repeat_option_, "ImRepetir", Id::Repeat, 60, 615, 660, 1620, "Repeat movements"},
      {timer_option_, "ImTempo", Id::Timer, 60, 900, 945, 1005, "Single timer"},
      {sequence_option_, "ImSec", Id::Sequence, 60, 1200, 1200, 810, "Sequence"},
      {keyboard_option_, "ImTeclado", Id::Keyboard, 60, 1470, 1500, 1620, "Record keyboard"},
  };
  int i = 0;
  for (const Row& r : rows) {
    Place(options_panel_, r.button, r.name, 0, r.left, r.top, 240, 240);
    Picture(r.button, r.picture);
    Place(options_panel_, option_captions_[i], "LBOp", i, 360, r.caption_top, r.caption_width, 210);
    Style(option_captions_[i], r.caption);
    ++i;
  }
  // Its picture shows whether the option is on.
  keyboard_option_.drawn = [this]() -> const platform::Picture& {
    return ui::pictures::Get(session_.GetOptions().record_keyboard ? Id::KeyboardOn : Id::Keyboard,
                             ui::TwipsToPixelsX(240));
  };
  Place(options_panel_, speed_button_, "ImVelocidad", -1, 60, 1755, 240, 240);
  Picture(speed_button_, Id::Speed);
  Place(options_panel_, speed_caption_, "LBVelocidad", -1, 360, 1785, 1200, 210);
  Style(speed_caption_,
        "Speed \xC3\x97"
        "1");
  speed_caption_.hand = true;
}

void MainWindow::BuildTimerPanel() {
  Place(*this, timer_panel_, "FrTempo", -1, 120, 4920, 2480, 1650);
  PanelTitle(timer_panel_, panel_titles_[1], 1, "Timer", 90, 40, 495, panel_lines_[1]);
  Place(timer_panel_, time_labels_[0], "LBTiempo", 0, 120, 360, 480, 210);
  Style(time_labels_[0], "Initial:", ui::kGrey, 8.25, TextAlign::Center);
  TimeFields(timer_panel_, time_fields_[0], 0, time_labels_[2], 2, time_fields_[2], 2, 1800, 360);

  Place(timer_panel_, end_time_row_, "FrFinalizar", -1, 120, 600, 2295, 255, false);
  Place(end_time_row_, time_labels_[1], "LBTiempo", 1, 0, 0, 420, 210);
  Style(time_labels_[1], "Final:");
  TimeFields(end_time_row_, time_fields_[1], 1, time_labels_[3], 3, time_fields_[3], 3, 1680, 0);

  Place(timer_panel_, timer_switch_, "ImTempoOnOff", -1, 2175, 1320, 240, 240);
  Picture(timer_switch_, Id::Timer);
}

void MainWindow::BuildSequencePanel() {
  Place(*this, sequence_panel_, "frSec", -1, 120, 5280, 2480, 1650);
  PanelTitle(sequence_panel_, panel_titles_[3], 3, "Sequence", 90, 45, 810, panel_lines_[3]);
  Place(sequence_panel_, add_button_, "imAdd", -1, 2000, 40, 240, 240);
  Picture(add_button_, Id::Add);
  Place(sequence_panel_, remove_button_, "imDel", -1, 2240, 40, 240, 240);
  Picture(remove_button_, Id::Delete);
  Place(sequence_panel_, sequence_list_, "Lista", -1, 90, 300, 2295, 870);

  Place(sequence_panel_, entry_time_row_, "frSecTime", -1, 120, 1200, 1815, 375, false);
  Place(entry_time_row_, time_labels_[7], "LBTiempo", 7, 0, 120, 480, 210);
  Style(time_labels_[7], "Initial:", ui::kGrey, 8.25, TextAlign::Center);
  TimeFields(entry_time_row_, time_fields_[4], 4, time_labels_[6], 6, time_fields_[5], 5, 1080,
             120);

  Place(sequence_panel_, sequence_switch_, "ImSecOnOff", -1, 2160, 1320, 240, 240);
  Picture(sequence_switch_, Id::Sequence);
}

}  // namespace window
