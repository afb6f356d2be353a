#include "window/main_window.h"

#include <cstdio>
#include <utility>

#include "model/file_names.h"
#include "ui/opacity.h"
#include "window/about_window.h"
#include "window/file_dialogs.h"
#include "window/two_digits.h"

namespace window {
namespace {

// The hotkey panel's lines: the label of the key, the label of what it does.
struct HotkeyLine {
  engine::Command command;
  size_t key_label, action_label;
};
constexpr HotkeyLine kHotkeyLines[] = {{engine::Command::Record, 4, 0},
                                       {engine::Command::Play, 5, 1},
                                       {engine::Command::Stop, 8, 9},
                                       {engine::Command::Load, 6, 2},
                                       {engine::Command::Save, 7, 3}};

}  // namespace

void MainWindow::ConnectHandlers() {
  close_button_.on_click = [this] { session_.Quit(); };
  title_.on_click = [this] { ShowAbout(); };
  hotkeys_button_.on_click = [this] {
    TogglePanel(hotkey_panel_, {&timer_panel_, &options_panel_, &sequence_panel_});
  };
  // A click on a line of the hotkey panel, then a key, gives the line's command that key.
  for (const HotkeyLine& line : kHotkeyLines) {
    const auto choose = [this, command = line.command] { session_.ChooseHotkey(command); };
    hotkey_labels_[line.key_label].on_click = choose;
    hotkey_labels_[line.action_label].on_click = choose;
  }
  options_button_.on_click = [this] {
    TogglePanel(options_panel_, {&timer_panel_, &hotkey_panel_, &sequence_panel_});
  };
  for (ui::Image* i : {&sequence_option_, &sequence_indicator_})
    i->on_click = [this] { ToggleSequencePanel(); };
  for (ui::Image* i : {&timer_option_, &timer_indicator_})
    i->on_click = [this] { ToggleTimerPanel(); };
  for (ui::Image* i : {&repeat_option_, &repeat_indicator_})
    i->on_click = [this] { session_.ToggleRepeat(); };
  for (ui::Image* i : {&simulate_option_, &simulate_indicator_})
    i->on_click = [this] { session_.ToggleSimulateClicks(); };
  keyboard_option_.on_click = [this] { session_.ToggleRecordKeyboard(); };
  // An option's caption acts as its picture does.
  ui::Image* pictures[] = {&simulate_option_, &repeat_option_, &timer_option_, &sequence_option_,
                           &keyboard_option_};
  for (size_t i = 0; i < option_captions_.size(); ++i) {
    option_captions_[i].on_click = [picture = pictures[i]] { picture->on_click(); };
    option_captions_[i].hand = true;
  }
  // A left press goes one step faster, a right press one slower.
  for (ui::Control* c :
       {static_cast<ui::Control*>(&speed_button_), static_cast<ui::Control*>(&speed_caption_)}) {
    c->on_mouse_down = [this](int button, int, int, int) {
      session_.ChangeSpeed(button == 1 ? 1 : button == 2 ? -1 : 0);
    };
  }
  for (int i = 0; i < static_cast<int>(time_fields_.size()); ++i) {
    time_fields_[i].on_mouse_down = [this, i](int button, int, int, int) {
      TimeFieldDown(i, button);
    };
    time_fields_[i].on_mouse_up = [this, i](int, int, int, int) { TimeFieldUp(i); };
  }
  timer_switch_.on_click = [this] {
    if (session_.GetSingleTimer().Toggle()) ToggleTimerPanel();
  };
  add_button_.on_click = [this] {
    const std::size_t before = session_.GetSequence().Entries().size();
    if (session_.GetSequence().AddChosen())
      AddToList(session_.GetSequence().Entries()[before].path);
  };
  remove_button_.on_click = [this] { RemoveFromList(); };
  sequence_list_.on_click = [this] { ShowSelectedEntry(); };
  sequence_list_.on_drop = [this](const platform::DropEvent& e) { DropOnList(e); };
  status_strip_.on_drop = [this](const platform::DropEvent& e) { DropOnStatusStrip(e); };
  sequence_switch_.on_click = [this] {
    if (session_.GetSequence().Toggle()) ToggleSequencePanel();
  };
}

void MainWindow::StartUp() {
  language_ = UserLanguage();
  ApplyLanguage();
  ShowStatusLine();
  platform::SetDropShadow(Handle(), true);
  ui::SetOpacityPercent(*this, 93);
  collapsed_height_ = status_strip_.Height() + status_strip_.Top() + 20;
  SetHeight(collapsed_height_);
  MoveHome();
  platform::SetTopmost(Handle(), true);  // from the start, not from the first key poll
  border_.SetHeight(Height());
  border_.SetWidth(Width());
}

void MainWindow::ApplyLanguage() {
  const auto text = [this](Text id) { return std::string(TextOf(id, language_)); };
  panel_titles_[0].SetCaption(text(Text::Options));
  panel_titles_[1].SetCaption(text(Text::SingleTimer));
  panel_titles_[2].SetCaption(text(Text::Keyboard));
  panel_titles_[3].SetCaption(text(Text::Sequence));
  hotkey_labels_[2].SetCaption(text(Text::LoadFile));
  hotkey_labels_[3].SetCaption(text(Text::SaveFile));
  const Text options[] = {Text::SimulateClicks, Text::Repeat, Text::SingleTimer, Text::Sequence,
                          Text::RecordKeyboard};
  for (int i = 0; i < 5; ++i) option_captions_[i].SetCaption(text(options[i]));
  time_labels_[0].SetCaption(text(Text::Initial));
  time_labels_[7].SetCaption(text(Text::Initial));
  ShowOptions();
  ShowHotkeys();
  // Several Spanish captions are longer than their design labels.
  for (ui::Label* l : {&panel_titles_[0], &panel_titles_[1], &panel_titles_[2], &panel_titles_[3],
                       &hotkey_labels_[2], &hotkey_labels_[3], &option_captions_[0],
                       &option_captions_[1], &option_captions_[2], &option_captions_[3],
                       &option_captions_[4], &time_labels_[0], &time_labels_[7]}) {
    l->FitCaption();
  }
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
      timer_indicator_.SetVisible(session_.GetSingleTimer().Armed());
      break;
    case Change::Sequence:
      sequence_indicator_.SetVisible(session_.GetSequence().On());
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
      if (session_.GetOptions().simulate_clicks) Indicator().CentreOnCursor();
      break;
  }
}

