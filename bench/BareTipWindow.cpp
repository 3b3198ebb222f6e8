#include "BareTipWindow.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "GenreTable.h"
#include "ZekHelp.h"

namespace {

constexpr char kClassName[] = "BareTipWindow";
constexpr COLORREF kFieldColor = RGB(0xED, 0xF2, 0xFC);
constexpr COLORREF kBorderColor = RGB(0x8C, 0xAA, 0xE6);
constexpr int kFileListId = 100;

constexpr const char* kGlyphNames[] = {
    "FLOPPY",       "HARD",          "NETWORK",     "CDROM",       "RAM", "OPENFOLDER",
    "CLOSEDFOLDER", "CURRENTFOLDER", "UNKNOWNFILE", "TIPPBUTTONS", "PLAY"};

struct Label {
  int left, top;
  const char* text;
};
constexpr Label kLabels[] = {{10, 258, "Titel"}, {10, 278, "K\xFCnstler"}, {10, 298, "Album"},
                             {10, 318, "Jahr"},  {10, 338, "Kommentar"},   {10, 357, "Genre"}};

HFONT Tahoma(int height, bool bold) {
  return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                     "Tahoma");
}

// A record text: up to the first NUL, trailing blanks dropped.
std::string Field(const char* bytes, size_t width) {
  size_t n = 0;
  while (n < width && bytes[n]) ++n;
  while (n > 0 && bytes[n - 1] == ' ') --n;
  return std::string(bytes, n);
}

}  // namespace

void BareTipWindow::RegisterClass() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  RegisterClassExA(&wc);
}

BareTipWindow::BareTipWindow(int left, int top, int width, int height) {
  LoadGlyphs();
  font_.reset(Tahoma(-11, false));
  titleFont_.reset(Tahoma(-12, true));
  boldFont_.reset(Tahoma(-11, true));
  fieldBrush_.reset(CreateSolidBrush(kFieldColor));
  char current[MAX_PATH];
  directory_.assign(current, GetCurrentDirectoryA(MAX_PATH, current));
  window_.reset(
      CreateWindowExA(0, kClassName, "MP3 ID Tag",
                      WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                      left, top, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), this));
  CreateChildren();
  ShowWindow(window_.get(), SW_SHOWNORMAL);
  UpdateWindow(window_.get());
}

void BareTipWindow::LoadGlyphs() {
  HDC dc = CreateCompatibleDC(nullptr);
  for (int i = 0; i < kGlyphCount; ++i) {
    Bitmap& glyph = glyphs_[i];
    glyph.handle.reset(LoadBitmapA(GetModuleHandleA(nullptr), kGlyphNames[i]));
    BITMAP info{};
    GetObjectA(glyph.handle.get(), sizeof info, &info);
    glyph.width = info.bmWidth;
    glyph.height = info.bmHeight;
    HGDIOBJ old = SelectObject(dc, glyph.handle.get());
    glyph.transparent = GetPixel(dc, 0, glyph.height - 1);
    SelectObject(dc, old);
  }
  DeleteDC(dc);
}

HWND BareTipWindow::Child(const char* windowClass, DWORD style, int left, int top, int width,
                          int height, const char* text, HFONT font) {
  HWND child = CreateWindowExA(0, windowClass, text, WS_CHILD | style, left, top, width, height,
                               window_.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_.get()), FALSE);
  return child;
}

void BareTipWindow::CreateChildren() {
  using zekhelp::kTagEditorHelpId;
  Child("STATIC", WS_VISIBLE, 16, 8, 307, 33, "MP3 ID Tag", static_cast<HFONT>(titleFont_.get()));
  const DWORD memo = ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER;
  const char* english = GetHelpText(kTagEditorHelpId, zekhelp::kEnglishHelp);
  const char* german = GetHelpText(kTagEditorHelpId, zekhelp::kGermanHelp);
  Child("EDIT", memo, 16, 32, 311, 57, english ? english : "");
  Child("EDIT", memo | WS_VISIBLE, 16, 32, 311, 57, german ? german : "");

  const DWORD list = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                     LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  Child(
      "COMBOBOX",
      WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
      16, 116, 145, 200);
  FillDrives();
  HWND filter = Child("COMBOBOX", WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 168, 116, 159, 200);
  SendMessageA(filter, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("MP3 Files"));
  SendMessageA(filter, CB_SETCURSEL, 0, 0);
  Child("LISTBOX", list, 16, 144, 145, 73);
  FillDirectories();
  fileList_ = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | list | LBS_SORT, 168, 144, 159, 73,
                              window_.get(), reinterpret_cast<HMENU>(kFileListId),
                              GetModuleHandleA(nullptr), nullptr);
  SendMessageA(fileList_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  FillFiles();

  const DWORD edit = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
  for (int i = 0; i < 5; ++i) edits_[i] = Child("EDIT", edit, 80, 258 + 20 * i, 247, 19);
  genre_ =
      Child("COMBOBOX", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 80, 357, 247, 200);
  for (std::string_view name : tageditor::GenreNames())
    SendMessageA(genre_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(name).c_str()));
  Child("EDIT", ES_AUTOHSCROLL | WS_BORDER, 24, 232, 45, 19);
}

