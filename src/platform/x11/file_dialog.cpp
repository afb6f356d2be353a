// The open and save dialogs: an own-drawn modal window in the program's dark look, for desktops
// without a chooser of their own. It takes its window's raw events before the listener, because
// typing needs the full key event (shift, keyboard layout, input method) and the wheel.
//
// In this file: the words and the start folder; the dialog's state and navigation; its keys
// (input method, editing, list); its mouse (buttons, list, scrollbar, moving); its painting; and
// RunDialog, which tries the desktop's chooser first.
#include <cstdlib>
#include <filesystem>

#include "platform/process.h"
#include "platform/x11/file_dialog_logic.h"
#include "platform/x11/locale_name.h"
#include "platform/x11/x11.h"

namespace platform::x11 {
namespace {

namespace fd = file_dialog;

constexpr int kWidth = 420;
constexpr int kHeight = 300;
constexpr int kRow = 16;
constexpr int kRows = 9;
constexpr int kScrollbarWidth = 8;
constexpr Rect kHeader{0, 0, kWidth, 28};
constexpr Rect kClose{kWidth - 26, 4, 20, 20};
constexpr Rect kList{12, 56, kWidth - 24, kRows* kRow + 6};
constexpr Rect kField{92, 230, kWidth - 104, 22};
constexpr Rect kOk{kWidth - 184, 264, 80, 22};
constexpr Rect kCancel{kWidth - 92, 264, 80, 22};

Font TextFont() { return Font{"Arial", 12, true}; }
Font TitleFont() { return Font{"Arial", 14, true}; }

}  // namespace

Words LocalWords() {
  if (EnglishLanguageName(MessagesLocale(std::getenv)) == "Spanish")
    return {"Nombre:",
            "Aceptar",
            "Cancelar",
            "No existe la carpeta",
            " ya existe. Aceptar lo reemplaza.",
            " ya existe. \xC2\xBFReemplazarlo?"};
  return {"File name:",
          "OK",
          "Cancel",
          "The folder does not exist",
          " already exists. OK replaces it.",
          " already exists. Replace it?"};
}

namespace {

std::string CurrentFolder() {
  std::error_code ec;
  std::string cwd = std::filesystem::current_path(ec).string();
  return ec || cwd.empty() ? "/" : cwd;
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

}  // namespace

std::string StartFolder(const FileRequest& request) {
  return !request.start_folder.empty() && IsFolder(request.start_folder)
             ? platform::AbsolutePath(request.start_folder)
             : CurrentFolder();
}

namespace {

class FileDialog : public WindowListener {
 public:
  explicit FileDialog(const FileRequest& request)
      : request_(request),
        save_(request.save),
        words_(LocalWords()),
        patterns_(fd::SplitPatterns(request.filter_pattern)) {
    if (!patterns_.empty()) description_ = request.filter_name;
    folder_ = StartFolder(request);
    Open(folder_);
  }

  // Runs the dialog; true with the chosen path in `result`.
  bool Run(std::string& result) {
    Display* d = Dpy();
    WindowDesc desc;
    desc.title = !request_.title.empty() ? request_.title : (save_ ? "Save" : "Open");
    const Rect screen = PrimaryMonitor();
    desc.bounds = {screen.left + (screen.width - kWidth) / 2,
                   screen.top + (screen.height - kHeight) / 2, kWidth, kHeight};
    desc.background = kBlack;
    handle_ = CreateFormWindow(desc, this);
    auto ws = FindWindow(handle_);
    if (!ws) return false;
    xid_ = ws->xid;
    Atom dialog = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(d, xid_, GetAtoms().net_wm_window_type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&dialog), 1);
    SetTopmost(handle_, true);
    OpenInputContext();
    ws->raw_events = [this](XEvent& ev) { return OnRawEvent(ev); };
    RunModal(handle_, request_.owner);
    Finish(false);  // in case the window went another way
    result = result_;
    return accepted_;
  }

  void OnPaint(Canvas& c) override;
  void OnMouse(const MouseEvent& e) override;
  void OnCloseRequest() override { Finish(false); }

