#include "TagEditorSupport.h"

#include <gtest/gtest.h>

#include "testsupport/ScreenCapture.h"
#include "testsupport/UserInput.h"

namespace tageditortest {

using testsupport::ClickPointer;
using testsupport::MovePointer;
using testsupport::PressKeys;
using testsupport::PumpUntil;

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

namespace {
// The item spelt exactly so: the lists' own search ignores case, and case
// twins are two entries.
int ExactItem(const fw::TCustomListBox& list, const std::string& name) {
  for (int i = 0; i < list.Items().Count(); ++i)
    if (list.Items().Strings(i) == name) return i;
  return -1;
}
}  // namespace

void TipWindow::OpenDirectory(const std::string& name) {
  const int index = ExactItem(*dirs, name);
  ASSERT_GE(index, 0) << name;
  testsupport::ClickListItem(*dirs, index);
  ASSERT_TRUE(PumpUntil([&] { return dirs->Focused() && dirs->ItemIndex() == index; })) << name;
  PressKeys({VK_RETURN});
  Pump();
}

void TipWindow::ClickFile(const std::string& name, bool twice) {
  const int index = ExactItem(*files, name);
  ASSERT_GE(index, 0) << name;
  testsupport::ClickListItem(*files, index, twice);
  ASSERT_TRUE(PumpUntil([&] { return files->ItemIndex() == index; })) << name;
  Pump();
}

void TipWindow::Type(fw::TEdit& edit, std::string_view text, bool replace) {
  edit.SetFocus();
  PressKeys({VK_END});
  if (replace) {
    PressKeys({VK_SHIFT, VK_HOME});
    PressKeys({VK_DELETE});
  }
  testsupport::TypeText(text);
  Pump();
}

void TipWindow::Click(fw::TControl& button) {
  const RECT r = button.BoundsRect();
  MovePointer(button.Parent()->Handle(), {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  ClickPointer();
  Pump();
}

void TipWindow::PickNextGenreWithKey() {
  genre->SetFocus();
  PressKeys({VK_DOWN});
  Pump();
}

void TipWindow::PickGenreWithMouse(int index) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(genre->Handle(), &info));
  MovePointer(genre->Handle(), {genre->Width() / 2, genre->Height() / 2});
  ClickPointer();
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(info.hwndList); }))
      << "the list did not drop down";
  SendMessageA(info.hwndList, LB_SETTOPINDEX, index, 0);
  RECT r{};
  ASSERT_NE(SendMessageA(info.hwndList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)),
            LB_ERR);
  MovePointer(info.hwndList, {r.left + 10, (r.top + r.bottom) / 2});
  ClickPointer();
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(info.hwndList); })) << "the list stayed open";
  Pump();
}

COLORREF TipWindow::Background(fw::TEdit& edit) const {
  InvalidateRect(edit.Handle(), nullptr, TRUE);
  const testsupport::Capture shot(edit.Handle());
  return shot.At(shot.Width() - 3, shot.Height() / 2);
}

int TipWindow::GreyInGenreBox() const {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(genre->Handle(), &info);
  InvalidateRect(genre->Handle(), nullptr, TRUE);
  return testsupport::Capture(genre->Handle()).Count(GetSysColor(COLOR_GRAYTEXT), info.rcItem);
}

}  // namespace tageditortest
