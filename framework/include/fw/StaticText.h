#pragma once
// A caption over the standard static control: "&" is shown as it is, and
// the colours come from the parent's answer to WM_CTLCOLORSTATIC, which
// gives this control's Color and Font.Color.
#include <windows.h>

#include "fw/Api.h"
#include "fw/TextAlign.h"
#include "fw/WinControl.h"

namespace fw {

class FW_API TStaticText : public TWinControl {
 public:
  explicit TStaticText(TComponent* owner);
  const char* ClassName() const override { return "TStaticText"; }

  // Width and height follow the caption in the control's font.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void TextChanged() override;
  void FontChanged() override;

 private:
  void AdjustBounds();

  bool autoSize_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

}  // namespace fw