 private:
  void Changed() { InvalidateWindow(handle_); }

  // Ends the dialog; its modal loop ends with the window.
  void Finish(bool accepted) {
    if (done_) return;
    done_ = true;
    accepted_ = accepted;
    if (ic_ != nullptr) XDestroyIC(ic_);
    if (im_ != nullptr) XCloseIM(im_);
    ic_ = nullptr;
    im_ = nullptr;
    DestroyWindow(handle_);
  }

  void Open(const std::string& folder) {
    // "/a/./b/../c/" shows as "/a/c", and ".." goes where the user sees it go.
    folder_ = std::filesystem::path(folder).lexically_normal().string();
    while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
    if (folder_.empty()) folder_ = "/";
    missing_folder_ = false;
    replacing_.clear();
    entries_ = fd::ReadFolder(folder_, patterns_);
    selected_ = -1;
    top_ = 0;
    Changed();
  }

  void Select(int index) {
    if (entries_.empty()) return;
    index = std::clamp(index, 0, static_cast<int>(entries_.size()) - 1);
    if (index != selected_) replacing_.clear();
    selected_ = index;
    top_ = fd::ScrollToShow(selected_, top_, kRows, static_cast<int>(entries_.size()));
    if (!entries_[selected_].folder) name_.Set(entries_[selected_].name);
    Changed();
  }

  void Activate(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    const fd::Entry& e = entries_[index];
    if (!e.folder) {
      name_.Set(e.name);
      Accept();
    } else {
      Open(e.name == ".." ? fd::ParentFolder(folder_) : fd::JoinPath(folder_, e.name));
    }
  }

  // OK: a selected folder opens; a typed folder opens; otherwise the name is the choice.
  void Accept() {
    if (selected_ >= 0 && entries_[selected_].folder) {
      Activate(selected_);
      return;
    }
    std::string typed = fd::Trim(name_.Text());
    if (typed.empty()) return;
    std::string path = fd::JoinPath(folder_, typed);
    if (IsFolder(path)) {
      Open(path);
      name_.Set("");
      return;
    }
    // A file in a folder that is not there could be neither written nor read.
    if (!IsFolder(fd::ParentFolder(path))) {
      missing_folder_ = true;
      Changed();
      return;
    }
    if (save_) path = fd::WithDefaultExtension(path, request_.default_extension);
    // A file there is replaced only on a second word.
    std::error_code ec;
    if (save_ && path != replacing_ && std::filesystem::exists(path, ec)) {
      replacing_ = path;
      Changed();
      return;
    }
    result_ = path;
    Finish(true);
  }

  void Typed() {
    missing_folder_ = false;
    replacing_.clear();
    selected_ = -1;  // the text is what OK takes now
    Changed();
  }

  int RowAt(int x, int y) const {
    if (!kList.Contains(x, y) || x >= kList.left + kList.width - kScrollbarWidth - 2) return -1;
    int row = top_ + (y - kList.top - 3) / kRow;
    return y >= kList.top + 3 && row < static_cast<int>(entries_.size()) ? row : -1;
  }

  bool Scrollable() const { return static_cast<int>(entries_.size()) > kRows; }

  void ScrollTo(int y) {
    int count = static_cast<int>(entries_.size());
    int track = kList.height - 6;
    top_ = fd::ScrollToShow(-1, (y - kList.top - 3) * count / std::max(1, track) - kRows / 2, kRows,
                            count);
    Changed();
  }

  void TakeFocus() {
    XSetInputFocus(Dpy(), xid_, RevertToPointerRoot, CurrentTime);
    XFlush(Dpy());
  }

  void Wheel(int rows) {
    top_ = fd::ScrollToShow(-1, top_ + rows, kRows, static_cast<int>(entries_.size()));
    Changed();
  }

  bool OnRawEvent(XEvent& ev);
  void OpenInputContext();
  void HandleKey(KeySym sym, unsigned state, const std::string& text);
  void DrawButton(Canvas& c, const Rect& r, const char* text, bool primary, bool hover);
  void DrawList(Canvas& c);
  void DrawField(Canvas& c);

