#include "HotSpeedButton.h"

#include "fw/ImageList.h"
#include "fw/Layout.h"

THotSpeedButton::THotSpeedButton(fw::TComponent* owner) : TSpeedButton(owner) {
  ShowImage(imageIndex_);
  SetFlat(true);
  SetWidth(36);
  SetHeight(36);
}

void THotSpeedButton::SetImageList(fw::TImageList* images) {
  if (images_ && images_ != images) RemoveFreeNotification(images_);
  images_ = images;
  if (images_) FreeNotification(images_);
  ShowImage(imageIndex_);
}

void THotSpeedButton::SetImageIndex(int32_t index) {
  imageIndex_ = index;
  ShowImage(imageIndex_);
}

void THotSpeedButton::SetHotImageIndex(int32_t index) { hotImageIndex_ = index; }

void THotSpeedButton::ShowImage(int32_t index) {
  // Nothing of the previous picture may survive, and without a list the
  // glyph stays empty.
  SetGlyph(nullptr);
  if (!images_) return;
  images_->GetBitmap(index, GetGlyph());
  SetGlyph(&GetGlyph());
}

void THotSpeedButton::ShowState(bool hot) {
  // Greyed, the hot picture would turn into a blank disc: a disabled
  // button keeps its normal picture under the pointer, and no hand.
  hot = hot && Enabled();
  ShowImage(hot ? hotImageIndex_ : imageIndex_);
  SetCursor(hot ? fw::crHandPoint : fw::crDefault);
}

void THotSpeedButton::MouseEnter() {
  ShowState(true);
  TSpeedButton::MouseEnter();
}

void THotSpeedButton::MouseLeave() {
  ShowState(false);
  TSpeedButton::MouseLeave();
}

void THotSpeedButton::EnabledChanged() {
  // OK turns itself off under the pointer that clicked it.
  ShowState(MouseInControl());
  TSpeedButton::EnabledChanged();
}

void THotSpeedButton::Notification(fw::TComponent* component, fw::TOperation operation) {
  TSpeedButton::Notification(component, operation);
  if (operation == fw::TOperation::opRemove && images_ &&
      component == static_cast<fw::TComponent*>(images_))
    SetImageList(nullptr);
}

namespace {

const fw::ClassRegistration hotSpeedButtonClass(
    "THotSpeedButton", "TSpeedButton",
    [](fw::TComponent* owner) { return fw::Make<THotSpeedButton>(owner); },
    {
        {"Images", fw::LinkSetter("an image list", &THotSpeedButton::SetImageList)},
        {"ImageIndex", fw::Setter(&THotSpeedButton::SetImageIndex)},
        {"HotImageIndex", fw::Setter(&THotSpeedButton::SetHotImageIndex)},
    });

}  // namespace
