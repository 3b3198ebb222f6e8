#pragma once
// A control with a window. The window is made when it is first needed and
// may be made again (CreateWnd runs each time). Its class is named after the
// framework class, so the window tree reads like the component tree; classes
// that wrap a standard control superclass it and keep its behaviour.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "fw/Api.h"
#include "fw/Control.h"
#include "fw/Handle.h"

namespace fw {

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// Notifications that a parent hands back to the child they concern.
constexpr UINT CN_BASE = WM_APP + 0x3000;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_CTLCOLOR = CN_BASE + WM_CTLCOLOREDIT;

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // The standard class this one superclasses ("EDIT", "LISTBOX" ...), or
  // empty for a window class of our own.
  std::string BaseClass;
  UINT ClassStyle = CS_DBLCLKS;
  std::string WinClassName;
};

class FW_API TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  const char* ClassName() const override { return "TWinControl"; }

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  void RecreateWnd();

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(index); }

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  bool Focused() const;
  // The pointer moved over the window and has not left it since.
  bool PointerInside() const { return mouseInside_; }
  virtual void SetFocus();
  bool CanFocus() const;
  // Moves the focus from `current` to the next (or previous) control below
  // this one that is visible, enabled and a tab stop: by tab order, depth
  // first through containers, around at the ends.
  void SelectNext(TWinControl* current, bool forward);

  // False: a flat one-pixel border instead of the sunken edge, for edits
  // and lists. Children follow their parent's unless they set their own.
  bool Ctl3D() const;
  void SetCtl3D(bool v);
  bool ParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool v);

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  void SetVisible(bool visible) override;
  void SetText(const std::string& text) override;
  std::string Text() const override;
  void Invalidate() override;
  void ChangeScale(int multiplier, int divisor) override;
  void Loaded() override;

  // Aligned children fill their edges in this order: top, bottom, left,
  // right, client; anchored ones keep their distances.
  void AlignControls();
  // Redraws the part of this window that a child covers.
  void InvalidateRectOf(const TControl* child);
  // The control (graphic or windowed) at a client point, or none.
  TControl* ControlAtPos(POINT p, bool includeDisabled) const;

  // Every message of the window passes here. Overrides handle what they
  // know and pass the rest on to the base.
  virtual void WndProc(TMessage& message);
  // What the window class itself does with a message.
  void DefaultHandler(TMessage& message);

  // Attached window of a framework control, or none.
  static TWinControl* FromHandle(HWND window);

 protected:
  void BeforeDestruction() override;
  ~TWinControl() override;

  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Creates the child windows once this one exists.
  void CreateChildHandles();

  // Paints the window's background and its graphic children.
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc);
  void FontChanged() override;
  void ColorChanged() override;
  void EnabledChanged() override;

  // The border styles that Ctl3D asks for.
  void BorderParams(TCreateParams& params) const;
  // What the window class answers to WM_GETDLGCODE.
  UINT DialogCode();

  // Background brush for WM_CTLCOLOR* answers and our own painting.
  HBRUSH BackgroundBrush();
  // Key presses: the framework's handling of characters typed in the control.
  virtual void KeyPress(wchar_t& key);
  virtual void KeyDown(WORD& key);

 private:
  friend struct ControlLinks;
  friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void UpdateMouseControl(POINT p);
  void ListTabOrder(std::vector<TWinControl*>& out) const;
  bool TabKey(WORD key);
  void FocusGained();
  void RelayToHint(const TMessage& message);
  void HideHint();
  // One handler per message; true: handled, the window class does not see
  // the message. Dispatch picks the handler.
  bool Dispatch(TMessage& m);
  bool OwnClass() const;
  bool WmPaint();
  bool WmEraseBkgnd(TMessage& m);
  bool WmCommand(TMessage& m);
  bool WmItemNotice(TMessage& m);
  bool WmCtlColor(TMessage& m);
  bool WmWindowPosChanged(TMessage& m);
  bool WmSetCursor(TMessage& m);
  bool WmMouseMove(const TMessage& m);
  bool WmMouseLeave();
  bool WmLButtonDown(const TMessage& m);
  bool WmLButtonUp(const TMessage& m);
  bool WmContextMenu(const TMessage& m);
  POINT KeyboardMenuPoint() const;
  bool WmSetFocus(TMessage& m);
  bool WmChar(TMessage& m);
  bool WmKeyDown(TMessage& m);
  // The form that sees this control's keys first, if it asked to.
  TWinControl* KeyPreviewer();
  bool WmAccessiblePress(const TMessage& m);
  void DestroyHandle();
  void ApplyTabOrder();

  HWND handle_ = nullptr;
  WNDPROC defaultProc_ = nullptr;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  bool tabStop_ = false;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  // Tab orders read from a layout wait until all siblings exist.
  int requestedTabOrder_ = -1;
  TControl* mouseControl_ = nullptr;
  TGraphicControl* capturedControl_ = nullptr;
  bool trackingLeave_ = false;
  bool mouseInside_ = false;
  bool inAlign_ = false;
  GdiObject brush_;
  COLORREF brushColor_ = 0;
  // Shared with the window procedure so that it can tell whether a handler
  // freed the control while the message was being handled.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace fw
