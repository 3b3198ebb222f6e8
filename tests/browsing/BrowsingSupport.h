#pragma once
// What the browsing tests share: a network share that the process can
// really enter, and item pictures drawn into memory so that glyph and text
// positions can be compared.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "fw/Bitmap.h"
#include "fw/Canvas.h"
#include "fw/DeviceContext.h"
#include "testsupport/ItemTexts.h"
#include "testsupport/Pump.h"

namespace browsing {

using testsupport::ItemTexts;
using testsupport::Pump;

// A share \\SERVER\SHARE made for one test. Wine resolves such a path to
// the directory dosdevices\unc\SERVER\SHARE of its prefix, so a directory
// made there is a share that the process can make current and search. Not
// available outside Wine: tests then skip. Everything made goes with it;
// if the current directory is on the share then, it moves off first.
class ScratchShare {
 public:
  ScratchShare();
  ~ScratchShare();
  ScratchShare(const ScratchShare&) = delete;
  ScratchShare& operator=(const ScratchShare&) = delete;

  bool Available() const { return !serverDir_.empty(); }
  // \\SERVER\SHARE, in upper case.
  const std::string& Root() const { return root_; }
  // Root() + "\" + relative, made with its parents.
  std::string MakeDir(std::string_view relative) const;

 private:
  std::string uncDir_;     // the prefix's dosdevices\unc
  std::string serverDir_;  // uncDir_\server
  std::string root_;
  bool madeUncDir_ = false;
};

// A white 32-bit picture that owner-draw code paints on, for comparing
// what a control drew with a picture of where things should be.
class Picture {
 public:
  Picture(int width, int height);

  HDC Dc() const { return dc_.get(); }
  RECT Rect() const { return {0, 0, width_, height_}; }
  // Columns that differ from the other picture's, left to right.
  std::vector<int> DifferingColumns(const Picture& other) const;
  bool Blank() const;

  // The expected picture of an item: the glyph (bottom-left pixel
  // transparent) at glyphX, vertically centred, and the text.
  void DrawGlyph(const fw::TBitmap& glyph, int glyphX);
  void DrawText(const fw::TFont& font, const std::string& text, int textX);
  void DrawTextFormatted(const fw::TFont& font, const std::string& text, int textX, UINT format);

 private:
  int width_, height_;
  const DWORD* bits_ = nullptr;  // set when the bitmap is made
  // Gone in reverse order: the bitmap is selected out before it is deleted,
  // and the DC goes last.
  fw::MemoryDc dc_;
  fw::GdiObject bitmap_;
  fw::SelectedObject selected_;
};

}  // namespace browsing