  const FileRequest& request_;
  const bool save_;
  const Words words_;
  const std::vector<std::string> patterns_;
  std::string description_;
  std::string folder_;
  std::vector<fd::Entry> entries_;
  int selected_ = -1;
  int top_ = 0;
  fd::LineEdit name_;
  int field_scroll_ = 0;
  WindowHandle handle_ = 0;
  Window xid_ = 0;
  XIM im_ = nullptr;
  XIC ic_ = nullptr;
  bool done_ = false;
  bool accepted_ = false;
  bool missing_folder_ = false;
  std::string replacing_;  // a save's choice that is there: OK again replaces it
  std::string result_;
  // Mouse state: what a press started, and what the pointer is over.
  enum class Drag { Idle, Move, Scrollbar } drag_ = Drag::Idle;
  Point drag_cursor_{};
  Rect drag_bounds_{};
  int hover_ = 0;  // 1 OK, 2 Cancel, 3 close
};

void FileDialog::OpenInputContext() {
  Display* d = Dpy();
  // An input method named in XMODIFIERS that is not running: the built-in one still composes.
  for (const char* modifiers : {"", "@im=none"}) {
    if (XSetLocaleModifiers(modifiers) == nullptr) continue;
    im_ = XOpenIM(d, nullptr, nullptr, nullptr);
    if (im_ != nullptr) break;
  }
  if (im_ == nullptr) return DebugLog("no input method: typing falls back to key symbols");
  ic_ = XCreateIC(im_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, xid_,
                  XNFocusWindow, xid_, nullptr);
  if (ic_ != nullptr) XSetICFocus(ic_);
}

bool FileDialog::OnRawEvent(XEvent& ev) {
  if (ev.type == MapNotify) {
    TakeFocus();  // without a window manager nobody else gives the dialog the keyboard
    return false;
  }
  if (ev.type == ButtonPress && (ev.xbutton.button == Button4 || ev.xbutton.button == Button5)) {
    if (kList.Contains(ev.xbutton.x, ev.xbutton.y)) Wheel(ev.xbutton.button == Button4 ? -3 : 3);
    return true;
  }
  if (ev.type != KeyPress) return false;
  if (XFilterEvent(&ev, None)) return true;  // a dead key or a compose sequence goes on
  char text[64];
  KeySym sym = NoSymbol;
  std::string typed;
  if (ic_ != nullptr) {
    Status status = 0;
    int n = Xutf8LookupString(ic_, &ev.xkey, text, sizeof text - 1, &sym, &status);
    if (status == XLookupChars || status == XLookupBoth) typed.assign(text, std::max(0, n));
    if (status != XLookupKeySym && status != XLookupBoth) sym = NoSymbol;
  } else {
    XLookupString(&ev.xkey, text, sizeof text, &sym, nullptr);
    if (std::uint32_t cp = fd::KeysymToCodepoint(static_cast<std::uint32_t>(sym)))
      typed = fd::Utf8(cp);
  }
  HandleKey(sym, ev.xkey.state, typed);
  return true;
}

void FileDialog::HandleKey(KeySym sym, unsigned state, const std::string& text) {
  int count = static_cast<int>(entries_.size());
  switch (sym) {
    case XK_Return:
    case XK_KP_Enter:
      Accept();
      break;
    case XK_Escape:
      Finish(false);
      break;
    case XK_Up:
    case XK_KP_Up:
      Select(selected_ < 0 ? count - 1 : selected_ - 1);
      break;
    case XK_Down:
    case XK_KP_Down:
      Select(selected_ + 1);
      break;
    case XK_Prior:
      Select(selected_ < 0 ? 0 : selected_ - (kRows - 1));
      break;
    case XK_Next:
      Select(selected_ + (kRows - 1));
      break;
    case XK_BackSpace:
      name_.Backspace();
      Typed();
      break;
    case XK_Delete:
    case XK_KP_Delete:
      name_.Delete();
      Typed();
      break;
    case XK_Left:
    case XK_KP_Left:
      name_.Left();
      Changed();
      break;
    case XK_Right:
    case XK_KP_Right:
      name_.Right();
      Changed();
      break;
    case XK_Home:
    case XK_KP_Home:
      name_.Home();
      Changed();
      break;
    case XK_End:
    case XK_KP_End:
      name_.End();
      Changed();
      break;
    default:
      if (state & (ControlMask | Mod1Mask)) break;
      if (!text.empty() && fd::Printable(text)) {
        name_.Insert(text);
        Typed();
      }
      break;
  }
}

void FileDialog::OnMouse(const MouseEvent& e) {
  if (e.kind == MouseEvent::Kind::Move) {
    int hover = kOk.Contains(e.x, e.y)       ? 1
                : kCancel.Contains(e.x, e.y) ? 2
                : kClose.Contains(e.x, e.y)  ? 3
                                             : 0;
    if (hover != hover_) {
      hover_ = hover;
      Changed();
    }
    if (!(e.buttons & 1)) drag_ = Drag::Idle;
    if (drag_ == Drag::Scrollbar) ScrollTo(e.y);
    Point p;
    if (drag_ == Drag::Move && CursorPosition(p))
      SetWindowBounds(handle_, {drag_bounds_.left + p.x - drag_cursor_.x,
                                drag_bounds_.top + p.y - drag_cursor_.y, kWidth, kHeight});
    return;
  }
  if (e.button != MouseButton::Left) return;
  if (e.kind == MouseEvent::Kind::Up) {
    drag_ = Drag::Idle;
    if (kOk.Contains(e.x, e.y)) Accept();
    if (kCancel.Contains(e.x, e.y) || kClose.Contains(e.x, e.y)) Finish(false);
    return;
  }
  // Down or the second press of a double click. A click also takes the keyboard back.
  TakeFocus();
  if (kHeader.Contains(e.x, e.y) && !kClose.Contains(e.x, e.y) && CursorPosition(drag_cursor_)) {
    drag_ = Drag::Move;
    drag_bounds_ = GetWindowBounds(handle_);
    return;
  }
  if (Scrollable() && kList.Contains(e.x, e.y) &&
      e.x >= kList.left + kList.width - kScrollbarWidth - 2) {
    drag_ = Drag::Scrollbar;
    ScrollTo(e.y);
    return;
  }
  int row = RowAt(e.x, e.y);
  if (row < 0) return;
  if (e.kind == MouseEvent::Kind::DoubleClick && row == selected_)
    Activate(row);
  else
    Select(row);
}

void FileDialog::DrawButton(Canvas& c, const Rect& r, const char* text, bool primary, bool hover) {
  Color color = hover || primary ? kLightBlue : kGrey;
  c.DrawRectOutline(r, hover ? kLightBlue : primary ? kLightBlue : kDarkGrey, 1);
  c.DrawString({r.left, r.top + 4, r.width, r.height - 4}, text, TextFont(), color,
               TextAlign::Center);
}

void FileDialog::DrawList(Canvas& c) {
  c.DrawRectOutline(kList, kDarkGrey, 1);
  int count = static_cast<int>(entries_.size());
  int text_right = kList.left + kList.width - (Scrollable() ? kScrollbarWidth + 4 : 3);
  for (int i = 0; i < kRows && top_ + i < count; ++i) {
    const fd::Entry& e = entries_[top_ + i];
    bool selected = top_ + i == selected_;
    Rect row{kList.left + 3, kList.top + 3 + i * kRow, text_right - kList.left - 3, kRow};
    if (selected) c.FillRect(row, kLightBlue);
    Color ink = selected ? kBlack : e.folder ? kLightBlue : kGrey;
    if (e.folder) {  // a small folder: tab and body
      c.FillRect({row.left + 3, row.top + 4, 5, 2}, ink);
      c.DrawRectOutline({row.left + 3, row.top + 5, 11, 8}, ink, 1);
    } else {  // a page with a folded corner
      c.DrawRectOutline({row.left + 5, row.top + 3, 8, 11}, ink, 1);
      c.FillRect({row.left + 10, row.top + 3, 3, 3}, ink);
    }
    c.DrawString({row.left + 20, row.top + 2, row.width - 22, kRow - 2}, e.name, TextFont(), ink,
                 TextAlign::Left);
  }
  if (Scrollable()) {
    Rect track{kList.left + kList.width - kScrollbarWidth - 2, kList.top + 3, kScrollbarWidth,
               kList.height - 6};
    c.FillRect(track, Rgb(24, 24, 24));
    int thumb = std::max(12, track.height * kRows / count);
    int y = track.top + (track.height - thumb) * top_ / std::max(1, count - kRows);
    c.FillRect({track.left + 1, y, track.width - 2, thumb}, kDarkGrey);
  }
}

void FileDialog::DrawField(Canvas& c) {
  Font font = TextFont();
  c.DrawString({12, kField.top + 4, kField.left - 16, 18}, words_.name, font, kGrey,
               TextAlign::Left);
  c.DrawRectOutline(kField, kLightBlue, 1);
  Rect inner{kField.left + 4, kField.top + 4, kField.width - 8, kField.height - 6};
  // Scroll the text sideways so that the caret stays inside.
  int caret_x = MeasureText(std::string_view(name_.Text()).substr(0, name_.Caret()), font);
  if (caret_x - field_scroll_ > inner.width - 2) field_scroll_ = caret_x - inner.width + 2;
  if (caret_x < field_scroll_) field_scroll_ = caret_x;
  if (MeasureText(name_.Text(), font) <= inner.width - 2) field_scroll_ = 0;
  c.PushClip(inner);
  c.DrawString({inner.left - field_scroll_, inner.top, inner.width + field_scroll_, inner.height},
               name_.Text(), font, kLightBlue, TextAlign::Left);
  int x = inner.left + caret_x - field_scroll_;
  c.FillRect({x, inner.top - 1, 1, 15}, kLightBlue);
  c.PopClip();
}

void FileDialog::OnPaint(Canvas& c) {
  c.DrawRectOutline({0, 0, kWidth, kHeight}, kDarkGrey, 1);
  c.DrawString({12, 7, kClose.left - 16, 18}, request_.title, TitleFont(), kGrey, TextAlign::Left);
  Color close = hover_ == 3 ? kLightBlue : kGrey;
  c.DrawLine({kClose.left + 5, kClose.top + 5}, {kClose.left + 15, kClose.top + 15}, close, 2);
  c.DrawLine({kClose.left + 15, kClose.top + 5}, {kClose.left + 5, kClose.top + 15}, close, 2);
  c.DrawLine({10, kHeader.height}, {kWidth - 10, kHeader.height}, kDarkGrey, 1);
  Font font = TextFont();
  std::string path = fd::ElideLeft(folder_, kList.width,
                                   [&font](const std::string& s) { return MeasureText(s, font); });
  c.DrawString({kList.left, 36, kList.width, 16}, path, font, kLightBlue, TextAlign::Left);
  DrawList(c);
  const bool warn = missing_folder_ || !replacing_.empty();
  const std::string notice = missing_folder_      ? words_.no_folder
                             : replacing_.empty() ? description_
                                                  : fd::NamePart(replacing_) + words_.replaces;
  c.DrawString({kList.left, kList.top + kList.height + 6, kList.width, 16}, notice, font,
               warn ? kLightRed : kDarkGrey, TextAlign::Left);
  DrawField(c);
  DrawButton(c, kOk, words_.ok, true, hover_ == 1);
  DrawButton(c, kCancel, words_.cancel, false, hover_ == 2);
}

}  // namespace
}  // namespace platform::x11

namespace platform {

std::optional<std::string> ChooseFile(const FileRequest& request) {
  std::string path;
  if (std::optional<std::string> chosen = x11::RunDesktopChooser(request)) {
    if (chosen->empty()) return std::nullopt;
    path = *chosen;
  } else {
    // Neither chooser is installed: the own dialog serves.
    x11::FileDialog dialog(request);
    if (!dialog.Run(path)) return std::nullopt;
  }
  return x11::fd::Answer(path, request);
}

}  // namespace platform
