#pragma once
// The least a plain Win32 program must do to show the tip's window: one
// sizeable top-level window with the same child windows at the same places,
// filled with the same things (help texts, the machine's drives and their
// volume labels, the current directory's levels, subdirectories and *.mp3
// files, the 149 genre names, the icon), painted and destroyed. No framework, no
// layouts: CreateWindowEx, the system's controls and owner drawing, all
// through the wide functions, as a Unicode program does.
//
// Selecting a file opens it, reads its last 131 bytes and shows the tag in
// the six fields, for the selection benchmark.
#include <windows.h>

#include <array>
#include <string>

#include "fw/DeviceContext.h"
#include "fw/Handle.h"

class BareTipWindow {
 public:
  // Registers the window class (once per program, as any program does).
  static void RegisterClass();

  BareTipWindow(int left, int top, int width, int height);
  ~BareTipWindow() = default;
  BareTipWindow(const BareTipWindow&) = delete;
  BareTipWindow& operator=(const BareTipWindow&) = delete;

  HWND Handle() const { return window_.get(); }
  HWND FileList() const { return fileList_; }
  HWND TitleEdit() const { return edits_[0]; }
  HWND GenreCombo() const { return genre_; }

 private:
  static LRESULT CALLBACK WndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void LoadGlyphs();
  void CreateChildren();
  void FillDrives();
  void FillDirectories();
  void FillFiles();
  void Paint();
  void DrawItem(const DRAWITEMSTRUCT& item);
  void ShowSelectedTag();
  HWND Child(const wchar_t* windowClass, DWORD style, int left, int top, int width, int height,
             const wchar_t* text = L"", HFONT font = nullptr);

  // Glyphs, each with its transparent colour found once when loaded.
  enum Glyph {
    kFloppy,
    kHard,
    kNetwork,
    kCdrom,
    kRam,
    kOpenFolder,
    kClosedFolder,
    kCurrentFolder,
    kUnknownFile,
    kButtons,
    kPlay,
    kGlyphCount,
    // The file list shows its names without glyphs.
    kNoGlyph = kGlyphCount
  };
  struct Bitmap {
    fw::GdiObject handle;
    COLORREF transparent = 0;
    int width = 0, height = 0;
  };
  std::array<Bitmap, kGlyphCount> glyphs_;
  // One memory DC that every glyph is drawn from.
  fw::MemoryDc glyphDc_;
  fw::GdiObject font_, titleFont_, boldFont_, fieldBrush_;
  std::wstring directory_;
  // Before the window, which goes first and lets go of it.
  fw::IconHandle icon_;
  fw::WindowHandle window_;
  HWND fileList_ = nullptr, genre_ = nullptr;
  std::array<HWND, 5> edits_{};
};
