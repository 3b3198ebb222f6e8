#pragma once
// Everything placed on a form: position, anchors and alignment, visibility,
// enabled state, hint, cursor, colour and font. Graphic controls have no
// window of their own; their parent paints them and routes the mouse.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "fw/Api.h"
#include "fw/Component.h"
#include "fw/Font.h"
#include "fw/Graphics.h"

namespace fw {

class TWinControl;
class TCanvas;
class TPopupMenu;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint8_t;

class FW_API TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  const char* ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect() const { return {0, 0, width_, height_}; }

  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  // Visible itself and all its parents up to a visible top-level window.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  const std::string& Hint() const { return hint_; }
  // A hint on show changes with its text.
  void SetHint(const std::string& hint);
  bool ShowHint() const;
  void SetShowHint(bool show) { showHint_ = show, parentShowHint_ = false; }
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v) { parentShowHint_ = v; }

  TCursor Cursor() const { return cursor_; }
  // Takes effect at once when the pointer rests on the control.
  virtual void SetCursor(TCursor cursor);

  TColor Color() const { return color_; }
  virtual void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);

  // The caption of labels, buttons and forms; the text of edits.
  virtual std::string Text() const { return text_; }
  virtual void SetText(const std::string& text);

  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);

  // What screen readers call the control: the name given, else the caption
  // of a label whose FocusControl it is; one without a window goes by its
  // caption, else by its hint.
  std::string AccessibleName() const;
  void SetAccessibleName(const std::string& name) { accessibleName_ = name; }
  // The role screen readers announce (ROLE_SYSTEM_*), or 0: the system's for
  // a window, and a control without a window is not shown to them at all.
  virtual long AccessibleRole() const { return 0; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

  virtual void Click();
  virtual void DblClick();
  // The mouse entered or left the control's area.
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}

  // Scales position, size and font by multiplier / divisor.
  virtual void ChangeScale(int multiplier, int divisor);

  virtual void Invalidate();
  void Repaint();
  // Graphic controls draw themselves here; the canvas is the parent's.
  virtual void Paint(TCanvas& canvas);

  // Where the layout's anchors hold the control, relative to its parent.
  void UpdateAnchorRules();
  // Keeps the anchored distances after the parent changed its client size.
  void AnchorTo(int parentWidth, int parentHeight);

  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;
  void SetParentComponent(TComponent* parent) override;

 protected:
  void BeforeDestruction() override;
  // The font changed, by itself or through the parent.
  virtual void FontChanged();
  virtual void ColorChanged() { Invalidate(); }
  virtual void EnabledChanged() { Invalidate(); }
  virtual void TextChanged() { Invalidate(); }
  virtual void BoundsChanged() {}
  void ParentFontChanged();
  void ParentColorChanged();
  void RequestAlign();

  // What a control with a window keeps in step with its window.
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  TFont font_;
  std::string text_;

 private:
  // Parents link their children and place aligned ones (ControlLinks.h).
  friend struct ControlLinks;
  void RefreshCursor();
  TWinControl* parent_ = nullptr;
  TAnchors anchors_ = akLeft | akTop;
  TAlign align_ = TAlign::alNone;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TCursor cursor_ = crDefault;
  bool parentColor_ = false;
  bool parentFont_ = true;
  TPopupMenu* popupMenu_ = nullptr;
  std::string accessibleName_;
  // Distances kept by the anchors: right and bottom gaps to the parent.
  int anchorRight_ = 0, anchorBottom_ = 0;
  bool anchorRulesSet_ = false;
  bool anchorMoving_ = false;
};

// A control without a window: labels and speed buttons.
class FW_API TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
  const char* ClassName() const override { return "TGraphicControl"; }
  // Mouse presses routed by the parent.
  virtual void MouseDown(int x, int y);
  virtual void MouseUp(int x, int y);
  bool MouseInControl() const { return mouseInside_; }
  void SetMouseInControl(bool inside) { mouseInside_ = inside; }

 protected:
  bool pressed_ = false;

 private:
  bool mouseInside_ = false;
};

}  // namespace fw
