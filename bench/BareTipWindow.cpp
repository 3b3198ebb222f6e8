#include "BareTipWindow.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <vector>

#include "BareFileList.h"
#include "GenreTable.h"
#include "ZekHelp.h"

namespace {

constexpr wchar_t kClassName[] = L"BareTipWindow";
constexpr COLORREF kFieldColor = RGB(0xED, 0xF2, 0xFC);
constexpr COLORREF kBorderColor = RGB(0x8C, 0xAA, 0xE6);
constexpr int kFileListId = 100;

// The help texts and the tag's record are Windows-1252 text.
constexpr UINT kWindows1252 = 1252;

constexpr const wchar_t* kGlyphNames[] = {
    L"FLOPPY",       L"HARD",          L"NETWORK",     L"CDROM",       L"RAM", L"OPENFOLDER",
    L"CLOSEDFOLDER", L"CURRENTFOLDER", L"UNKNOWNFILE", L"TIPPBUTTONS", L"PLAY"};

struct Label {
  int left, top;
  const wchar_t* text;
};
constexpr Label kLabels[] = {{10, 258, L"Titel"}, {10, 278, L"K\u00FCnstler"}, {10, 298, L"Album"},
                             {10, 318, L"Jahr"},  {10, 338, L"Kommentar"},     {10, 357, L"Genre"}};

HFONT Tahoma(int height, bool bold) {
  return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                     L"Tahoma");
}

std::wstring Windows1252(std::string_view text) {
  const int length = static_cast<int>(text.size());
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<size_t>(
      MultiByteToWideChar(kWindows1252, 0, text.data(), length, wide.data(), length)));
  return wide;
}

// A record text: up to the first NUL, trailing blanks dropped.
std::wstring Field(const char* bytes, size_t width) {
  size_t n = 0;
  while (n < width && bytes[n]) ++n;
  while (n > 0 && bytes[n - 1] == ' ') --n;
  return Windows1252(std::string_view(bytes, n));
}

std::wstring CurrentDirectory() {
  std::wstring path(GetCurrentDirectoryW(0, nullptr), L'\0');
  path.resize(GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
  return path;
}

}  // namespace

void BareTipWindow::RegisterClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  // IDC_ARROW, which gives the ANSI form where UNICODE is not defined.
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
}

