// Files dropped from the shell arrive through OLE: unlike WM_DROPFILES, IDropTarget::Drop
// learns which effects the drag source offers.
#include "win32.h"

namespace platform::win32 {
namespace {

class DropTarget final : public IDropTarget {
 public:
  DropTarget(HWND hwnd, WindowListener* listener) : hwnd_(hwnd), listener_(listener) {}
  virtual ~DropTarget() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
      *out = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC fmt = FileListFormat();
    has_files_ = data && data->QueryGetData(&fmt) == S_OK;
    *effect = Accepts(*effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = Accepts(*effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    has_files_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL pt, DWORD* effect) override {
    DropEvent e;
    e.allowed_effects = *effect;
    POINT client{pt.x, pt.y};
    ScreenToClient(hwnd_, &client);
    e.x = client.x;
    e.y = client.y;
    FORMATETC fmt = FileListFormat();
    STGMEDIUM medium{};
    if (data && data->GetData(&fmt, &medium) == S_OK) {
      // DragQueryFileW takes the global handle itself and locks it on its own.
      const auto drop = static_cast<HDROP>(medium.hGlobal);
      const UINT count = drop ? DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) : 0;
      for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        const UINT n = DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size()));
        name.resize(n);
        e.files.push_back(Narrow(name));
      }
      ReleaseStgMedium(&medium);
    }
    *effect = e.files.empty() ? DROPEFFECT_NONE : Accepts(*effect);
    has_files_ = false;
    // The window may go away inside the handler; OLE holds its own reference to this object.
    if (IsWindow(hwnd_)) listener_->OnDrop(e);
    return S_OK;
  }

 private:
  static FORMATETC FileListFormat() {
    return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  }

  // The drop itself is judged by the program; the source only needs to see that files are welcome.
  DWORD Accepts(DWORD offered) const {
    if (!has_files_) return DROPEFFECT_NONE;
    if (offered & DROPEFFECT_COPY) return DROPEFFECT_COPY;
    if (offered & DROPEFFECT_LINK) return DROPEFFECT_LINK;
    return offered & DROPEFFECT_MOVE;
  }

  LONG refs_ = 1;
  HWND hwnd_;
  WindowListener* listener_;
  bool has_files_ = false;
};

}  // namespace

void RegisterDropTarget(HWND hwnd, WindowListener* listener) {
  auto* target = new DropTarget(hwnd, listener);
  RegisterDragDrop(hwnd, target);  // takes its own reference on success
  target->Release();
}

void RevokeDropTarget(HWND hwnd) { RevokeDragDrop(hwnd); }

}  // namespace platform::win32
