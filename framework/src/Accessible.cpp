#include "Accessible.h"

#include <oleacc.h>
#include <wrl/client.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fw/Unicode.h"
#include "fw/WinControl.h"

namespace fw {
namespace {

using Microsoft::WRL::ComPtr;

// The children a screen reader sees that the system cannot: controls
// without a window that have a role, in the parent's order.
std::vector<TControl*> GraphicChildren(const TWinControl& control) {
  std::vector<TControl*> children;
  for (int i = 0; i < control.ControlCount(); ++i) {
    TControl* child = control.Controls(i);
    if (!dynamic_cast<TWinControl*>(child) && child->AccessibleRole() != 0)
      children.push_back(child);
  }
  return children;
}

HRESULT Text(const std::string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocString(Utf16(text).c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Number(long value, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

// Variants that are cleared when they go.
struct Variants {
  std::vector<VARIANT> items;
  Variants() = default;
  Variants(const Variants&) = delete;
  Variants& operator=(const Variants&) = delete;
  ~Variants() {
    for (VARIANT& v : items) VariantClear(&v);
  }
  void Add(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    items.push_back(v);
  }
};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The window's client area as the system's accessible object shows it,
// with what the framework knows added. It holds the window, not the control,
// and looks the control up at every call: a screen reader may keep the
// object after the window has gone, and the system's object then answers
// as it does for any window that has gone.
class ClientObject final : public IAccessible, public IOleWindow, public IEnumVARIANT {
 public:
  ClientObject(HWND window, ComPtr<IAccessible> system)
      : window_(window), system_(std::move(system)) {}
  ClientObject(const ClientObject&) = delete;
  ClientObject& operator=(const ClientObject&) = delete;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
      *out = static_cast<IAccessible*>(this);
    else if (iid == __uuidof(IOleWindow))
      *out = static_cast<IOleWindow*>(this);
    else if (iid == __uuidof(IEnumVARIANT))
      *out = static_cast<IEnumVARIANT*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&references_);
    // The object's owners are its references; the last one frees it.
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: screen readers call the interface itself.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    return E_NOTIMPL;
  }

  // IOleWindow: how a reader finds the window of an object.
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IEnumVARIANT: how a reader lists the children. Wine's object gives its
  // window children as objects only this way, so the list is the system's,
  // then the graphic children's ids.
  STDMETHODIMP Next(ULONG wanted, VARIANT* out, ULONG* fetched) override {
    if (!out) return E_POINTER;
    Variants children;
    ListChildren(children);
    ULONG n = 0;
    for (; n < wanted && position_ < children.items.size(); ++n, ++position_) {
      VariantInit(&out[n]);
      VariantCopy(&out[n], &children.items[position_]);
    }
    if (fetched) *fetched = n;
    return n == wanted ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    Variants children;
    ListChildren(children);
    const size_t size = children.items.size();
    position_ = std::min<size_t>(position_ + count, size);
    return position_ < size || count == 0 ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumVARIANT** out) override {
    if (!out) return E_POINTER;
    auto* copy = new ClientObject(window_, system_);
    copy->position_ = position_;
    *out = copy;
    return S_OK;
  }

  // IAccessible
  STDMETHODIMP get_accParent(IDispatch** parent) override { return system_->get_accParent(parent); }
  STDMETHODIMP get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    const HRESULT hr = system_->get_accChildCount(count);
    if (FAILED(hr)) return hr;
    if (TWinControl* control = Control())
      *count += static_cast<long>(GraphicChildren(*control).size());
    return S_OK;
  }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
    if (!Graphic(child)) return system_->get_accChild(child, object);
    if (!object) return E_POINTER;
    // A simple element: the reader asks this object about it by its id.
    *object = nullptr;
    return S_FALSE;
  }
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    if (TControl* graphic = Graphic(child)) return Text(graphic->AccessibleName(), name);
    if (TWinControl* control = Control(); control && IsSelf(child)) {
      const std::string own = control->AccessibleName();
      if (!own.empty()) return Text(own, name);
    }
    return system_->get_accName(child, name);
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    if (Graphic(child)) return None(value);
    return system_->get_accValue(child, value);
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override {
    if (Graphic(child)) return None(description);
    return system_->get_accDescription(child, description);
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    if (TControl* graphic = Graphic(child)) return Number(graphic->AccessibleRole(), role);
    if (TWinControl* control = Control(); control && IsSelf(child) && control->AccessibleRole())
      return Number(control->AccessibleRole(), role);
    return system_->get_accRole(child, role);
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    TControl* graphic = Graphic(child);
    if (!graphic) return system_->get_accState(child, state);
    long flags = 0;
    if (!graphic->Enabled()) flags |= STATE_SYSTEM_UNAVAILABLE;
    if (!graphic->Showing()) flags |= STATE_SYSTEM_INVISIBLE;
    if (graphic->AccessibleRole() == ROLE_SYSTEM_STATICTEXT) flags |= STATE_SYSTEM_READONLY;
    return Number(flags, state);
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override {
    if (Graphic(child)) return None(help);
    return system_->get_accHelp(child, help);
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    if (Graphic(child)) return DISP_E_MEMBERNOTFOUND;
    return system_->get_accHelpTopic(file, child, topic);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    if (Graphic(child)) return None(shortcut);
    return system_->get_accKeyboardShortcut(child, shortcut);
  }
  STDMETHODIMP get_accFocus(VARIANT* focus) override { return system_->get_accFocus(focus); }
  STDMETHODIMP get_accSelection(VARIANT* selection) override {
    return system_->get_accSelection(selection);
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
    TControl* graphic = Graphic(child);
    if (!graphic) return system_->get_accDefaultAction(child, action);
    if (graphic->AccessibleRole() != ROLE_SYSTEM_PUSHBUTTON) return None(action);
    return Text("Press", action);
  }
  STDMETHODIMP accSelect(long flags, VARIANT child) override {
    if (Graphic(child)) return DISP_E_MEMBERNOTFOUND;
    return system_->accSelect(flags, child);
  }
  STDMETHODIMP accLocation(long* left, long* top, long* width, long* height,
                           VARIANT child) override {
    TControl* graphic = Graphic(child);
    if (!graphic) return system_->accLocation(left, top, width, height, child);
    if (!left || !top || !width || !height) return E_POINTER;
    POINT corner{graphic->Left(), graphic->Top()};
    ClientToScreen(window_, &corner);
    *left = corner.x;
    *top = corner.y;
    *width = graphic->Width();
    *height = graphic->Height();
    return S_OK;
  }
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (Graphic(start)) return DISP_E_MEMBERNOTFOUND;
    return system_->accNavigate(direction, start, end);
  }
  STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override {
    if (TWinControl* control = Control()) {
      POINT p{x, y};
      ScreenToClient(window_, &p);
      RECT client;
      GetClientRect(window_, &client);
      TControl* under = PtInRect(&client, p) ? control->ControlAtPos(p, true) : nullptr;
      const std::vector<TControl*> graphics = GraphicChildren(*control);
      for (size_t i = 0; i < graphics.size(); ++i) {
        if (graphics[i] != under) continue;
        long count = 0;
        if (FAILED(system_->get_accChildCount(&count))) break;
        return Number(count + static_cast<long>(i) + 1, child);
      }
    }
    return system_->accHitTest(x, y, child);
  }
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    TControl* graphic = Graphic(child);
    if (!graphic) return system_->accDoDefaultAction(child);
    if (graphic->AccessibleRole() != ROLE_SYSTEM_PUSHBUTTON) return DISP_E_MEMBERNOTFOUND;
    // A disabled button cannot be pressed, by a reader no more than by the mouse.
    if (!graphic->Enabled()) return E_FAIL;
    if (!PostMessageW(window_, AccessiblePressMessage(), 0, reinterpret_cast<LPARAM>(graphic)))
      return HRESULT_FROM_WIN32(GetLastError());
    return S_OK;
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) override {
    if (Graphic(child)) return DISP_E_MEMBERNOTFOUND;
    return system_->put_accValue(child, value);
  }

