#include "window/main_window.h"

#include <cstdio>
#include <exception>
#include <utility>
#include <vector>

#include "model/file_names.h"
#include "model/sequence_entry.h"
#include "platform/display.h"
#include "platform/geometry.h"
#include "platform/loop.h"
#include "platform/process.h"
#include "ui/opacity.h"
#include "window/about_window.h"
#include "window/file_dialogs.h"
#include "window/two_digits.h"

namespace window {
namespace {

// The commands listed on the hotkey panel, each with its line.
constexpr std::pair<engine::Command, HotkeyLine HotkeyPanel::*> kHotkeyLines[] = {
    {engine::Command::Record, &HotkeyPanel::record},
    {engine::Command::Play, &HotkeyPanel::play},
    {engine::Command::Stop, &HotkeyPanel::stop},
    {engine::Command::Load, &HotkeyPanel::load},
    {engine::Command::Save, &HotkeyPanel::save}};

}  // namespace

void MainWindow::ConnectHandlers() {
  ConnectTitleRow();
  // A click on a line of the hotkey panel, then a key, gives the line's command that key.
  for (const auto& [command, member] : kHotkeyLines) {
    HotkeyLine& line = hotkey_panel_.*member;
    const auto choose = [this, command = command] { engine_.hotkeys.Choose(command); };
    line.key.on_click = choose;
    line.what.on_click = choose;
  }
  ConnectOptions();
  ConnectTimeFields();
  timer_panel_.timer_switch.on_click = [this] {
    if (engine_.single_timer.Toggle()) ToggleTimerPanel();
  };
  ConnectSequencePanel();
  status_strip_.frame.on_drop = [this](const platform::DropEvent& e) { DropOnStatusStrip(e); };
}

void MainWindow::ConnectTitleRow() {
  TitleRow& r = title_row_;
  r.close_button.on_click = [this] { engine_.Quit(); };
  r.title.on_mouse_down = [this](int button, int, int x, int y) {
    DragDown(button, {title_row_.title.FormLeft() + x, title_row_.title.FormTop() + y});
  };
  r.title.on_mouse_move = [this](int buttons, int, int, int) { DragMove(buttons); };
  r.title.on_mouse_up = [this](int, int, int, int) { DragUp(); };
  r.title.on_click = [this] {
    if (!TakeDragged()) ShowAbout();
  };
  r.hotkeys_button.on_click = [this] { TogglePanel(Panel::Hotkeys); };
  r.options_button.on_click = [this] { TogglePanel(Panel::Options); };
}

void MainWindow::ConnectOptions() {
  TitleRow& r = title_row_;
  OptionsPanel& p = options_panel_;
  for (ui::Image* i : {&p.sequence.button, &r.sequence_indicator})
    i->on_click = [this] { ToggleSequencePanel(); };
  for (ui::Image* i : {&p.single_timer.button, &r.timer_indicator})
    i->on_click = [this] { ToggleTimerPanel(); };
  for (ui::Image* i : {&p.repeat.button, &r.repeat_indicator})
    i->on_click = [this] { engine_.switches.ToggleRepeat(); };
  for (ui::Image* i : {&p.simulate_clicks.button, &r.simulate_indicator})
    i->on_click = [this] { engine_.switches.ToggleSimulateClicks(); };
  p.record_keyboard.button.on_click = [this] { engine_.switches.ToggleRecordKeyboard(); };
  p.wait_for_screen.button.on_click = [this] { engine_.switches.ToggleWaitForScreen(); };
  // An option's caption acts as its picture does.
  for (Option* o : {&p.simulate_clicks, &p.repeat, &p.single_timer, &p.sequence, &p.record_keyboard,
                    &p.wait_for_screen}) {
    o->caption.on_click = [o] { o->button.on_click(); };
    o->caption.hand = true;
  }
  // A left press goes one step faster, a right press one slower.
  for (ui::Control* c :
       {static_cast<ui::Control*>(&p.speed_button), static_cast<ui::Control*>(&p.speed_caption)}) {
    c->on_mouse_down = [this](int button, int, int, int) {
      engine_.switches.ChangeSpeed(button == 1 ? 1 : button == 2 ? -1 : 0);
    };
  }
}

void MainWindow::ConnectTimeFields() {
  const std::pair<TimeRow*, TimeKind> rows[] = {{&timer_panel_.start, TimeKind::TimerStart},
                                                {&timer_panel_.end, TimeKind::TimerEnd},
                                                {&sequence_panel_.entry, TimeKind::Entry}};
  for (const auto& [row, kind] : rows) {
    for (const bool hour : {true, false}) {
      ui::Label& label = hour ? row->hour : row->minute;
      const TimeField field{kind, hour};
      label.on_mouse_down = [this, field](int button, int, int, int) {
        TimeFieldDown(field, button);
      };
      label.on_mouse_up = [this, field](int, int, int, int) { TimeFieldUp(field); };
    }
  }
}

void MainWindow::ConnectSequencePanel() {
  SequencePanel& p = sequence_panel_;
  p.add_button.on_click = [this] {
    if (engine_.sequence.On()) return;
    const std::optional<std::string> path = ChooseFile(engine::FileDialog::Open);
    if (path && engine_.sequence.Add(*path)) ShowSequenceList();
  };
  p.remove_button.on_click = [this] { RemoveSelectedEntry(); };
  p.list.on_click = [this] { ShowSelectedEntry(); };
  p.list.on_drop = [this](const platform::DropEvent& e) { DropOnList(e); };
  p.sequence_switch.on_click = [this] {
    if (engine_.sequence.Toggle()) ToggleSequencePanel();
  };
}

void MainWindow::StartUp() {
  language_ = UserLanguage();
  ApplyLanguage();
  ShowStatusLine();
  platform::SetDropShadow(Handle(), true);
  ui::SetOpacityPercent(*this, 93);
  collapsed_height_ = status_strip_.frame.Height() + status_strip_.frame.Top() + 20;
  SetHeight(collapsed_height_);
  MoveHome();
  platform::SetTopmost(Handle(), true);  // from the start, not from the first key poll
  title_row_.border.SetHeight(Height());
  title_row_.border.SetWidth(Width());
}

void MainWindow::ApplyLanguage() {
  const std::pair<ui::Label*, Text> texts[] = {
      {&options_panel_.title, Text::Options},
      {&timer_panel_.title, Text::SingleTimer},
      {&hotkey_panel_.title, Text::Keyboard},
      {&sequence_panel_.title, Text::Sequence},
      {&hotkey_panel_.load.what, Text::LoadFile},
      {&hotkey_panel_.save.what, Text::SaveFile},
      {&options_panel_.simulate_clicks.caption, Text::SimulateClicks},
      {&options_panel_.repeat.caption, Text::Repeat},
      {&options_panel_.single_timer.caption, Text::SingleTimer},
      {&options_panel_.sequence.caption, Text::Sequence},
      {&options_panel_.record_keyboard.caption, Text::RecordKeyboard},
      {&options_panel_.wait_for_screen.caption, Text::WaitForScreen},
      {&timer_panel_.start.caption, Text::Initial},
      {&sequence_panel_.entry.caption, Text::Initial}};
  for (const auto& [label, id] : texts) label->SetCaption(std::string(TextOf(id, language_)));
  ShowOptions();
  ShowHotkeys();
  // Several Spanish captions are longer than their design labels.
  for (const auto& [label, id] : texts) label->FitCaption();
}

void MainWindow::Show(engine::Change what) {
  using engine::Change;
  switch (what) {
    case Change::State:
      ShowState();
      break;
    case Change::Toggle:
      ClosePanels();
      break;
    case Change::Chronometer:
      ShowChronometer();
      break;
    case Change::Status:
      ShowStatusLine();
      break;
    case Change::Options:
      ShowOptions();
      break;
    case Change::SingleTimer:
      title_row_.timer_indicator.SetVisible(engine_.single_timer.Armed());
      break;
    case Change::Sequence:
      title_row_.sequence_indicator.SetVisible(engine_.sequence.On());
      break;
    case Change::HotkeyPoll:
      platform::SetTopmost(Handle(), true);
      break;
    case Change::IdleStop:
      if (about_) about_->Unload();
      break;
    case Change::Hotkeys:
      ShowHotkeys();
      break;
    case Change::SamplerTick:
      if (engine_.Options().simulate_clicks) Indicator().CentreOnCursor();
      break;
  }
}

void MainWindow::ShowState() {
  using engine::State;
  const State state = engine_.session.GetState();
  const State before = std::exchange(shown_state_, state);
  ShowStatusLine();
  const bool recording = state == State::Recording;
  const ui::Color color = recording ? ui::kLightRed : ui::kLightBlue;
  status_strip_.state_word.SetCaption(recording                 ? "Rec"
                                      : state == State::Playing ? "Play"
                                                                : "Stop");
  status_strip_.state_word.SetForeColor(color);
  status_strip_.chronometer.SetForeColor(color);
  const StateIcon icon = recording                 ? StateIcon::Recording
                         : state == State::Playing ? StateIcon::Playing
                                                   : StateIcon::Stopped;
  ShowStateIcon(static_cast<int>(icon));
  if (state == State::Idle) {
    // A playback started during the recording left the indicator where it was.
    if (before == State::Recording) click_indicator_.reset();
    MoveHome();
    return;
  }
  ShowChronometer();
  if (recording && engine_.Options().simulate_clicks) Indicator().Show();
}

ClickIndicator& MainWindow::Indicator() {
  // Created on first use, destroyed when a recording ends.
  if (!click_indicator_) click_indicator_ = std::make_unique<ClickIndicator>();
  return *click_indicator_;
}

void MainWindow::ShowStateIcon(int index) {
  const int highest = static_cast<int>(status_strip_.state_icons.size()) - 1;
  if (index < 0 || index > highest) return;
  for (int i = 0; i <= highest; ++i) status_strip_.state_icons[i].SetVisible(i == index);
}

void MainWindow::ShowChronometer() {
  const engine::Chronometer& c = engine_.chronometer;
  // A count shows with a blank after it; the restart's reading has none.
  if (c.Fresh()) {
    status_strip_.chronometer.SetCaption("00m 00s");
    return;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%02dm %02ds ", c.Minutes(), c.Seconds());
  status_strip_.chronometer.SetCaption(text);
}

void MainWindow::ShowStatusLine() {
  const engine::StatusLine& s = engine_.status;
  ui::Label& line = status_strip_.status_line;
  ShowKeysLine();
  if (!s.Visible()) {
    // While idle, the line says what to press next: record, or play what there is.
    const bool idle = engine_.session.GetState() == engine::State::Idle;
    const bool recorded = !engine_.session.GetRecording().empty();
    line.SetForeColor(ui::kGrey);
    if (idle) {
      const engine::Command next = recorded ? engine::Command::Play : engine::Command::Record;
      line.SetCaption(engine::KeyName(engine_.hotkeys.Keys().KeyOf(next)) + ": " +
                      std::string(TextOf(recorded ? Text::PlayHint : Text::RecordHint, language_)));
      line.FitCaption();
    }
    line.SetVisible(idle);
    return;
  }
  line.SetCaption(StatusCaption());
  line.SetForeColor(StatusFailed() ? ui::kLightRed : ui::kGrey);
  line.FitCaption();  // a file's name is longer than the design caption
  line.SetVisible(true);
}

std::string MainWindow::StatusCaption() const {
  using Kind = engine::StatusLine::Kind;
  const engine::StatusLine& s = engine_.status;
  const Text words[] = {Text::Loaded,   Text::Saved,     Text::LoadFailed,      Text::SaveFailed,
                        Text::Loading,  Text::Saving,    Text::NothingRecorded, Text::ChooseKey,
                        Text::KeyInUse, Text::KeyChosen, Text::KeyKept,         Text::Busy,
                        Text::NotFound, Text::Wayland};
  const bool working = s.GetKind() == Kind::Loading || s.GetKind() == Kind::Saving;
  std::string caption(TextOf(words[static_cast<int>(s.GetKind())], language_));
  return caption + (working ? " " + std::to_string(s.Percent()) + " %" : s.Name());
}

bool MainWindow::StatusFailed() const {
  using Kind = engine::StatusLine::Kind;
  const Kind kind = engine_.status.GetKind();
  return kind == Kind::LoadFailed || kind == Kind::SaveFailed || kind == Kind::NothingRecorded ||
         kind == Kind::KeyInUse || kind == Kind::Busy || kind == Kind::NotFound ||
         kind == Kind::Wayland;
}

void MainWindow::ShowKeysLine() {
  using Kind = engine::StatusLine::Kind;
  const engine::StatusLine& s = engine_.status;
  ui::Label& line = hotkey_panel_.keys_line;
  const Kind kind = s.GetKind();
  if (s.Visible() && (kind == Kind::ChooseKey || kind == Kind::KeyInUse ||
                      kind == Kind::KeyChosen || kind == Kind::KeyKept)) {
    line.SetCaption(StatusCaption());
    line.SetForeColor(StatusFailed() ? ui::kLightRed : ui::kLightBlue);
    return;
  }
  line.SetForeColor(ui::kDarkGrey);
  if (!engine_.Options().record_keyboard) {
    line.SetCaption(std::string(TextOf(Text::KeysNotRecorded, language_)));
    return;
  }
  // The hotkeys act and are never recorded.
  std::string caption(TextOf(Text::KeysRecorded, language_));
  for (size_t i = 0; i < std::size(kHotkeyLines); ++i)
    caption +=
        (i > 0 ? " " : "") + engine::KeyName(engine_.hotkeys.Keys().KeyOf(kHotkeyLines[i].first));
  line.SetCaption(caption);
}

void MainWindow::ShowHotkeys() {
  const std::optional<engine::Command> choosing = engine_.hotkeys.Choosing();
  for (const auto& [command, member] : kHotkeyLines) {
    ui::Label& key = (hotkey_panel_.*member).key;
    key.SetCaption(choosing == command ? "?"
                                       : engine::KeyName(engine_.hotkeys.Keys().KeyOf(command)));
    key.FitCaption();
  }
  ShowStatusLine();
}

void MainWindow::ShowOptions() {
  const model::Options& o = engine_.Options();
  title_row_.repeat_indicator.SetVisible(o.repeat);
  timer_panel_.end_frame.SetVisible(o.repeat);
  title_row_.simulate_indicator.SetVisible(o.simulate_clicks);
  ShowKeysLine();
  options_panel_.record_keyboard.button.Invalidate();
  options_panel_.wait_for_screen.button.Invalidate();
  options_panel_.speed_caption.SetCaption(SpeedText(o.speed_step, language_));
  options_panel_.speed_caption.FitCaption();
}

void MainWindow::AskForFile(engine::FileDialog which) {
  platform::RunSoon([this, which] { AnswerAskedFile(which); });
}

void MainWindow::AnswerAskedFile(engine::FileDialog which) {
  const std::optional<std::string> path = ChooseFile(which);
  if (!path) return;
  if (which == engine::FileDialog::Save) {
    engine_.session.SaveRecording(*path);
  } else {
    engine_.session.LoadRecording(*path);
  }
}

std::optional<std::string> MainWindow::ChooseFile(engine::FileDialog which) {
  const bool save = which == engine::FileDialog::Save;
  const std::string title =
      "Tapwright - " + std::string(TextOf(save ? Text::SaveFile : Text::LoadFile, language_));
  std::optional<std::string> path;
  engine_.hotkeys.Pause();
  try {
    path = ShowFileDialog(save, Handle(), title, language_,
                          engine_.settings.LastFolder().empty() ? platform::RecordingsFolder()
                                                                : engine_.settings.LastFolder());
  } catch (const std::exception&) {
    path.reset();  // a dialog that failed chose nothing
  }
  engine_.hotkeys.Resume();
  if (path) engine_.settings.SetLastFolder(model::FolderOf(*path));
  return path;
}

void MainWindow::ShowAbout() {
  // A second click on the title closes it: the window takes clicks while it shows.
  if (about_) {
    about_->Unload();
    return;
  }
  // Created for each showing, destroyed by what closes it.
  AboutWindow about;
  about_ = &about;
  about.ShowModal(nullptr);
  about_ = nullptr;
}

void MainWindow::OnResize() {
  title_row_.border.Move(0, 0, Width(), Height());
  const platform::Rect screen = ui::PrimaryMonitorTwips();
  const int screen_bottom = screen.top + screen.height;
  if (Height() + Top() > screen_bottom) SetTop(screen_bottom - Height());
}

void MainWindow::ShowSequenceList() {
  const std::vector<model::SequenceEntry>& entries = engine_.sequence.Entries();
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (const model::SequenceEntry& e : entries) names.push_back(model::FileBaseName(e.path));
  sequence_panel_.list.SetLines(std::move(names));
  sequence_panel_.entry_frame.SetVisible(!entries.empty());
}

void MainWindow::RemoveSelectedEntry() {
  ui::ListBox& list = sequence_panel_.list;
  const int selected = list.Selected();
  if (!engine_.sequence.Remove(selected)) return;
  list.Select(-1);  // its line goes
  ShowSequenceList();
  if (list.Count() > 0) list.Select(0);
}

void MainWindow::ShowSelectedEntry() {
  const int selected = sequence_panel_.list.Selected();
  if (sequence_panel_.list.Count() == 0 || selected < 0) return;
  entry_time_ = engine_.sequence.Entries()[static_cast<size_t>(selected)].start;
  ShowTimeFields();
}

namespace {

// Only what the file manager offers for files: copy, move and link.
constexpr std::uint32_t kShellEffects =
    platform::kDropCopy | platform::kDropMove | platform::kDropLink;

}  // namespace

void MainWindow::DropOnList(const platform::DropEvent& e) {
  if (e.allowed_effects != kShellEffects) return;
  for (const std::string& file : e.files) engine_.sequence.Add(file);
  ShowSequenceList();
}

void MainWindow::DropOnStatusStrip(const platform::DropEvent& e) {
  if (e.allowed_effects != kShellEffects || e.files.empty()) return;
  engine_.session.OpenHandedFile(e.files.front(), nullptr);
}

}  // namespace window
