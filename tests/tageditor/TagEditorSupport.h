#pragma once
// What the tag editor tests share: MP3 files built byte by byte and the tip
// window driven through its real controls.
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fw/ComboBox.h"
#include "fw/Edit.h"
#include "fw/ListBox.h"
#include "fw/SpeedButton.h"
#include "testsupport/ItemTexts.h"
#include "testsupport/ModuleHost.h"
#include "testsupport/Pump.h"

namespace tageditortest {

// A few silent MPEG-1 Layer III frames.
std::string Audio(int frames = 3);

struct RecordFields {
  std::string_view title, artist, album, year, comment;
  int genre = 0;
  int track = 0;  // non-zero: the v1.1 form, a 28-byte comment, zero, track
  std::string_view marker = "TAG";
};
// An ID3v1 record; unused bytes of a field are zero.
std::string Record(const RecordFields& fields);
// The bytes of a record field in the file (offset within the record).
std::string RecordBytes(const std::string& file, int offset, int width);

using testsupport::Pump;

// The tip window as the user sees it: the controls found by name through
// the shared framework, and driven with real keys and pointer moves.
class TipWindow {
 public:
  // The one tip window of this process.
  TipWindow();

  fw::TForm* form;
  fw::TCustomListBox* dirs;
  fw::TCustomListBox* files;
  fw::TEdit* edits[5];  // title, artist, album, year, comment
  fw::TComboBox* genre;
  fw::TEdit* marker;
  fw::TSpeedButton* play;
  fw::TControl* ok;
  fw::TControl* undo;
  fw::TWinControl* drives;

  fw::TEdit& Title() const { return *edits[0]; }
  std::vector<std::string> Texts() const;
  std::vector<bool> FieldsEnabled() const;

  // Opens a directory of the directory list: the item selected, then Enter.
  void OpenDirectory(const std::string& name);
  // A click on a file list item; twice: a double click.
  void ClickFile(const std::string& name, bool twice = false);
  // Replaces the text of an edit by typing it, or types on at its end;
  // '\b' is the backspace key.
  void Type(fw::TEdit& edit, std::string_view text, bool replace = true);
  // A mouse click on a button without a window.
  void Click(fw::TControl& button);
  // Picks an entry of the genre list as a user does: the one after the
  // selected one with the Down key, or any by opening the list with the
  // mouse and clicking it.
  void PickNextGenreWithKey();
  void PickGenreWithMouse(int index);
  // The background an edit shows on screen, beside its text.
  COLORREF Background(fw::TEdit& edit) const;
  // The pixels of grey text in the closed genre list's face.
  int GreyInGenreBox() const;
};

}  // namespace tageditortest
