// The control model: controls are plain data in twips, owned by their form. The backend only
// draws them and delivers raw mouse events; hit testing and event routing happen here.
#pragma once

#include <functional>
#include <vector>

#include "platform/display.h"
#include "platform/geometry.h"
#include "platform/input.h"

namespace ui {

using platform::Color;
using platform::kBlack;
using platform::kDarkGrey;
using platform::kGrey;
using platform::kLightBlue;
using platform::kLightRed;
using platform::Rgb;

// Whole pixels from twips, the same way for every length, so that a value set and read back
// compares equal.
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);
// The primary monitor in twips: where windows start, hop and centre.
platform::Rect PrimaryMonitorTwips();
// Where the cursor is, in twips; the origin when the desktop does not say.
platform::Point CursorTwips();

struct FontSpec {
  double points = 8.25;
  bool bold = true;
  // The backend font for the current screen scale (20 twips to the point).
  platform::Font ToPlatform() const;
};

class Container;
class Form;

// Maps the model's twips to a canvas's pixels, relative to the container being painted.
class Painter {
 public:
  explicit Painter(platform::Canvas& canvas) : canvas_(canvas) {}
  platform::Canvas& Target() { return canvas_; }
  // Pixel rectangle of a box given in twips relative to the current origin.
  platform::Rect ToPixels(int left, int top, int width, int height) const;
  platform::Point ToPixels(int x, int y) const;
  // Moves the origin to the box's top-left and clips to it until the matching Leave.
  void Enter(int left, int top, int width, int height);
  void Leave();

 private:
  platform::Canvas& canvas_;
  std::vector<platform::Point> origins_{{0, 0}};
};

class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v);
  void SetTop(int v);
  void SetWidth(int v);
  void SetHeight(int v);
  void Move(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  void SetVisible(bool v);

  // Shows the hand pointer while the pointer is over the control.
  bool hand = false;

  Container* Parent() const { return parent_; }
  Form* OwnerForm() const;
  // Position of the control's top-left in the form's client area, in twips.
  int FormLeft() const;
  int FormTop() const;

  // Events, as a form delivers them. Coordinates are twips relative to the control.
  std::function<void()> on_click;
  std::function<void()> on_double_click;
  std::function<void(int button, int shift, int x, int y)> on_mouse_down;
  std::function<void(int button, int shift, int x, int y)> on_mouse_up;
  std::function<void(int button, int shift, int x, int y)> on_mouse_move;
  // Files dropped on the control (or on a control inside it that has no handler of its own).
  std::function<void(const platform::DropEvent&)> on_drop;

  // Graphical controls (lines, shapes) let the mouse through to what lies beneath.
  virtual bool ReceivesMouse() const { return true; }
  // A control that takes the keyboard focus answers a press (at y twips from its top) and the
  // keys itself, and a release over it raises no Click: a list's Click is its change of line.
  virtual bool TakesFocus() const { return false; }
  virtual void OnPress(int y) { (void)y; }
  virtual void OnKey(int vk) { (void)vk; }
  virtual void Paint(Painter& p) const = 0;

  // Asks the form to repaint.
  void Invalidate() const;

 private:
  friend class Container;
  Container* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
};

// A form or a frame: holds controls in stacking order, the first at the bottom.
class Container {
 public:
  virtual ~Container() = default;
  void Add(Control& c);
  const std::vector<Control*>& Children() const { return children_; }
  virtual Form* AsForm() { return nullptr; }
  virtual Control* AsControl() { return nullptr; }
  // Width and height of the client area in twips.
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;

  // The topmost visible control under (x, y) (twips relative to this container) that receives
  // the mouse, descending into frames; nullptr for the container's own background.
  Control* HitTest(int x, int y) const;

 protected:
  void PaintChildren(Painter& p) const;

 private:
  std::vector<Control*> children_;
};

}  // namespace ui
