// File drops: the target side of XDND (version 5), text/uri-list only.
#include <unistd.h>

#include "platform/x11/uri_list.h"
#include "platform/x11/x11.h"

namespace platform::x11 {
namespace {

std::uint32_t EffectOf(Atom action) {
  const Atoms& a = GetAtoms();
  if (action == a.xdnd_action_copy) return kDropCopy;
  if (action == a.xdnd_action_move) return kDropMove;
  if (action == a.xdnd_action_link) return kDropLink;
  return 0;
}

std::vector<Atom> AtomList(Window w, Atom property) {
  std::vector<Atom> atoms;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(Dpy(), w, property, 0, 256, False, XA_ATOM, &type, &format, &count, &after,
                         &data) == Success &&
      data != nullptr && format == 32) {
    auto* values = reinterpret_cast<unsigned long*>(data);
    atoms.assign(values, values + count);
  }
  if (data != nullptr) XFree(data);
  return atoms;
}

void SendToSource(const WindowState& ws, Atom type, long l1, long l2, long l3, long l4) {
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = ws.dnd.source;
  ev.xclient.message_type = type;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = static_cast<long>(ws.xid);
  ev.xclient.data.l[1] = l1;
  ev.xclient.data.l[2] = l2;
  ev.xclient.data.l[3] = l3;
  ev.xclient.data.l[4] = l4;
  XSendEvent(Dpy(), ws.dnd.source, False, NoEventMask, &ev);
  XFlush(Dpy());
}

bool Accepting(const WindowState& ws) {
  return ws.accept_drops && ws.dnd.has_uri_list && ws.input_blocked == 0;
}

void Finish(WindowState& ws, bool accepted) {
  SendToSource(ws, GetAtoms().xdnd_finished, accepted ? 1 : 0,
               accepted ? static_cast<long>(GetAtoms().xdnd_action_copy) : 0, 0, 0);
  ws.dnd = DndState{};
}

std::string HostName() {
  char name[256] = {};
  return gethostname(name, sizeof name - 1) == 0 ? name : "";
}

}  // namespace

void HandleDndMessage(WindowState& ws, const XClientMessageEvent& msg) {
  const Atoms& a = GetAtoms();
  Window source = static_cast<Window>(msg.data.l[0]);
  if (msg.message_type == a.xdnd_enter) {
    ws.dnd = DndState{};
    ws.dnd.source = source;
    std::vector<Atom> types;
    if (msg.data.l[1] & 1)
      types = AtomList(source, a.xdnd_type_list);
    else
      types = {static_cast<Atom>(msg.data.l[2]), static_cast<Atom>(msg.data.l[3]),
               static_cast<Atom>(msg.data.l[4])};
    for (Atom t : types) ws.dnd.has_uri_list |= t == a.text_uri_list;
    return;
  }
  if (source == 0 || source != ws.dnd.source) return;
  if (msg.message_type == a.xdnd_position) {
    ws.dnd.root_x = static_cast<int>((msg.data.l[2] >> 16) & 0xFFFF);
    ws.dnd.root_y = static_cast<int>(msg.data.l[2] & 0xFFFF);
    // What the source offers: its action list when it has one, and the action it asks for.
    std::uint32_t effects = EffectOf(static_cast<Atom>(msg.data.l[4]));
    for (Atom action : AtomList(source, a.xdnd_action_list)) effects |= EffectOf(action);
    ws.dnd.effects = effects;
    bool accept = Accepting(ws);
    SendToSource(ws, a.xdnd_status, accept ? 1 : 0, 0, 0,
                 accept ? static_cast<long>(a.xdnd_action_copy) : 0);
  } else if (msg.message_type == a.xdnd_leave) {
    ws.dnd = DndState{};
  } else if (msg.message_type == a.xdnd_drop) {
    if (!Accepting(ws)) {
      Finish(ws, false);
      return;
    }
    ws.dnd.time = static_cast<Time>(msg.data.l[2]);
    XConvertSelection(Dpy(), a.xdnd_selection, a.text_uri_list, a.tapwright_dnd, ws.xid,
                      ws.dnd.time ? ws.dnd.time : CurrentTime);
    XFlush(Dpy());
  }
}

void HandleDndSelection(WindowState& ws, const XSelectionEvent& ev) {
  const Atoms& a = GetAtoms();
  if (ev.selection != a.xdnd_selection || ws.dnd.source == 0) return;
  std::string list;
  if (ev.property != None) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    // One byte over the cap: a list that long is refused, not cut.
    if (XGetWindowProperty(Dpy(), ws.xid, ev.property, 0, kMaxUriListBytes / 4 + 1, True,
                           AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
        data != nullptr && format == 8 && after == 0)
      list.assign(reinterpret_cast<char*>(data), count);
    if (data != nullptr) XFree(data);
  }
  DropEvent drop;
  drop.files = FilePathsFromUriList(list, HostName());
  drop.allowed_effects = ws.dnd.effects;
  drop.x = ws.dnd.root_x - ws.bounds.left;
  drop.y = ws.dnd.root_y - ws.bounds.top;
  bool accepted = !drop.files.empty();
  Finish(ws, accepted);
  if (accepted && ws.listener) ws.listener->OnDrop(drop);
}

}  // namespace platform::x11
