#include "ui/controls.h"

#include <algorithm>

#include "platform/display.h"
#include "platform/geometry.h"
#include "platform/input.h"

namespace ui {

void Label::SetCaption(std::string text) {
  if (text == caption_) return;
  caption_ = std::move(text);
  Invalidate();
}

void Label::SetForeColor(Color c) {
  if (c == fore_) return;
  fore_ = c;
  Invalidate();
}

int Label::TextWidthPixels() const { return platform::MeasureText(caption_, font.ToPlatform()); }

void Label::FitCaption() {
  // One spare pixel keeps the last glyph's overhang inside the clip.
  const int needed = PixelsToTwipsX(TextWidthPixels() + 1);
  if (needed <= Width()) return;
  switch (alignment) {
    case platform::TextAlign::Right:
      Move(Left() + Width() - needed, Top(), needed, Height());
      break;
    case platform::TextAlign::Center:
      Move(std::max(0, Left() - (needed - Width()) / 2), Top(), needed, Height());
      break;
    case platform::TextAlign::Left:
      SetWidth(needed);
      break;
  }
}

void Label::Paint(Painter& p) const {
  const platform::Rect r = p.ToPixels(Left(), Top(), Width(), Height());
  // A font wider than the one the layout was made for (a stand-in where Arial is missing) draws
  // a little smaller rather than cut the caption short.
  platform::Font f = font.ToPlatform();
  for (int w = platform::MeasureText(caption_, f); w > r.width && f.pixel_height > 6;
       w = platform::MeasureText(caption_, f))
    f.pixel_height = std::max(6, std::min(f.pixel_height - 1, f.pixel_height * r.width / w));
  p.Target().PushClip(r);
  p.Target().DrawString(r, caption_, f, fore_, alignment);
  p.Target().PopClip();
}

void Image::Paint(Painter& p) const {
  const platform::Rect r = p.ToPixels(Left(), Top(), Width(), Height());
  const platform::Picture* pic = drawn ? &drawn() : picture;
  if (!pic) return;
  p.Target().PushClip(r);
  p.Target().DrawPicture(r.left, r.top, *pic);
  p.Target().PopClip();
}

void Frame::Paint(Painter& p) const {
  p.Enter(Left(), Top(), Width(), Height());
  p.Target().FillRect(p.ToPixels(0, 0, Width(), Height()), back_color);
  PaintChildren(p);
  p.Leave();
}

void ListBox::Add(std::string text) {
  items_.push_back(std::move(text));
  Invalidate();
}

void ListBox::Remove(int i) {
  if (i < 0 || i >= Count()) return;
  items_.erase(items_.begin() + i);
  if (list_index_ == i) {
    list_index_ = -1;
  } else if (list_index_ > i) {
    --list_index_;
  }
  top_index_ = std::clamp(top_index_, 0, std::max(0, Count() - VisibleLines()));
  Invalidate();
}

void ListBox::Clear() {
  items_.clear();
  list_index_ = -1;
  top_index_ = 0;
  Invalidate();
}

void ListBox::SetLines(std::vector<std::string> lines) {
  items_ = std::move(lines);
  if (list_index_ >= Count()) list_index_ = -1;
  top_index_ = std::clamp(top_index_, 0, std::max(0, Count() - VisibleLines()));
  Invalidate();
}

void ListBox::Select(int i) {
  if (i < -1 || i >= Count()) return;
  if (i == list_index_) return;
  list_index_ = i;
  ScrollIntoView();
  Invalidate();
  if (on_click) on_click();
}

int ListBox::LineHeight() const {
  // The font's em height plus a little leading, in whole pixels.
  const int px = font.ToPlatform().pixel_height;
  return PixelsToTwipsY(px + px / 4 + 1);
}

int ListBox::VisibleLines() const { return std::max(1, Height() / LineHeight()); }

int ListBox::LineAt(int y) const {
  if (y < 0) return -1;
  const int line = top_index_ + y / LineHeight();
  return line < Count() ? line : -1;
}

void ListBox::OnPress(int y) {
  const int line = LineAt(y);
  if (line >= 0) Select(line);
}

void ListBox::OnKey(int vk) {
  if (vk == platform::vk::kUp) Step(-1);
  if (vk == platform::vk::kDown) Step(1);
}

void ListBox::Step(int delta) {
  if (items_.empty()) return;
  const int from = list_index_ < 0 ? (delta > 0 ? -1 : Count()) : list_index_;
  Select(std::clamp(from + delta, 0, Count() - 1));
}

void ListBox::ScrollIntoView() {
  if (list_index_ < 0) return;
  if (list_index_ < top_index_) top_index_ = list_index_;
  if (list_index_ >= top_index_ + VisibleLines()) top_index_ = list_index_ - VisibleLines() + 1;
}

void ListBox::Paint(Painter& p) const {
  p.Enter(Left(), Top(), Width(), Height());
  p.Target().FillRect(p.ToPixels(0, 0, Width(), Height()), back_color);
  const int lh = LineHeight();
  for (int i = top_index_; i < Count() && (i - top_index_) * lh < Height(); ++i) {
    const platform::Rect row = p.ToPixels(0, (i - top_index_) * lh, Width(), lh);
    const bool selected = i == list_index_;
    if (selected) p.Target().FillRect(row, kDarkGrey);
    const platform::Rect text{row.left + 2, row.top + 1, row.width - 4, row.height - 1};
    p.Target().DrawString(text, items_[static_cast<size_t>(i)], font.ToPlatform(),
                          selected ? Rgb(255, 255, 255) : fore_color, platform::TextAlign::Left);
  }
  p.Leave();
}

void Line::Paint(Painter& p) const {
  p.Target().DrawLine(p.ToPixels(x1, y1), p.ToPixels(x2, y2), border_color, border_width);
}

void Shape::Paint(Painter& p) const {
  p.Target().DrawRectOutline(p.ToPixels(Left(), Top(), Width(), Height()), border_color,
                             border_width);
}

}  // namespace ui
