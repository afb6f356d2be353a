#include "ui/form.h"

#include "platform/display.h"
#include "ui/controls.h"

namespace ui {

using platform::MouseEvent;

Form::Form(std::string caption, int width, int height, Color back_color, bool task_bar,
           bool accept_drops)
    : caption_(std::move(caption)),
      back_color_(back_color),
      left_(0),
      top_(0),
      width_(width),
      height_(height) {
  platform::WindowDesc desc;
  desc.title = caption_;
  desc.bounds = {0, 0, TwipsToPixelsX(width), TwipsToPixelsY(height)};
  desc.background = back_color;
  desc.task_bar = task_bar;
  desc.accept_drops = accept_drops;
  hwnd_ = platform::CreateFormWindow(desc, this);
}

Form::~Form() { Unload(); }

void Form::SetBackColor(Color c) {
  if (c == back_color_) return;
  back_color_ = c;
  Invalidate();
}

namespace {

// A length reads back as last set while the window still has the pixel value that setting gave
// it; once the window stands elsewhere (moved from outside) the pixels decide.
int ReadBack(int set, int pixels, int (*to_pixels)(int), int (*to_twips)(int)) {
  return pixels == to_pixels(set) ? set : to_twips(pixels);
}

}  // namespace

int Form::Left() const {
  if (!hwnd_) return left_;
  return ReadBack(left_, platform::GetWindowBounds(hwnd_).left, TwipsToPixelsX, PixelsToTwipsX);
}

int Form::Top() const {
  if (!hwnd_) return top_;
  return ReadBack(top_, platform::GetWindowBounds(hwnd_).top, TwipsToPixelsY, PixelsToTwipsY);
}

int Form::Width() const {
  if (!hwnd_) return width_;
  return ReadBack(width_, platform::GetWindowBounds(hwnd_).width, TwipsToPixelsX, PixelsToTwipsX);
}

int Form::Height() const {
  if (!hwnd_) return height_;
  return ReadBack(height_, platform::GetWindowBounds(hwnd_).height, TwipsToPixelsY, PixelsToTwipsY);
}

bool Form::StandsAt(int left, int top) const {
  return TwipsToPixelsX(Left()) == TwipsToPixelsX(left) &&
         TwipsToPixelsY(Top()) == TwipsToPixelsY(top);
}

void Form::Move(int left, int top, int width, int height) {
  const bool resized = width != Width() || height != Height();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (hwnd_) {
    platform::SetWindowBounds(hwnd_, {TwipsToPixelsX(left), TwipsToPixelsY(top),
                                      TwipsToPixelsX(width), TwipsToPixelsY(height)});
  }
  if (resized) OnResize();
}

void Form::Show() {
  if (hwnd_) platform::ShowWindow(hwnd_, true);
}

void Form::Hide() {
  if (hwnd_) platform::ShowWindow(hwnd_, false);
}

bool Form::Visible() const { return hwnd_ && platform::IsWindowVisible(hwnd_); }

void Form::ShowModal(Form* owner) {
  if (hwnd_) platform::RunModal(hwnd_, owner ? owner->Handle() : 0);
}

void Form::Unload() {
  if (!hwnd_) return;
  const platform::WindowHandle w = hwnd_;
  hwnd_ = 0;
  captured_ = nullptr;
  focus_ = nullptr;
  platform::DestroyWindow(w);
}

void Form::Invalidate() {
  if (hwnd_) platform::InvalidateWindow(hwnd_);
}

void Form::Refresh() {
  if (hwnd_) platform::RepaintNow(hwnd_);
}

// A window being destroyed may still report events; its controls may be gone by then.
void Form::OnPaint(platform::Canvas& canvas) {
  if (!hwnd_) return;
  Painter p(canvas);
  canvas.FillRect(p.ToPixels(0, 0, Width(), Height()), back_color_);
  if (picture) canvas.DrawPicture(0, 0, *picture);
  PaintChildren(p);
}

void Form::Deliver(Control* target, const MouseEvent& e, int x, int y) {
  const int button = e.kind == MouseEvent::Kind::Move ? e.buttons : static_cast<int>(e.button);
  if (!target) {
    switch (e.kind) {
      case MouseEvent::Kind::Down:
        OnBackgroundDown(button, e.shift, x, y);
        break;
      case MouseEvent::Kind::Up:
        OnBackgroundUp(button, e.shift, x, y);
        break;
      case MouseEvent::Kind::Move:
        OnBackgroundMove(button, e.shift, x, y);
        break;
      case MouseEvent::Kind::DoubleClick:
        OnBackgroundDoubleClick();
        break;
    }
    return;
  }
  x -= target->FormLeft();
  y -= target->FormTop();
  switch (e.kind) {
    case MouseEvent::Kind::Down:
      if (target->on_mouse_down) target->on_mouse_down(button, e.shift, x, y);
      break;
    case MouseEvent::Kind::Up:
      if (target->on_mouse_up) target->on_mouse_up(button, e.shift, x, y);
      break;
    case MouseEvent::Kind::Move:
      if (target->on_mouse_move) target->on_mouse_move(button, e.shift, x, y);
      break;
    case MouseEvent::Kind::DoubleClick:
      if (target->on_double_click) target->on_double_click();
      break;
  }
}

void Form::OnMouse(const MouseEvent& e) {
  if (!hwnd_) return;
  const int x = PixelsToTwipsX(e.x), y = PixelsToTwipsY(e.y);
  Control* hit = HitTest(x, y);
  switch (e.kind) {
    case MouseEvent::Kind::Down:
    case MouseEvent::Kind::DoubleClick: {
      captured_ = hit;
      form_captured_ = hit == nullptr;
      if (hit && hit->TakesFocus()) {
        focus_ = hit;
        hit->OnPress(y - hit->FormTop());
      }
      Deliver(hit, e, x, y);
      break;
    }
    case MouseEvent::Kind::Up: {
      Control* target = captured_;
      const bool form_target = form_captured_;
      if (e.buttons == 0) {
        captured_ = nullptr;
        form_captured_ = false;
      }
      if (!target && !form_target) break;  // the press began outside the window
      Deliver(target, e, x, y);
      if (target && hit == target && !target->TakesFocus()) {
        if (target->on_click) target->on_click();
      } else if (form_target && !hit) {
        OnBackgroundClick();
      }
      break;
    }
    case MouseEvent::Kind::Move:
      Deliver(e.buttons && (captured_ || form_captured_) ? captured_ : hit, e, x, y);
      break;
  }
  if (hwnd_) UpdateCursor(hit);
}

void Form::UpdateCursor(Control* under) {
  const bool over_hand = under ? under->hand : hand;
  const auto shape = over_hand ? platform::CursorShape::Hand : platform::CursorShape::Arrow;
  if (shape == cursor_) return;
  cursor_ = shape;
  platform::SetWindowCursor(hwnd_, shape);
}

void Form::OnKeyDown(int vk) {
  if (!hwnd_) return;
  if (!focus_ || !focus_->Visible()) return;
  focus_->OnKey(vk);
}

void Form::OnDrop(const platform::DropEvent& e) {
  if (!hwnd_) return;
  for (Control* c = HitTest(PixelsToTwipsX(e.x), PixelsToTwipsY(e.y)); c;) {
    if (c->on_drop) {
      c->on_drop(e);
      return;
    }
    Control* up = c->Parent() ? c->Parent()->AsControl() : nullptr;
    c = up;
  }
}

}  // namespace ui
