#pragma once
// A container window of its own class that paints itself: its colour, an
// outer bevel, a border of BorderWidth pixels, an inner bevel, the caption
// centred, then its graphic children.
#include <windows.h>

#include "fw/Api.h"
#include "fw/WinControl.h"

namespace fw {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class FW_API TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner);
  const char* ClassName() const override { return "TPanel"; }

  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut cut);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut cut);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);

 protected:
  void PaintWindow(HDC dc) override;

 private:
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;
  TBevelCut bevelInner_ = TBevelCut::bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
};

}  // namespace fw
