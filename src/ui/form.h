// Base of the program's windows: owns one borderless top-level window, paints its controls and
// routes the window's mouse, key and drop events to them.
#pragma once

#include <string>

#include "platform/display.h"
#include "platform/input.h"
#include "ui/control.h"

namespace ui {

class ListBox;

class Form : public Container, public platform::WindowListener {
 public:
  // Creates the (hidden) window; sizes are twips.
  Form(std::string caption, int width, int height, Color back_color, bool task_bar = true,
       bool accept_drops = false);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  platform::WindowHandle Handle() const { return hwnd_; }
  // Drawn at the top-left corner over the background colour.
  const platform::Picture* picture = nullptr;
  // Shows the hand pointer over the form's own background.
  bool hand = false;
  const std::string& Caption() const { return caption_; }
  Color BackColor() const { return back_color_; }
  void SetBackColor(Color c);

  // Outer position and size in twips (no frame: the client area is the whole window).
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int v) { Move(v, Top(), Width(), Height()); }
  void SetTop(int v) { Move(Left(), v, Width(), Height()); }
  void SetWidth(int v) { Move(Left(), Top(), v, Height()); }
  void SetHeight(int v) { Move(Left(), Top(), Width(), v); }
  void Move(int left, int top) { Move(left, top, Width(), Height()); }
  void Move(int left, int top, int width, int height);
  // Whether the window stands at (left, top), compared in whole pixels as it is placed.
  bool StandsAt(int left, int top) const;

  int ClientWidth() const override { return Width(); }
  int ClientHeight() const override { return Height(); }
  Form* AsForm() override { return this; }

  void Show();
  void Hide();
  bool Visible() const;
  // Shows the form modal to owner and returns when the form has been unloaded.
  // owner (nullptr: none) takes no input until this form is unloaded.
  void ShowModal(Form* owner);
  // Destroys the window; the form object stays, with no window.
  void Unload();
  bool Loaded() const { return hwnd_ != 0; }

  void Invalidate();
  // Paints at once, not at the next idle moment.
  void Refresh();

  // platform::WindowListener
  void OnPaint(platform::Canvas& canvas) override;
  void OnMouse(const platform::MouseEvent& e) override;
  void OnKeyDown(int vk) override;
  void OnDrop(const platform::DropEvent& e) override;
  void OnCloseRequest() override { Unload(); }

 protected:
  // Events of the form's own background (not of its controls). Twips, relative to the form.
  virtual void OnBackgroundDown(int button, int shift, int x, int y) {
    (void)button, (void)shift, (void)x, (void)y;
  }
  virtual void OnBackgroundUp(int button, int shift, int x, int y) {
    (void)button, (void)shift, (void)x, (void)y;
  }
  virtual void OnBackgroundMove(int button, int shift, int x, int y) {
    (void)button, (void)shift, (void)x, (void)y;
  }
  virtual void OnBackgroundClick() {}
  virtual void OnBackgroundDoubleClick() {}
  virtual void OnResize() {}

 private:
  void UpdateCursor(Control* under);
  void Deliver(Control* target, const platform::MouseEvent& e, int x, int y);

  std::string caption_;
  Color back_color_;
  platform::WindowHandle hwnd_ = 0;
  // The twips last set, kept while the window still stands where they put it.
  int left_, top_, width_, height_;
  Control* captured_ = nullptr;
  bool form_captured_ = false;
  Control* focus_ = nullptr;
  platform::CursorShape cursor_ = platform::CursorShape::Arrow;
};

}  // namespace ui