 private:
  ~ClientObject() = default;

  TWinControl* Control() const { return TWinControl::FromHandle(window_); }

  // The graphic child a child id stands for. The system's children come
  // first, numbered by the system; the graphic ones follow.
  TControl* Graphic(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal <= 0) return nullptr;
    TWinControl* control = Control();
    long count = 0;
    if (!control || FAILED(system_->get_accChildCount(&count))) return nullptr;
    const std::vector<TControl*> graphics = GraphicChildren(*control);
    const long index = child.lVal - count - 1;
    if (index < 0 || index >= static_cast<long>(graphics.size())) return nullptr;
    return graphics[static_cast<size_t>(index)];
  }

  void ListChildren(Variants& children) const {
    long count = 0;
    if (FAILED(system_->get_accChildCount(&count))) return;
    ComPtr<IEnumVARIANT> systemChildren;
    if (SUCCEEDED(system_.As(&systemChildren)) && SUCCEEDED(systemChildren->Reset())) {
      children.items.resize(static_cast<size_t>(count));
      for (VARIANT& v : children.items) VariantInit(&v);
      ULONG got = 0;
      systemChildren->Next(static_cast<ULONG>(count), children.items.data(), &got);
      children.items.resize(got);
    } else {
      for (long id = 1; id <= count; ++id) children.Add(id);
    }
    if (TWinControl* control = Control()) {
      const size_t graphics = GraphicChildren(*control).size();
      for (size_t i = 0; i < graphics; ++i) children.Add(count + static_cast<long>(i) + 1);
    }
  }

  static HRESULT None(BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_FALSE;
  }

  LONG references_ = 1;
  size_t position_ = 0;
  const HWND window_;
  const ComPtr<IAccessible> system_;
};

// The window's thread is the host's. COM is joined there when a screen
// reader first asks, to hand the object over, and stays joined: the host
// may use it too, and nothing here knows when the thread ends. A thread
// that joined the other kind of apartment already serves as it is.
void JoinCom() {
  thread_local bool joined = false;
  if (joined) return;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  joined = true;
}

}  // namespace

bool AnswerAccessibleObject(TWinControl& control, TMessage& message) {
  if (static_cast<DWORD>(message.LParam) != static_cast<DWORD>(OBJID_CLIENT)) return false;
  if (control.AccessibleName().empty() && control.AccessibleRole() == 0 &&
      GraphicChildren(control).empty())
    return false;
  JoinCom();
  ComPtr<IAccessible> system;
  if (FAILED(CreateStdAccessibleObject(control.Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(system.GetAddressOf()))))
    return false;
  ComPtr<IAccessible> object;
  object.Attach(new ClientObject(control.Handle(), std::move(system)));
  message.Result = LresultFromObject(__uuidof(IAccessible), message.WParam, object.Get());
  return true;
}

UINT AccessiblePressMessage() {
  static const UINT message = RegisterWindowMessageW(L"fw.AccessiblePress");
  return message;
}

}  // namespace fw
