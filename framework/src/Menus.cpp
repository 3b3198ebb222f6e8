#include "fw/Menus.h"

#include <algorithm>

#include "fw/Handle.h"
#include "fw/ImageList.h"
#include "fw/Unicode.h"

namespace fw {

TShortCut ShortCutFromKey(WORD key) {
  TShortCut s = key & 0xFF;
  if (GetKeyState(VK_SHIFT) < 0) s |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= scCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= scAlt;
  return s;
}

void TMenuItem::Add(TMenuItem* item) {
  if (!item || item->parent_ == this) return;
  if (item->parent_) item->parent_->Remove(item);
  items_.push_back(item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  std::erase(items_, item);
  if (item) item->parent_ = nullptr;
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TPopupMenu*>(parent))
    menu->Items().Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(parent))
    item->Add(this);
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
  if (shortCut_ && shortCut_ == shortCut && enabled_ && visible_) return this;
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
  return nullptr;
}

void TMenuItem::BeforeDestruction() {
  if (parent_) parent_->Remove(this);
  for (TMenuItem* item : std::vector<TMenuItem*>(items_)) item->parent_ = nullptr;
  items_.clear();
  TComponent::BeforeDestruction();
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(Make<TMenuItem>(this)) {}

void TPopupMenu::SetImages(TImageList* images) {
  if (images_ == images) return;
  if (images_) RemoveFreeNotification(static_cast<TComponent*>(images_));
  images_ = images;
  if (images_) FreeNotification(static_cast<TComponent*>(images_));
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == static_cast<TComponent*>(images_))
    images_ = nullptr;
  TComponent::Notification(component, operation);
}

namespace {
struct MenuTraits {
  static HMENU invalid() { return nullptr; }
  static void close(HMENU h) { DestroyMenu(h); }
};

void Fill(HMENU menu, TMenuItem& parent, std::vector<TMenuItem*>& byId) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Visible()) continue;
    UINT flags = MF_STRING | (item->Enabled() ? 0 : MF_GRAYED);
    std::string text = item->Caption();
    if (text == "-") {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    if (item->ShortCut() >= VK_F1 && item->ShortCut() <= VK_F24)
      text += "\tF" + std::to_string(item->ShortCut() - VK_F1 + 1);
    if (item->Count()) {
      HMENU sub = CreatePopupMenu();
      Fill(sub, *item, byId);
      AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), Utf16(text).c_str());
    } else {
      byId.push_back(item);
      AppendMenuW(menu, flags, byId.size(), Utf16(text).c_str());
    }
  }
}
}  // namespace

void TPopupMenu::Popup(int x, int y, HWND owner) {
  UniqueHandle<HMENU, MenuTraits> menu(CreatePopupMenu());
  std::vector<TMenuItem*> byId;
  Fill(menu.get(), *items_, byId);
  UINT chosen =
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
  if (chosen >= 1 && chosen <= byId.size()) byId[chosen - 1]->Click();
}

bool TPopupMenu::IsShortCut(TShortCut shortCut) {
  if (TMenuItem* item = items_->FindShortCut(shortCut)) {
    item->Click();
    return true;
  }
  return false;
}

}  // namespace fw

#include "fw/Layout.h"

namespace fw {
namespace {

const ClassRegistration menuItemClass("TMenuItem", "",
                                      [](TComponent* owner) { return Make<TMenuItem>(owner); },
                                      {
                                          {"Caption", Setter(&TMenuItem::SetCaption)},
                                          {"ShortCut", Setter(&TMenuItem::SetShortCut)},
                                          {"Enabled", Setter(&TMenuItem::SetEnabled)},
                                          {"Visible", Setter(&TMenuItem::SetVisible)},
                                          {"ImageIndex", Setter(&TMenuItem::SetImageIndex)},
                                          {"OnClick", EventSetter(&TMenuItem::OnClick)},
                                      });

const ClassRegistration popupMenuClass("TPopupMenu", "",
                                       [](TComponent* owner) { return Make<TPopupMenu>(owner); },
                                       {
                                           {"Images",
                                            LinkSetter("an image list", &TPopupMenu::SetImages)},
                                       });

}  // namespace
}  // namespace fw