void MainWindow::ShowState() {
  using engine::State;
  const State state = session_.GetState();
  const State before = std::exchange(shown_state_, state);
  ShowStatusLine();
  const bool recording = state == State::Recording;
  const ui::Color color = recording ? ui::kLightRed : ui::kLightBlue;
  state_word_.SetCaption(recording ? "Rec" : state == State::Playing ? "Play" : "Stop");
  state_word_.SetForeColor(color);
  chronometer_.SetForeColor(color);
  ShowStateIcon(recording ? 0 : state == State::Playing ? 1 : 2);
  if (state == State::Idle) {
    // A playback started during the recording left the indicator where it was.
    if (before == State::Recording) click_indicator_.reset();
    MoveHome();
    return;
  }
  ShowChronometer();
  if (recording && session_.GetOptions().simulate_clicks) Indicator().Show();
}

ClickIndicator& MainWindow::Indicator() {
  // Created on first use, destroyed when a recording ends.
  if (!click_indicator_) click_indicator_ = std::make_unique<ClickIndicator>();
  return *click_indicator_;
}

void MainWindow::ShowStateIcon(int index) {
  const int highest = static_cast<int>(state_icons_.size()) - 1;
  if (index < 0 || index > highest) return;
  for (int i = 0; i <= highest; ++i) state_icons_[i].SetVisible(i == index);
}

