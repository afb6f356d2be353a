#pragma once

#include <memory>

#include "platform/input.h"
#include "session_fixture.h"
#include "sim_fixture.h"
#include "window/main_window.h"

// The real main window, started and shown on the simulated desktop; the tests reach its controls
// by where they show.
class WindowTest : public SimTest, protected Hands {
 protected:
  WindowTest() {
    NewWindow();
    w->StartUp();
    w->Show();
  }

  // A new engine and a window on it, as the program starts them.
  void NewWindow() {
    DropWindow();
    engine_ = std::make_unique<engine::Engine>();
    w = std::make_unique<window::MainWindow>(*engine_);
  }
  // Both go, before the desktop is reset under them.
  void DropWindow() {
    w.reset();
    engine_.reset();
  }

  static window::TitleRow& TitleRow(window::MainWindow& of) { return of.title_row_; }
  window::TitleRow& TitleRow() { return TitleRow(*w); }
  window::StatusStrip& StatusStrip() { return w->status_strip_; }
  window::HotkeyPanel& HotkeyPanel() { return w->hotkey_panel_; }
  window::OptionsPanel& OptionsPanel() { return w->options_panel_; }
  window::TimerPanel& TimerPanel() { return w->timer_panel_; }
  window::SequencePanel& SequencePanel() { return w->sequence_panel_; }
  ui::ListBox& List() { return SequencePanel().list; }
  engine::Engine& Engine() { return *engine_; }
  engine::Session& Session() { return engine_->session; }

  // Clicks the control where it shows on the screen.
  void ClickOn(const ui::Control& c, platform::MouseButton b = platform::MouseButton::Left) {
    sim::Click(ui::TwipsToPixelsX(w->Left() + c.FormLeft()) + 2,
               ui::TwipsToPixelsY(w->Top() + c.FormTop()) + 2, b);
  }

  std::unique_ptr<engine::Engine> engine_;
  std::unique_ptr<window::MainWindow> w;
};