BareTipWindow::BareTipWindow(int left, int top, int width, int height) {
  LoadGlyphs();
  font_.reset(Tahoma(-11, false));
  titleFont_.reset(Tahoma(-12, true));
  boldFont_.reset(Tahoma(-11, true));
  fieldBrush_.reset(CreateSolidBrush(kFieldColor));
  directory_ = CurrentDirectory();
  window_.reset(
      CreateWindowExW(0, kClassName, L"MP3 ID Tag",
                      WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                      left, top, width, height, nullptr, nullptr, GetModuleHandleW(nullptr), this));
  // The caption shows the tip's icon.
  icon_.reset(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"OMBRIK63ICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
  SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
  SendMessageW(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
  CreateChildren();
  ShowWindow(window_.get(), SW_SHOWNORMAL);
  UpdateWindow(window_.get());
}

void BareTipWindow::LoadGlyphs() {
  glyphDc_ = fw::MakeMemoryDc();
  HDC dc = glyphDc_.get();
  for (int i = 0; i < kGlyphCount; ++i) {
    Bitmap& glyph = glyphs_[i];
    glyph.handle.reset(LoadBitmapW(GetModuleHandleW(nullptr), kGlyphNames[i]));
    BITMAP info{};
    GetObjectW(glyph.handle.get(), sizeof info, &info);
    glyph.width = info.bmWidth;
    glyph.height = info.bmHeight;
    HGDIOBJ old = SelectObject(dc, glyph.handle.get());
    glyph.transparent = GetPixel(dc, 0, glyph.height - 1);
    SelectObject(dc, old);
  }
}

HWND BareTipWindow::Child(const wchar_t* windowClass, DWORD style, int left, int top, int width,
                          int height, const wchar_t* text, HFONT font) {
  HWND child = CreateWindowExW(0, windowClass, text, WS_CHILD | style, left, top, width, height,
                               window_.get(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_.get()), FALSE);
  return child;
}

void BareTipWindow::CreateChildren() {
  using zekhelp::kTagEditorHelpId;
  Child(L"STATIC", WS_VISIBLE, 16, 8, 307, 33, L"MP3 ID Tag", static_cast<HFONT>(titleFont_.get()));
  const DWORD memo = ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER;
  const char* english = GetHelpText(kTagEditorHelpId, zekhelp::kEnglishHelp);
  const char* german = GetHelpText(kTagEditorHelpId, zekhelp::kGermanHelp);
  Child(L"EDIT", memo, 16, 32, 311, 57, Windows1252(english ? english : "").c_str());
  Child(L"EDIT", memo | WS_VISIBLE, 16, 32, 311, 57, Windows1252(german ? german : "").c_str());

  const DWORD list = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                     LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  Child(
      L"COMBOBOX",
      WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
      16, 116, 145, 200);
  FillDrives();
  HWND filter = Child(L"COMBOBOX", WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 168, 116, 159, 200);
  SendMessageW(filter, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"MP3 Files"));
  SendMessageW(filter, CB_SETCURSEL, 0, 0);
  Child(L"LISTBOX", list, 16, 144, 145, 73);
  FillDirectories();
  fileList_ = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | list | LBS_SORT, 168, 144, 159, 73,
                              window_.get(), reinterpret_cast<HMENU>(kFileListId),
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(fileList_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  FillFiles();

  const DWORD edit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
  for (int i = 0; i < 5; ++i) edits_[i] = Child(L"EDIT", edit, 80, 258 + 20 * i, 247, 19);
  genre_ = Child(L"COMBOBOX", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 80, 357, 247,
                 200);
  for (std::string_view name : tageditor::GenreNames())
    SendMessageW(genre_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Windows1252(name).c_str()));
  Child(L"EDIT", ES_AUTOHSCROLL | WS_BORDER, 24, 232, 45, 19);
}

void BareTipWindow::FillDrives() {
  HWND box = FindWindowExW(window_.get(), nullptr, L"COMBOBOX", nullptr);
  const DWORD mask = GetLogicalDrives();
  int selected = -1;
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    const wchar_t root[] = {static_cast<wchar_t>(L'a' + i), L':', L'\\', L'\0'};
    std::wstring text{root[0], L':'};
    Glyph glyph = kHard;
    switch (GetDriveTypeW(root)) {
      case DRIVE_REMOVABLE:
        glyph = kFloppy;
        break;
      case DRIVE_FIXED:
        glyph = kHard;
        break;
      case DRIVE_REMOTE:
        glyph = kNetwork;
        break;
      case DRIVE_CDROM:
        glyph = kCdrom;
        break;
      case DRIVE_RAMDISK:
        glyph = kRam;
        break;
      default:
        continue;
    }
    if (glyph == kNetwork) {
      wchar_t name[MAX_PATH];
      DWORD size = std::size(name);
      const wchar_t local[] = {root[0], L':', L'\0'};
      text += L" ";
      if (WNetGetConnectionW(local, name, &size) == NO_ERROR) text += name;
    } else if (glyph != kFloppy) {
      wchar_t label[MAX_PATH + 1] = L"";
      GetVolumeInformationW(root, label, std::size(label), nullptr, nullptr, nullptr, nullptr, 0);
      text += L" ";
      text += label;
    }
    const auto index = SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(box, CB_SETITEMDATA, index, glyph);
    if ((root[0] & ~0x20) == (directory_[0] & ~0x20)) selected = static_cast<int>(index);
  }
  SendMessageW(box, CB_SETCURSEL, selected, 0);
}

void BareTipWindow::FillDirectories() {
  HWND box = FindWindowExW(window_.get(), nullptr, L"LISTBOX", nullptr);
  // The levels of the current directory, then its subdirectories.
  size_t start = 0;
  int level = 0;
  for (size_t end = directory_.find(L'\\'); start < directory_.size();
       end = directory_.find(L'\\', start)) {
    if (end == std::wstring::npos) end = directory_.size();
    std::wstring name = directory_.substr(start, end - start + (level == 0 ? 1 : 0));
    const auto index = SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(box, LB_SETITEMDATA, index,
                 end == directory_.size() ? kCurrentFolder : kOpenFolder);
    start = end + 1;
    ++level;
  }
  const int current = level - 1;
  // Hidden and system entries stay out, as in the tip's lists.
  constexpr DWORD kLeftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  WIN32_FIND_DATAW data;
  std::vector<std::wstring> subdirectories;
  fw::FindHandle search(FindFirstFileW(L"*.*", &data));
  if (search) {
    do {
      const std::wstring name = data.cFileName;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
          !(data.dwFileAttributes & kLeftOut) && name != L"." && name != L"..")
        subdirectories.push_back(name);
    } while (FindNextFileW(search.get(), &data));
  }
  std::sort(subdirectories.begin(), subdirectories.end());
  for (const std::wstring& name : subdirectories) {
    const auto index = SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(box, LB_SETITEMDATA, index, kClosedFolder);
  }
  SendMessageW(box, LB_SETCURSEL, current, 0);
}

void BareTipWindow::FillFiles() { FillFileList(fileList_, L"*.mp3", kNoGlyph); }

LRESULT CALLBACK BareTipWindow::WndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<BareTipWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<BareTipWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || !self->window_) return DefWindowProcW(window, msg, wp, lp);
  return self->OnMessage(msg, wp, lp);
}

LRESULT BareTipWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  HWND window = window_.get();
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MEASUREITEM: {
      // The heights the tip's layout gives.
      auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      measure.itemHeight = measure.CtlID == kFileListId ? 13 : 16;
      return TRUE;
    }
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      SetBkColor(reinterpret_cast<HDC>(wp), kFieldColor);
      return reinterpret_cast<LRESULT>(fieldBrush_.get());
    case WM_COMMAND:
      if (LOWORD(wp) == kFileListId && HIWORD(wp) == LBN_SELCHANGE) ShowSelectedTag();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, msg, wp, lp);
}

void BareTipWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_.get(), &ps);
  RECT client;
  GetClientRect(window_.get(), &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HBRUSH border = CreateSolidBrush(kBorderColor);
  const RECT bands[] = {{0, 0, 5, client.bottom},
                        {client.right - 5, 0, client.right, client.bottom},
                        {0, 0, client.right, 5},
                        {0, client.bottom - 5, client.right, client.bottom}};
  for (const RECT& band : bands) FillRect(dc, &band, border);
  DeleteObject(border);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, boldFont_.get());
  RECT path{16, 101, 337, 114};
  DrawTextW(dc, directory_.c_str(), -1, &path, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOPREFIX);
  SelectObject(dc, font_.get());
  for (const Label& label : kLabels)
    TextOutW(dc, label.left, label.top, label.text, lstrlenW(label.text));
  SelectObject(dc, old);
  HDC source = glyphDc_.get();
  const Bitmap& buttons = glyphs_[kButtons];
  old = SelectObject(source, buttons.handle.get());
  const int buttonLefts[] = {16, 56, 250, 288};
  for (int i = 0; i < 4; ++i)
    TransparentBlt(dc, buttonLefts[i], 381, 32, 32, source, 64 * i, 0, 32, 32, buttons.transparent);
  const Bitmap& play = glyphs_[kPlay];
  SelectObject(source, play.handle.get());
  const int half = play.width / 2;
  TransparentBlt(dc, 70 + (257 - half) / 2, 232 + (22 - play.height) / 2, half, play.height, source,
                 0, 0, half, play.height, play.transparent);
  SelectObject(source, old);
  EndPaint(window_.get(), &ps);
}

void BareTipWindow::DrawItem(const DRAWITEMSTRUCT& item) {
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(item.hDC, &item.rcItem,
           selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : static_cast<HBRUSH>(fieldBrush_.get()));
  if (item.itemID == static_cast<UINT>(-1)) return;
  RECT rect = item.rcItem;
  rect.left += 2;
  if (item.itemData < kGlyphCount) {
    const Bitmap& glyph = glyphs_[item.itemData];
    HDC source = glyphDc_.get();
    HGDIOBJ old = SelectObject(source, glyph.handle.get());
    const int top = (item.rcItem.top + item.rcItem.bottom - glyph.height) / 2;
    TransparentBlt(item.hDC, rect.left, top, glyph.width, glyph.height, source, 0, 0, glyph.width,
                   glyph.height, glyph.transparent);
    SelectObject(source, old);
    rect.left += glyph.width + 4;
  }
  wchar_t text[MAX_PATH];
  const bool combo = item.CtlType == ODT_COMBOBOX;
  const auto length = SendMessageW(item.hwndItem, combo ? CB_GETLBTEXT : LB_GETTEXT, item.itemID,
                                   reinterpret_cast<LPARAM>(text));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextW(item.hDC, text, static_cast<int>(std::max<LRESULT>(length, 0)), &rect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void BareTipWindow::ShowSelectedTag() {
  const auto index = SendMessageW(fileList_, LB_GETCURSEL, 0, 0);
  wchar_t name[MAX_PATH];
  if (index < 0 || SendMessageW(fileList_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name)) < 0)
    return;
  // The hourglass while the file is read, as the tip shows it (IDC_WAIT).
  struct Hourglass {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));
    ~Hourglass() { SetCursor(previous); }
  } hourglass;
  fw::KernelHandle file(CreateFileW(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  char tail[131];
  DWORD read = 0;
  LARGE_INTEGER back;
  back.QuadPart = -static_cast<LONGLONG>(sizeof tail);
  if (!SetFilePointerEx(file.get(), back, nullptr, FILE_END) ||
      !ReadFile(file.get(), tail, sizeof tail, &read, nullptr) || read != sizeof tail)
    return;
  const char* tag = tail + 3;
  if (tag[0] != 'T' || tag[1] != 'A' || tag[2] != 'G') return;
  const std::wstring texts[] = {Field(tag + 3, 30), Field(tag + 33, 30), Field(tag + 63, 30),
                                Field(tag + 93, 4), Field(tag + 97, 30)};
  for (int i = 0; i < 5; ++i) {
    // A text that shows already is left alone: setting it repaints the edit.
    wchar_t shown[64];
    const int length = GetWindowTextW(edits_[i], shown, std::size(shown));
    if (texts[i] != std::wstring_view(shown, static_cast<size_t>(length)))
      SetWindowTextW(edits_[i], texts[i].c_str());
  }
  const auto genre = static_cast<uint8_t>(tag[127]);
  SendMessageW(genre_, CB_SETCURSEL, genre < tageditor::kGenreCount ? genre : -1, 0);
}