void BareTipWindow::FillDrives() {
  HWND box = FindWindowExA(window_.get(), nullptr, "COMBOBOX", nullptr);
  const DWORD mask = GetLogicalDrives();
  int selected = -1;
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    const char root[] = {static_cast<char>('a' + i), ':', '\\', '\0'};
    std::string text{root[0], ':'};
    Glyph glyph = kHard;
    switch (GetDriveTypeA(root)) {
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
      char name[MAX_PATH];
      DWORD size = sizeof name;
      const char local[] = {root[0], ':', '\0'};
      text += " ";
      if (WNetGetConnectionA(local, name, &size) == NO_ERROR) text += name;
    } else if (glyph != kFloppy) {
      char label[MAX_PATH] = "";
      GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0);
      text += " ";
      text += label;
    }
    const auto index = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(box, CB_SETITEMDATA, index, glyph);
    if ((root[0] & ~0x20) == (directory_[0] & ~0x20)) selected = static_cast<int>(index);
  }
  SendMessageA(box, CB_SETCURSEL, selected, 0);
}

void BareTipWindow::FillDirectories() {
  HWND box = FindWindowExA(window_.get(), nullptr, "LISTBOX", nullptr);
  // The levels of the current directory, then its subdirectories.
  size_t start = 0;
  int level = 0;
  for (size_t end = directory_.find('\\'); start < directory_.size();
       end = directory_.find('\\', start)) {
    if (end == std::string::npos) end = directory_.size();
    std::string name = directory_.substr(start, end - start + (level == 0 ? 1 : 0));
    const auto index = SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(box, LB_SETITEMDATA, index,
                 end == directory_.size() ? kCurrentFolder : kOpenFolder);
    start = end + 1;
    ++level;
  }
  const int current = level - 1;
  WIN32_FIND_DATAA data;
  std::vector<std::string> subdirectories;
  fw::FindHandle search(FindFirstFileA("*.*", &data));
  if (search) {
    do {
      const std::string name = data.cFileName;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
        subdirectories.push_back(name);
    } while (FindNextFileA(search.get(), &data));
  }
  std::sort(subdirectories.begin(), subdirectories.end());
  for (const std::string& name : subdirectories) {
    const auto index = SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(box, LB_SETITEMDATA, index, kClosedFolder);
  }
  SendMessageA(box, LB_SETCURSEL, current, 0);
}

void BareTipWindow::FillFiles() {
  WIN32_FIND_DATAA data;
  fw::FindHandle search(FindFirstFileA("*.mp3", &data));
  if (!search) return;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const auto index =
        SendMessageA(fileList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data.cFileName));
    SendMessageA(fileList_, LB_SETITEMDATA, index, kUnknownFile);
  } while (FindNextFileA(search.get(), &data));
}

LRESULT CALLBACK BareTipWindow::WndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<BareTipWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<BareTipWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self || !self->window_) return DefWindowProcA(window, msg, wp, lp);
  return self->OnMessage(msg, wp, lp);
}

LRESULT BareTipWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  HWND window = window_.get();
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = 16;
      return TRUE;
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
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, msg, wp, lp);
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
  DrawTextA(dc, directory_.c_str(), -1, &path, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOPREFIX);
  SelectObject(dc, font_.get());
  for (const Label& label : kLabels)
    TextOutA(dc, label.left, label.top, label.text, lstrlenA(label.text));
  SelectObject(dc, old);
  HDC source = CreateCompatibleDC(dc);
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
  DeleteDC(source);
  EndPaint(window_.get(), &ps);
}

void BareTipWindow::DrawItem(const DRAWITEMSTRUCT& item) {
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(item.hDC, &item.rcItem,
           selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : static_cast<HBRUSH>(fieldBrush_.get()));
  if (item.itemID == static_cast<UINT>(-1)) return;
  const Bitmap& glyph = glyphs_[std::min<ULONG_PTR>(item.itemData, kGlyphCount - 1)];
  HDC source = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(source, glyph.handle.get());
  const int top = (item.rcItem.top + item.rcItem.bottom - glyph.height) / 2;
  TransparentBlt(item.hDC, item.rcItem.left + 2, top, glyph.width, glyph.height, source, 0, 0,
                 glyph.width, glyph.height, glyph.transparent);
  SelectObject(source, old);
  DeleteDC(source);
  char text[MAX_PATH];
  const bool combo = item.CtlType == ODT_COMBOBOX;
  const auto length = SendMessageA(item.hwndItem, combo ? CB_GETLBTEXT : LB_GETTEXT, item.itemID,
                                   reinterpret_cast<LPARAM>(text));
  RECT rect = item.rcItem;
  rect.left += glyph.width + 6;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextA(item.hDC, text, static_cast<int>(std::max<LRESULT>(length, 0)), &rect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void BareTipWindow::ShowSelectedTag() {
  const auto index = SendMessageA(fileList_, LB_GETCURSEL, 0, 0);
  char name[MAX_PATH];
  if (index < 0 || SendMessageA(fileList_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name)) < 0)
    return;
  fw::KernelHandle file(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
  const std::string texts[] = {Field(tag + 3, 30), Field(tag + 33, 30), Field(tag + 63, 30),
                               Field(tag + 93, 4), Field(tag + 97, 30)};
  for (int i = 0; i < 5; ++i) SetWindowTextA(edits_[i], texts[i].c_str());
  const auto genre = static_cast<uint8_t>(tag[127]);
  SendMessageA(genre_, CB_SETCURSEL, genre < tageditor::kGenreCount ? genre : -1, 0);
}
