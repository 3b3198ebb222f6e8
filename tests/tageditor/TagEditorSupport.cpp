#include "TagEditorSupport.h"

#include <gtest/gtest.h>

namespace tageditortest {

std::string Audio(int frames) {
  std::string frame(417, '\0');
  frame[0] = '\xFF';
  frame[1] = '\xFB';
  frame[2] = '\x90';
  frame[3] = '\xC4';
  std::string audio;
  for (int i = 0; i < frames; ++i) audio += frame;
  return audio;
}

namespace {
std::string Field(std::string_view text, std::size_t width) {
  std::string field(text.substr(0, width));
  field.resize(width, '\0');
  return field;
}
}  // namespace

std::string Record(const RecordFields& s) {
  std::string record = std::string(s.marker) + Field(s.title, 30) + Field(s.artist, 30) +
                       Field(s.album, 30) + Field(s.year, 4);
  if (s.track != 0)
    record += Field(s.comment, 28) + '\0' + static_cast<char>(s.track);
  else
    record += Field(s.comment, 30);
  return record + static_cast<char>(s.genre);
}

std::string RecordBytes(const std::string& file, int offset, int width) {
  return file.substr(file.size() - 128 + offset, width);
}

TipWindow::TipWindow() : form(moduletest::ModuleHost::Form()) {
  using moduletest::Part;
  dirs = Part<fw::TCustomListBox>(form, "DirectoryListBox1");
  files = Part<fw::TCustomListBox>(form, "FileListBox1");
  const char* names[] = {"EditTitel", "EditKuenstler", "EditAlbum", "EditJahr", "EditKommentar"};
  for (int i = 0; i < 5; ++i) edits[i] = Part<fw::TEdit>(form, names[i]);
  genre = Part<fw::TComboBox>(form, "ComboBoxGenre");
  marker = Part<fw::TEdit>(form, "EditTag");
  play = Part<fw::TSpeedButton>(form, "SpeedButtonPlay");
  ok = Part<fw::TControl>(form, "HotSpeedButtonOK");
  undo = Part<fw::TControl>(form, "HotSpeedButtonUndo");
  drives = Part<fw::TWinControl>(form, "DriveComboBox1");
  bool all = form && dirs && files && genre && marker && play && ok && undo && drives;
  for (fw::TEdit* edit : edits) all = all && edit;
  if (!all) throw std::runtime_error("the tip window or one of its controls is missing");
}

std::vector<std::string> TipWindow::Texts() const {
  std::vector<std::string> texts;
  for (fw::TEdit* edit : edits) texts.push_back(edit->Text());
  return texts;
}

std::vector<bool> TipWindow::FieldsEnabled() const {
  std::vector<bool> enabled;
  for (fw::TEdit* edit : edits) enabled.push_back(edit->Enabled());
  enabled.push_back(genre->Enabled());
  return enabled;
}

std::vector<std::string> TipWindow::FileItems() const {
  std::vector<std::string> items;
  for (int i = 0; i < files->Items().Count(); ++i) items.push_back(files->Items().Strings(i));
  return items;
}

void TipWindow::OpenDirectory(const std::string& name) {
  const int index = dirs->Items().IndexOf(name);
  ASSERT_GE(index, 0) << name;
  dirs->SetItemIndex(index);
  dirs->SetFocus();
  PostMessageA(dirs->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  Pump();
}

void TipWindow::ClickFile(const std::string& name, bool twice) {
  const int index = files->Items().IndexOf(name);
  ASSERT_GE(index, 0) << name;
  const RECT r = files->ItemRect(index);
  const LPARAM at = MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
  std::vector<UINT> messages{WM_LBUTTONDOWN, WM_LBUTTONUP};
  if (twice) messages.insert(messages.end(), {WM_LBUTTONDBLCLK, WM_LBUTTONUP});
  for (UINT msg : messages)
    PostMessageA(files->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
  Pump();
}

void TipWindow::Type(fw::TEdit& edit, std::string_view text, bool replace) {
  if (replace) {
    SendMessageA(edit.Handle(), EM_SETSEL, 0, -1);
    SendMessageA(edit.Handle(), WM_CLEAR, 0, 0);
  } else {
    SendMessageA(edit.Handle(), EM_SETSEL, -1, -1);
  }
  for (char c : text) SendMessageA(edit.Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
  Pump();
}

void TipWindow::Click(fw::TControl& button) {
  const RECT r = button.BoundsRect();
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  HWND parent = button.Parent()->Handle();
  PostMessageA(parent, WM_MOUSEMOVE, 0, at);
  PostMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(parent, WM_LBUTTONUP, 0, at);
  Pump();
}

void TipWindow::PickNextGenreWithKey() {
  genre->SetFocus();
  PostMessageA(genre->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  PostMessageA(genre->Handle(), WM_KEYUP, VK_DOWN, 0xC0000001);
  Pump();
}

void TipWindow::PickGenreWithMouse(int index) {
  const LPARAM middle = MAKELPARAM(genre->Width() / 2, genre->Height() / 2);
  PostMessageA(genre->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageA(genre->Handle(), WM_LBUTTONUP, 0, middle);
  Pump();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(genre->Handle(), &info));
  ASSERT_TRUE(IsWindowVisible(info.hwndList)) << "the list did not drop down";
  SendMessageA(info.hwndList, LB_SETTOPINDEX, index, 0);
  RECT r{};
  ASSERT_NE(SendMessageA(info.hwndList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)),
            LB_ERR);
  const LPARAM at = MAKELPARAM(r.left + 10, (r.top + r.bottom) / 2);
  PostMessageA(info.hwndList, WM_MOUSEMOVE, 0, at);
  PostMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_FALSE(IsWindowVisible(info.hwndList)) << "the list stayed open";
}

COLORREF TipWindow::Background(fw::TEdit& edit) const {
  Pump();
  RedrawWindow(edit.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT r;
  GetClientRect(edit.Handle(), &r);
  struct WindowDc {
    HWND window;
    HDC dc;
    ~WindowDc() { ReleaseDC(window, dc); }
  } screen{edit.Handle(), GetDC(edit.Handle())};
  return GetPixel(screen.dc, r.right - 3, r.bottom / 2);
}

}  // namespace tageditortest
