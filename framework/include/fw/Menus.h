#pragma once
// Pop-up menus and their entries. Shortcut keys of a form's pop-up menus
// work without the menu being open: the message loop asks the form.
#include <windows.h>

#include <string>
#include <vector>

#include "fw/Api.h"
#include "fw/Component.h"

namespace fw {

class TImageList;

// A virtual key with the modifier bits below in the high byte.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
// The shortcut that a key press with the current modifier state makes.
FW_API TShortCut ShortCutFromKey(WORD key);

class FW_API TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TMenuItem"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut) { shortCut_ = shortCut; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v) { imageIndex_ = v; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(index); }
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  TMenuItem* Parent() const { return parent_; }

  TNotifyEvent OnClick;
  virtual void Click();
  void SetParentComponent(TComponent* parent) override;

  // The entry (this or below) that answers the shortcut, or none.
  TMenuItem* FindShortCut(TShortCut shortCut);

 protected:
  void BeforeDestruction() override;

 private:
  std::string caption_;
  TShortCut shortCut_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  int imageIndex_ = -1;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
};

class FW_API TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  const char* ClassName() const override { return "TPopupMenu"; }

  TMenuItem& Items() { return *items_; }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

  // Shows the menu at screen coordinates and runs the chosen entry.
  void Popup(int x, int y, HWND owner);
  // Runs the entry with this shortcut; true when there was one.
  bool IsShortCut(TShortCut shortCut);

  void Notification(TComponent* component, TOperation operation) override;

 private:
  TMenuItem* items_;
  TImageList* images_ = nullptr;
};

}  // namespace fw