void MainWindow::ShowChronometer() {
  const engine::Chronometer& c = session_.GetChronometer();
  // A count shows with a blank after it; the restart's reading has none.
  if (c.Fresh()) {
    chronometer_.SetCaption("00m 00s");
    return;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%02dm %02ds ", c.Minutes(), c.Seconds());
  chronometer_.SetCaption(text);
}

void MainWindow::ShowStatusLine() {
  using Kind = engine::StatusLine::Kind;
  const engine::StatusLine& s = session_.GetStatusLine();
  if (!s.Visible()) {
    // While idle with nothing recorded, the line says how to begin.
    const bool first_steps =
        session_.GetState() == engine::State::Idle && session_.GetRecording().empty();
    status_line_.SetForeColor(ui::kGrey);
    if (first_steps) {
      status_line_.SetCaption(engine::KeyName(engine::KeyOf(engine::Command::Record)) + ": " +
                              std::string(TextOf(Text::RecordHint, language_)));
      status_line_.FitCaption();
    }
    status_line_.SetVisible(first_steps);
    return;
  }
  const Text words[] = {Text::Loaded,   Text::Saved,  Text::LoadFailed,      Text::SaveFailed,
                        Text::Loading,  Text::Saving, Text::NothingRecorded, Text::ChooseKey,
                        Text::KeyInUse, Text::Busy};
  const bool failed = s.GetKind() == Kind::LoadFailed || s.GetKind() == Kind::SaveFailed ||
                      s.GetKind() == Kind::NothingRecorded || s.GetKind() == Kind::KeyInUse ||
                      s.GetKind() == Kind::Busy;
  const bool working = s.GetKind() == Kind::Loading || s.GetKind() == Kind::Saving;
  std::string caption(TextOf(words[static_cast<int>(s.GetKind())], language_));
  caption += working ? " " + std::to_string(s.Percent()) + " %" : s.Name();
  status_line_.SetCaption(caption);
  status_line_.SetForeColor(failed ? ui::kLightRed : ui::kGrey);
  status_line_.FitCaption();  // a file's name is longer than the design caption
  status_line_.SetVisible(true);
}

void MainWindow::ShowHotkeys() {
  const std::optional<engine::Command> choosing = session_.ChoosingHotkey();
  for (const HotkeyLine& line : kHotkeyLines) {
    ui::Label& key = hotkey_labels_[line.key_label];
    key.SetCaption(choosing == line.command ? "?" : engine::KeyName(engine::KeyOf(line.command)));
    key.FitCaption();
  }
  ShowStatusLine();
}

void MainWindow::ShowOptions() {
  const model::Options& o = session_.GetOptions();
  repeat_indicator_.SetVisible(o.repeat);
  end_time_row_.SetVisible(o.repeat);
  simulate_indicator_.SetVisible(o.simulate_clicks);
  keys_line_.SetCaption(std::string(
      TextOf(o.record_keyboard ? Text::KeysRecorded : Text::KeysNotRecorded, language_)));
  keyboard_option_.Invalidate();
  speed_caption_.SetCaption(SpeedText(o.speed_step, language_));
  speed_caption_.FitCaption();
}

std::optional<std::string> MainWindow::ChooseFile(engine::FileDialog which) {
  const bool save = which == engine::FileDialog::Save;
  const std::string title =
      "Tapwright - " + std::string(TextOf(save ? Text::SaveFile : Text::LoadFile, language_));
  const std::optional<std::string> path = ShowFileDialog(
      save, Handle(), title, language_,
      session_.LastFolder().empty() ? platform::RecordingsFolder() : session_.LastFolder());
  if (path) session_.SetLastFolder(model::FolderOf(*path));
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
  border_.Move(0, 0, Width(), Height());
  const platform::Rect screen = ui::PrimaryMonitorTwips();
  const int screen_bottom = screen.top + screen.height;
  if (Height() + Top() > screen_bottom) SetTop(screen_bottom - Height());
}

void MainWindow::AddToList(const std::string& path) {
  sequence_list_.Add(model::FileBaseName(path));
  entry_time_row_.SetVisible(true);
}

void MainWindow::RemoveFromList() {
  const int selected = sequence_list_.Selected();
  if (!session_.GetSequence().Remove(selected)) return;
  sequence_list_.Remove(selected);
  if (sequence_list_.Count() == 0) {
    entry_time_row_.SetVisible(false);
  } else {
    sequence_list_.Select(0);
  }
}

void MainWindow::ShowSelectedEntry() {
  const int selected = sequence_list_.Selected();
  if (sequence_list_.Count() == 0 || selected < 0) return;
  entry_time_row_.SetVisible(true);
  entry_time_ = session_.GetSequence().Entries()[static_cast<size_t>(selected)].start;
  ShowTimeFields();
}

namespace {

// Only what the file manager offers for files: copy, move and link.
constexpr std::uint32_t kShellEffects =
    platform::kDropCopy | platform::kDropMove | platform::kDropLink;

}  // namespace

void MainWindow::DropOnList(const platform::DropEvent& e) {
  if (e.allowed_effects != kShellEffects) return;
  for (const std::string& file : e.files)
    if (session_.GetSequence().Add(file)) AddToList(file);
}

void MainWindow::DropOnStatusStrip(const platform::DropEvent& e) {
  if (e.allowed_effects != kShellEffects || e.files.empty()) return;
  session_.OpenHandedFile(e.files.front(), nullptr);
}

}  // namespace window
