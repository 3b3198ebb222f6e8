#pragma once
// A top-level window built from its class's layout. Reading the layout
// scales the form from the layout's pixels per inch to the screen's; then
// OnCreate runs, and an exception there is reported without stopping the
// form from being made.
#include <windows.h>

#include <memory>
#include <string>

#include "fw/Api.h"
#include "fw/Handle.h"
#include "fw/WinControl.h"

namespace fw {

class HintTip;

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TComponent* sender, bool& canClose)>;

class FW_API TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  const char* ClassName() const override { return "TForm"; }

  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& caption) { SetText(caption); }

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  uint8_t BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(uint8_t icons);

  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  RECT ClientRect() const override;

  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi; }

  // The icon from a module's icon resource, found at once and loaded when
  // the window or Icon() first needs it: a layout that extends another
  // replaces the other's icon.
  void SetIcon(HINSTANCE module, const std::string& resourceName);
  HICON Icon() const;

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);

  // Makes the window visible (creating it when needed) and brings it to the front.
  void Show();
  void Hide();
  // Asks OnCloseQuery, then OnClose decides: hidden by default.
  void Close();
  void ScaleBy(int multiplier, int divisor);
  void Refresh();
  void BringToFront();

  // A key press that one of the form's pop-up menus answers as a shortcut.
  bool IsShortCut(WORD key);

  // The form's KeyDown and KeyPress see each key of its controls before the
  // control does, and may swallow it (set it to 0).
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool preview) { keyPreview_ = preview; }

  // The tooltip window that shows the hints, once one was needed.
  HWND HintWindow() const;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnDestroy;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  void SetVisible(bool visible) override;
  void WndProc(TMessage& message) override;
  void ChangeScale(int multiplier, int divisor) override;
  void Notification(TComponent* component, TOperation operation) override;

  // Reads the layout, scales to the screen, runs OnCreate. CreateForm calls it.
  void InitializeForm();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void BeforeDestruction() override;
  ~TForm() override;
  virtual void DoCreate();
  virtual void DoShow();

 private:
  // What the form's controls tell it, through FormPlumbing (framework/src).
  friend struct FormPlumbing;
  // A control of the form got the focus: it becomes the active control and
  // gets the focus back whenever the form is activated again.
  void ControlFocused(TWinControl* control);
  // The form's windows hand their mouse messages to the form's hints;
  // `target` is the control under the pointer.
  void RelayHint(TWinControl& window, TControl* target, const TMessage& message);
  void HideHint();
  void HintChanged(TControl* control);
  void ForgetHint(TControl* control);
  void ForgetHintWindow(HWND window);

  void FrameSize(int* dx, int* dy) const;
  TBorderStyle borderStyle_ = TBorderStyle::bsSizeable;
  uint8_t borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  int pixelsPerInch_ = 96;
  bool keyPreview_ = false;
  // Sends the icon to the window, which shows it but does not own it.
  void ShowIcon();
  // Client size to window size along one axis: the frame's share added.
  int FrameShare(bool horizontal) const;
  mutable IconHandle icon_;
  HINSTANCE iconModule_ = nullptr;
  std::wstring iconName_;
  TWinControl* activeControl_ = nullptr;
  std::unique_ptr<HintTip> hintTip_;
};

// The form that a control is placed on, directly or through containers.
FW_API TForm* GetParentForm(const TControl* control);

// Screen pixels per inch, as the display reports it.
FW_API int ScreenPixelsPerInch();

// Makes a form of class F and reads its layout. A form with an owner is
// freed by it; otherwise the caller frees it with fw::Free.
template <typename F>
F* CreateForm(TComponent* owner) {
  F* form = Make<F>(owner);
  try {
    form->InitializeForm();
  } catch (...) {
    Free(form);
    throw;
  }
  return form;
}

}  // namespace fw
