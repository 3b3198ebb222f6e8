#pragma once
// A caption without a window, drawn by its parent. "&" underlines the next
// character unless ShowAccelChar is off. With AutoSize the label takes the
// size of its text in its own font whenever caption or font change; its
// left and top edges stay.
#include <windows.h>

#include <string>

#include "fw/Api.h"
#include "fw/Control.h"
#include "fw/TextAlign.h"

namespace fw {

class FW_API TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  const char* ClassName() const override { return "TLabel"; }

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  // A transparent label leaves the parent's background under its text.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  // Breaks lines at word ends to fit the width; auto-sizing then keeps the
  // width and fits the height.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);
  // The control this label names: screen readers announce it by the
  // label's caption. Not owned; forgotten when it goes.
  TControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TControl* control);

  long AccessibleRole() const override;
  void Notification(TComponent* component, TOperation operation) override;

  void Paint(TCanvas& canvas) override;
  void Loaded() override;

 protected:
  void TextChanged() override;
  void FontChanged() override;

 private:
  UINT TextFlags() const;
  void AdjustBounds();

  bool autoSize_ = true;
  bool transparent_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  TControl* focusControl_ = nullptr;
};

}  // namespace fw
