#include "ui/control.h"

#include <cmath>

#include "platform/display.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "ui/form.h"

namespace ui {
namespace {

// Truncates like the platform does, with a little slack so 1000 / (1440 / 96) is not 66.6 - eps.
int ToPixels(int twips, double tpp) { return static_cast<int>(std::floor(twips / tpp + 1e-6)); }
int ToTwips(int pixels, double tpp) { return static_cast<int>(std::lround(pixels * tpp)); }

}  // namespace

int TwipsToPixelsX(int twips) { return ToPixels(twips, platform::TwipsPerPixelX()); }
int TwipsToPixelsY(int twips) { return ToPixels(twips, platform::TwipsPerPixelY()); }
int PixelsToTwipsX(int pixels) { return ToTwips(pixels, platform::TwipsPerPixelX()); }
int PixelsToTwipsY(int pixels) { return ToTwips(pixels, platform::TwipsPerPixelY()); }

platform::Rect PrimaryMonitorTwips() {
  const platform::Rect r = platform::PrimaryMonitor();
  return {PixelsToTwipsX(r.left), PixelsToTwipsY(r.top), PixelsToTwipsX(r.width),
          PixelsToTwipsY(r.height)};
}

platform::Point CursorTwips() {
  platform::Point p{0, 0};
  platform::CursorPosition(p);
  return {PixelsToTwipsX(p.x), PixelsToTwipsY(p.y)};
}

platform::Font FontSpec::ToPlatform() const {
  platform::Font f;
  f.pixel_height = static_cast<int>(std::lround(points * 20 / platform::TwipsPerPixelY()));
  f.bold = bold;
  return f;
}

platform::Rect Painter::ToPixels(int left, int top, int width, int height) const {
  const platform::Point o = origins_.back();
  const int x = TwipsToPixelsX(left), y = TwipsToPixelsY(top);
  return {o.x + x, o.y + y, TwipsToPixelsX(left + width) - x, TwipsToPixelsY(top + height) - y};
}

platform::Point Painter::ToPixels(int x, int y) const {
  const platform::Point o = origins_.back();
  return {o.x + TwipsToPixelsX(x), o.y + TwipsToPixelsY(y)};
}

void Painter::Enter(int left, int top, int width, int height) {
  const platform::Rect r = ToPixels(left, top, width, height);
  canvas_.PushClip(r);
  origins_.push_back({r.left, r.top});
}

void Painter::Leave() {
  origins_.pop_back();
  canvas_.PopClip();
}

void Control::SetLeft(int v) { Move(v, top_, width_, height_); }
void Control::SetTop(int v) { Move(left_, v, width_, height_); }
void Control::SetWidth(int v) { Move(left_, top_, v, height_); }
void Control::SetHeight(int v) { Move(left_, top_, width_, v); }

void Control::Move(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
}

void Control::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Invalidate();
}

Form* Control::OwnerForm() const {
  Container* c = parent_;
  while (c && !c->AsForm()) {
    Control* as_control = c->AsControl();
    c = as_control ? as_control->Parent() : nullptr;
  }
  return c ? c->AsForm() : nullptr;
}

int Control::FormLeft() const {
  int x = left_;
  for (Container* c = parent_; c && c->AsControl(); c = c->AsControl()->Parent())
    x += c->AsControl()->Left();
  return x;
}

int Control::FormTop() const {
  int y = top_;
  for (Container* c = parent_; c && c->AsControl(); c = c->AsControl()->Parent())
    y += c->AsControl()->Top();
  return y;
}

void Control::Invalidate() const {
  if (Form* f = OwnerForm()) f->Invalidate();
}

void Container::Add(Control& c) {
  c.parent_ = this;
  children_.push_back(&c);
}

Control* Container::HitTest(int x, int y) const {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    Control* c = *it;
    if (!c->Visible() || !c->ReceivesMouse()) continue;
    if (x < c->Left() || y < c->Top() || x >= c->Left() + c->Width() || y >= c->Top() + c->Height())
      continue;
    if (auto* inner = dynamic_cast<Container*>(c)) {
      if (Control* hit = inner->HitTest(x - c->Left(), y - c->Top())) return hit;
    }
    return c;
  }
  return nullptr;
}

void Container::PaintChildren(Painter& p) const {
  for (const Control* c : children_) {
    if (c->Visible()) c->Paint(p);
  }
}

}  // namespace ui
