#pragma once
// A flat speed button whose picture comes from an image list and changes to
// a second, hot picture while the mouse is over it, with the hand cursor.
#include <cstdint>

#include "fw/SpeedButton.h"

namespace fw {
class TImageList;
}

class THotSpeedButton : public fw::TSpeedButton {
 public:
  explicit THotSpeedButton(fw::TComponent* owner);
  const char* ClassName() const override { return "THotSpeedButton"; }

  // Not owned: the button forgets the list when the list goes.
  fw::TImageList* GetImageList() const { return images_; }
  void SetImageList(fw::TImageList* images);
  int32_t ImageIndex() const { return imageIndex_; }
  // Shows the picture again even when the index is unchanged.
  void SetImageIndex(int32_t index);
  int32_t HotImageIndex() const { return hotImageIndex_; }
  // Used from the next time the mouse enters.
  void SetHotImageIndex(int32_t index);

  void MouseEnter() override;
  void MouseLeave() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 protected:
  void EnabledChanged() override;

 private:
  // The hot picture and the hand while the pointer is over an enabled button.
  void ShowState(bool hot);
  // Empties the glyph, then draws image `index` of the list into it.
  void ShowImage(int32_t index);

  fw::TImageList* images_ = nullptr;
  int32_t imageIndex_ = 0;
  int32_t hotImageIndex_ = 0;
};
