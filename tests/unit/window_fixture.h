#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "session_fixture.h"
#include "sim_fixture.h"
#include "window/main_window.h"

// The real main window, started and shown on the simulated desktop; its controls are found by
// their design names.
class WindowTest : public SimTest, protected Hands {
 protected:
  WindowTest() {
    NewWindow();
    w->StartUp();
    w->Show();
  }

  // A new session and a window on it, as the program starts them.
  void NewWindow() {
    DropWindow();
    session_ = std::make_unique<engine::Session>();
    w = std::make_unique<window::MainWindow>(*session_);
  }
  // Both go, before the desktop is reset under them.
  void DropWindow() {
    w.reset();
    session_.reset();
  }

  template <class T>
  static T& Find(const ui::Container& in, std::string_view name, int index = -1) {
    auto* c = dynamic_cast<T*>(in.Find(name, index));
    if (c == nullptr) throw std::runtime_error("no control " + std::string(name));
    return *c;
  }
  ui::Label& Label(std::string_view name, int index = -1) {
    return Find<ui::Label>(*w, name, index);
  }
  ui::Image& Image(std::string_view name, int index = -1) {
    return Find<ui::Image>(*w, name, index);
  }
  ui::Frame& Frame(std::string_view name) { return Find<ui::Frame>(*w, name); }
  ui::ListBox& List() { return Find<ui::ListBox>(*w, "Lista"); }
  engine::Session& Session() { return *session_; }

  // Clicks the control where it shows on the screen.
  void ClickOn(const ui::Control& c, platform::MouseButton b = platform::MouseButton::Left) {
    sim::Click(ui::TwipsToPixelsX(w->Left() + c.FormLeft()) + 2,
               ui::TwipsToPixelsY(w->Top() + c.FormTop()) + 2, b);
  }

  std::unique_ptr<engine::Session> session_;
  std::unique_ptr<window::MainWindow> w;
};
