#pragma once
// A button without a window, drawn and fed with the mouse by its parent.
//
// The glyph is a bitmap the button owns, holding NumGlyphs images side by
// side: normal, disabled, pressed, down. Its bottom-left pixel gives the
// transparent colour. Without a disabled image a disabled button shows a
// greyed shadow of the normal one. Subclasses may draw straight into the
// glyph (GetGlyph) and then call GlyphChanged; the button reads the glyph
// afresh every time it paints.
//
// A flat button shows its frame only while the mouse is over it or it is
// held down; elsewhere the parent's background shows through. MouseEnter
// and MouseLeave are the hooks for subclasses: override, do your own work,
// then call these so that the button repaints.
#include <windows.h>

#include <string>

#include "fw/Api.h"
#include "fw/Bitmap.h"
#include "fw/Control.h"

namespace fw {

class FW_API TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  const char* ClassName() const override { return "TSpeedButton"; }

  bool Flat() const { return flat_; }
  void SetFlat(bool flat);

  TBitmap& GetGlyph() { return glyph_; }
  // Copies the picture into the glyph, or empties the glyph for none. A
  // picture that is a whole number (up to 4) of squares wide sets NumGlyphs.
  void SetGlyph(TBitmap* glyph);
  // The glyph from a bitmap resource of a module; NumGlyphs as SetGlyph.
  void LoadGlyph(HINSTANCE module, const std::string& resourceName);
  // Tells the button that its glyph was drawn into.
  void GlyphChanged() { Invalidate(); }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int count);

  // Held down by the mouse with the pointer inside.
  bool Pressed() const { return pressed_ && !pressedOutside_; }

  // Raises OnClick; a disabled button never clicks.
  void Click() override;
  long AccessibleRole() const override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(int x, int y) override;
  void MouseUp(int x, int y) override;
  void Paint(TCanvas& canvas) override;

 protected:
  void EnabledChanged() override;

 private:
  void GlyphLoaded();
  void DrawGlyph(TCanvas& canvas, int x, int y, int width);
  void DrawCaption(TCanvas& canvas, RECT r);

  bool flat_ = false;
  TBitmap glyph_;
  int numGlyphs_ = 1;
  // The mouse went out while the button was held.
  bool pressedOutside_ = false;
};

}  // namespace fw
