// The kinds of control the windows are built from.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/display.h"
#include "ui/control.h"

namespace ui {

// Text with no background: what lies behind shows through.
class Label : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string text);
  Color ForeColor() const { return fore_; }
  void SetForeColor(Color c);
  FontSpec font;
  platform::TextAlign alignment = platform::TextAlign::Left;

  // Pixel width of the caption in the label's font.
  int TextWidthPixels() const;
  // Widens the label so its caption shows whole; a right-aligned label keeps its right edge.
  void FitCaption();

  void Paint(Painter& p) const override;

 private:
  std::string caption_;
  Color fore_ = kGrey;
};

// A fixed picture shown at its natural size in the top-left corner of its box.
class Image : public Control {
 public:
  const platform::Picture* picture = nullptr;
  // Where given, the picture drawn for the screen's scale instead, so it stays crisp at any DPI.
  std::function<const platform::Picture&()> drawn;
  void Paint(Painter& p) const override;
};

// A container with a black background, no border and no caption.
class Frame : public Control, public Container {
 public:
  Color back_color = kBlack;
  Control* AsControl() override { return this; }
  int ClientWidth() const override { return Width(); }
  int ClientHeight() const override { return Height(); }
  void Paint(Painter& p) const override;
};

// An own-drawn, unsorted single-selection list.
class ListBox : public Control {
 public:
  FontSpec font;
  Color fore_color = kGrey;
  Color back_color = kBlack;

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int i) const { return items_.at(static_cast<size_t>(i)); }
  void Add(std::string text);
  void Remove(int i);
  void Clear();
  // Shows these lines instead. The selection stays on its line while that line exists, else
  // none is selected; neither raises Click.
  void SetLines(std::vector<std::string> lines);
  // The selected line, -1 for none.
  int Selected() const { return list_index_; }
  // Selects line i (-1: none); a change of selection raises Click, as a user's choice does.
  void Select(int i);
  int FirstShown() const { return top_index_; }

  // Height of one line in twips.
  int LineHeight() const;
  // The line under y (twips from the control's top), -1 below the last line.
  int LineAt(int y) const;
  // Moves the selection by delta lines (arrow keys), within the list.
  void Step(int delta);

  void Paint(Painter& p) const override;
  bool TakesFocus() const override { return true; }
  void OnPress(int y) override;
  void OnKey(int vk) override;

 private:
  int VisibleLines() const;
  void ScrollIntoView();
  std::vector<std::string> items_;
  int list_index_ = -1;
  int top_index_ = 0;
};

// A straight line; coordinates relative to the container, like the other lengths.
class Line : public Control {
 public:
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Color border_color = kBlack;
  int border_width = 1;  // pixels
  bool ReceivesMouse() const override { return false; }
  void Paint(Painter& p) const override;
};

// A rectangle drawn as an outline only.
class Shape : public Control {
 public:
  Color border_color = kBlack;
  int border_width = 1;  // pixels
  bool ReceivesMouse() const override { return false; }
  void Paint(Painter& p) const override;
};

}  // namespace ui
