// The tag editor end to end, as host and user meet it: Ombrik63.dll loaded
// and created through its exports, the sample folder reached with the
// directory list, files picked with the mouse, fields typed into, OK and
// Undo clicked, and the files on disk and the host's notices checked.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <oleacc.h>
#include <wrl/client.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "TagEditorSupport.h"
#include "fw/Exceptions.h"
#include "fw/Label.h"
#include "fw/ScopeExit.h"
#include "fw/SysUtils.h"
#include "fw/Unicode.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/ErrorModeGuard.h"
#include "testsupport/FileHolder.h"
#include "testsupport/HostWindow.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/RecordingShell.h"
#include "testsupport/RegistryGuard.h"
#include "testsupport/TempDir.h"
#include "testsupport/Unwritable.h"
#include "testsupport/UserInput.h"

namespace tageditortest {
namespace {

using testsupport::DialogKind;
using testsupport::MovePointer;
using testsupport::PressKeys;
using testsupport::PumpFor;
using testsupport::PumpUntil;
using Texts = std::vector<std::string>;
using Flags = std::vector<bool>;

constexpr char kSettingsKey[] = "SOFTWARE\\Tovrane\\Quindrel 2000";
const Flags kEnabled(6, true);
const Flags kDisabled(6, false);

std::string Padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

// A field as the sample files have it: zero bytes after the text.
std::string Zeroed(std::string text, std::size_t width) {
  text.resize(width, '\0');
  return text;
}

std::string FocusedName() {
  fw::TWinControl* control = fw::TWinControl::FromHandle(GetFocus());
  return control ? control->Name() : "(none)";
}

class TagEditor : public testing::Test {
 protected:
  TagEditor() {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "BSControl");
    audio_ = Audio();
    Write("Abendlied.mp3", {"Abendlied", "Die Zwei", "Erste Platte", "1999", "Im Keller", 0});
    Write("Bergfahrt.mp3", {"Bergfahrt", "Seilschaft", "Gipfel", "2003", "Mit Spur", 17, 7});
    Write("Genre 148.mp3", {"Unbekannt", "", "", "", "", 148});
    // A genre that later lists name (150 "Baroque"), and an artist in code page 1252.
    Write("Genre 150.mp3", {"Barock", "Caf\xE9 M\xFCller", "", "", "", 150});
    Write("Genre 200.mp3", {"Zweihundert", "", "", "", "", 200});
    Write("Genre 255.mp3", {"Keins", "", "", "", "", 255, 0, "tAg"});
    temp_.WriteFile("Musik\\Ohne Tag.mp3", audio_);
    temp_.WriteFile("Musik\\Kurz.mp3", audio_.substr(0, 100));
    temp_.WriteFile("Musik\\Notiz.txt", "keine MP3-Datei");
    Write("Live\\Zugabe.mp3", {"Zugabe", "Die Zwei", "", "2005", "", 17});
    fw::ChDir(temp_.Path());
  }

  void Write(const std::string& name, const RecordFields& fields) {
    temp_.WriteFile("Musik\\" + name, audio_ + Record(fields));
  }
  std::string Read(const std::string& name) const { return temp_.ReadFile("Musik\\" + name); }
  std::string Path(const std::string& name) const { return temp_ / ("Musik\\" + name); }

  // The host creates the tip; the user goes into the sample folder.
  void Open(const moduletest::CreateArgs& args = {}) {
    ASSERT_EQ(host_.Create(args), 0);
    Pump();
    tip_.emplace();
    tip_->OpenDirectory("Musik");
  }
  TipWindow& Tip() { return *tip_; }

  // The title on disk, with the blanks that fill its field.
  std::string TitleOnDisk(const std::string& name) const { return RecordBytes(Read(name), 3, 30); }
  std::vector<std::string> Errors() const { return dialogs_->Texts(DialogKind::Exception); }

  testsupport::RegistryGuard settings_{kSettingsKey};
  testsupport::CurrentDirGuard cwd_;
  testsupport::ErrorModeGuard errorMode_;
  testsupport::TempDir temp_;
  testsupport::ScopedDialogs dialogs_;
  testsupport::ScopedShell shell_;
  testsupport::HostWindow recorder_;
  moduletest::ModuleHost host_;
  std::optional<TipWindow> tip_;
  std::string audio_;
};

// The main session; also the one case of the 32-bit run, where the host's
// call of ModulCreate goes through the register convention.
TEST_F(TagEditor, SessionSelectEditSaveUndo) {
  Open();
  TipWindow& tip = Tip();
  EXPECT_EQ(testsupport::ItemTexts(*tip.files),
            (Texts{"Abendlied.mp3", "Bergfahrt.mp3", "Genre 148.mp3", "Genre 150.mp3",
                   "Genre 200.mp3", "Genre 255.mp3", "Kurz.mp3", "Ohne Tag.mp3"}));
  // The active control follows the focus, which opening the folder gave the directory list.
  EXPECT_EQ(tip.form->ActiveControl(), tip.dirs);
  EXPECT_FALSE(tip.play->Enabled());
  EXPECT_FALSE(tip.ok->Enabled());
  EXPECT_EQ(tip.FieldsEnabled(), kEnabled);
  EXPECT_EQ(host_.Changed(), 0);

  tip.ClickFile("Abendlied.mp3");
  EXPECT_EQ(tip.Texts(), (Texts{"Abendlied", "Die Zwei", "Erste Platte", "1999", "Im Keller"}));
  EXPECT_EQ(tip.genre->ItemIndex(), 0);
  EXPECT_EQ(tip.marker->Text(), "TAG");
  EXPECT_EQ(tip.FieldsEnabled(), kEnabled);
  EXPECT_TRUE(tip.play->Enabled());
  EXPECT_FALSE(tip.ok->Enabled());
  // Filling the fields counts as a change for the host.
  EXPECT_EQ(host_.Changed(), 1);

  tip.Type(tip.Title(), "Neu");
  EXPECT_TRUE(tip.ok->Enabled());
  tip.Click(*tip.ok);
  const std::string saved = Read("Abendlied.mp3");
  EXPECT_EQ(saved.size(), audio_.size() + 128);
  EXPECT_EQ(saved.substr(0, audio_.size() + 3), audio_ + "TAG");
  EXPECT_EQ(RecordBytes(saved, 3, 30), Padded("Neu", 30));
  EXPECT_EQ(RecordBytes(saved, 33, 30), Padded("Die Zwei", 30));
  EXPECT_EQ(RecordBytes(saved, 93, 4), "1999");
  EXPECT_EQ(RecordBytes(saved, 97, 30), Padded("Im Keller", 30));
  EXPECT_EQ(RecordBytes(saved, 127, 1), std::string(1, '\0'));
  // The edits show what went to disk: one blank past the field.
  EXPECT_EQ(tip.Texts(), (Texts{Padded("Neu", 31), Padded("Die Zwei", 31),
                                Padded("Erste Platte", 31), "1999 ", Padded("Im Keller", 31)}));
  EXPECT_FALSE(tip.ok->Enabled());
  EXPECT_EQ(host_.Changed(), 2);
  EXPECT_EQ(host_.Nr(), 2);
  EXPECT_EQ(recorder_.notices, (std::vector<std::pair<WPARAM, LPARAM>>{{9999, 2}}));

  // The host saves on the user's behalf; a second save writes the same bytes.
  tip.Type(tip.Title(), "Noch einmal neu");
  EXPECT_EQ(host_.Changed(), 1);
  EXPECT_EQ(host_.SaveChanges(), 1);
  EXPECT_EQ(TitleOnDisk("Abendlied.mp3"), Padded("Noch einmal neu", 30));
  const std::string once = Read("Abendlied.mp3");
  EXPECT_EQ(host_.SaveChanges(), 1);
  EXPECT_EQ(Read("Abendlied.mp3"), once);
  EXPECT_EQ(host_.Changed(), 2);
  EXPECT_EQ(recorder_.notices.size(), 3u);

  // Undo brings back what was read, not what was saved, and asks for an OK;
  // a text too long for the record shows so until then.
  const fw::TColor fieldColor = tip.Title().Color();
  tip.Type(tip.Title(), std::string(31, 'x'));
  EXPECT_NE(tip.Title().Color(), fieldColor);
  tip.Click(*tip.undo);
  EXPECT_EQ(tip.Title().Color(), fieldColor);
  EXPECT_EQ(tip.Texts(), (Texts{"Abendlied", "Die Zwei", "Erste Platte", "1999", "Im Keller"}));
  EXPECT_EQ(tip.genre->ItemIndex(), 0);
  EXPECT_TRUE(tip.ok->Enabled());
  EXPECT_EQ(host_.Changed(), 1);
  EXPECT_EQ(host_.Nr(), 1);
  EXPECT_EQ(TitleOnDisk("Abendlied.mp3"), Padded("Noch einmal neu", 30));
  tip.Click(*tip.ok);
  EXPECT_EQ(TitleOnDisk("Abendlied.mp3"), Padded("Abendlied", 30));
  EXPECT_EQ(recorder_.notices.back(), (std::pair<WPARAM, LPARAM>{9999, 1}));
  EXPECT_EQ(host_.Nr(), 1);
  EXPECT_TRUE(Errors().empty());
}

TEST_F(TagEditor, FilesWithoutATagDisableAndEmptyTheFields) {
  temp_.WriteFile("Musik\\Leer.mp3", "");
  Open();
  TipWindow& tip = Tip();
  for (const char* name : {"Ohne Tag.mp3", "Kurz.mp3", "Leer.mp3"}) {
    SCOPED_TRACE(name);
    tip.ClickFile("Abendlied.mp3");
    ASSERT_EQ(tip.Title().Text(), "Abendlied");
    const std::string before = Read(name);
    tip.ClickFile(name);
    EXPECT_EQ(tip.Texts(), Texts(5));
    EXPECT_EQ(tip.genre->ItemIndex(), -1);
    EXPECT_EQ(tip.FieldsEnabled(), kDisabled);
    EXPECT_EQ(tip.marker->Text(), "");
    EXPECT_FALSE(tip.ok->Enabled());
    EXPECT_TRUE(tip.play->Enabled());
    // Only the host can still ask for a save; the file is not written.
    EXPECT_THROW(host_.SaveChanges(), fw::EInvalidOperation);
    EXPECT_EQ(Read(name), before);
    // Undo puts back the empty texts kept at that load.
    tip.Click(*tip.undo);
    EXPECT_EQ(tip.Texts(), Texts(5));
    EXPECT_EQ(tip.genre->ItemIndex(), -1);
  }
  EXPECT_TRUE(Errors().empty());
}

TEST_F(TagEditor, GenreBytesAndTheTrackNumber) {
  Write("Genre 191.mp3", {"Psy", "", "", "", "", 191});
  Open();
  TipWindow& tip = Tip();
  // With no genre shown, a save keeps the byte as the file has it; the closed list names, in
  // grey, a byte that other programs name.
  struct Case {
    const char* file;
    int shown;
    char saved;
    bool button;  // OK clicked, or the host's save
    const char* peerName;
  };
  for (const Case& c : {Case{"Genre 148.mp3", 148, '\x94', true, ""},
                        Case{"Genre 150.mp3", -1, '\x96', true, "Baroque"},
                        Case{"Genre 150.mp3", -1, '\x96', false, "Baroque"},
                        Case{"Genre 191.mp3", -1, '\xBF', true, "Psybient"},
                        Case{"Genre 200.mp3", -1, '\xC8', false, ""},
                        Case{"Genre 255.mp3", -1, '\xFF', true, ""}}) {
    SCOPED_TRACE(c.file);
    tip.ClickFile(c.file);
    EXPECT_EQ(tip.genre->ItemIndex(), c.shown);
    EXPECT_EQ(tip.genre->TextHint(), c.peerName);
    EXPECT_EQ(tip.GreyInGenreBox() > 0, *c.peerName != '\0');
    tip.Type(tip.Title(), c.button ? "Titel" : "Vom Host");
    if (c.button)
      tip.Click(*tip.ok);
    else
      EXPECT_EQ(host_.SaveChanges(), 1);
    EXPECT_EQ(TitleOnDisk(c.file), Padded(c.button ? "Titel" : "Vom Host", 30));
    EXPECT_EQ(RecordBytes(Read(c.file), 127, 1), std::string(1, c.saved));
  }
  EXPECT_EQ(tip.genre->Items().Strings(148), "Unbekannt");
  // The marker counts in any letter case and is kept as read.
  EXPECT_EQ(tip.marker->Text(), "tAg");

  // A v1.1 record: 28 comment characters, and the track stays.
  tip.ClickFile("Bergfahrt.mp3");
  EXPECT_EQ(tip.edits[4]->Text(), "Mit Spur");
  EXPECT_EQ(tip.genre->ItemIndex(), 17);
  tip.Type(*tip.edits[4], std::string(29, 'k'));
  EXPECT_EQ(host_.SaveChanges(), 1);
  EXPECT_EQ(RecordBytes(Read("Bergfahrt.mp3"), 97, 31),
            std::string(28, 'k') + '\0' + '\x07' + '\x11');
  tip.Type(*tip.edits[4], "Kurz");
  tip.Click(*tip.ok);
  EXPECT_EQ(tip.edits[4]->Text(), Padded("Kurz", 29));
  EXPECT_EQ(RecordBytes(Read("Bergfahrt.mp3"), 97, 30), Padded("Kurz", 28) + '\0' + '\x07');
  EXPECT_TRUE(Errors().empty());
}

TEST_F(TagEditor, PickingAGenreIsAnEditThatUndoTakesBack) {
  Open();
  TipWindow& tip = Tip();
  // Before any load, Undo brings back empty texts and the first genre.
  tip.Type(tip.Title(), "Vorher");
  tip.Click(*tip.undo);
  EXPECT_EQ(tip.Texts(), Texts(5));
  EXPECT_EQ(tip.genre->ItemIndex(), 0);

  tip.ClickFile("Genre 150.mp3");
  // Code page 1252 letters come and go byte for byte.
  EXPECT_EQ(tip.edits[1]->Text(), "Caf\xC3\xA9 M\xC3\xBCller");
  tip.Type(tip.Title(), "Gr\xC3\xBC\xC3\x9F Gott");
  EXPECT_EQ(host_.SaveChanges(), 1);
  EXPECT_EQ(TitleOnDisk("Genre 150.mp3"), Padded("Gr\xFC\xDF Gott", 30));
  EXPECT_EQ(RecordBytes(Read("Genre 150.mp3"), 33, 12), "Caf\xE9 M\xFCller ");
  ASSERT_EQ(host_.Changed(), 2);
  // The program's own choice is no edit.
  tip.genre->SetItemIndex(5);
  EXPECT_FALSE(tip.ok->Enabled());
  EXPECT_EQ(host_.Changed(), 2);

  struct Case {
    bool mouse;
    int picked;
  };
  for (const Case& c : {Case{false, 6}, Case{true, 3}}) {
    SCOPED_TRACE(c.mouse ? "mouse" : "key");
    if (c.mouse)
      tip.PickGenreWithMouse(c.picked);
    else
      tip.PickNextGenreWithKey();
    EXPECT_EQ(tip.genre->ItemIndex(), c.picked);
    EXPECT_TRUE(tip.ok->Enabled());
    EXPECT_EQ(host_.Changed(), 1);
    tip.Click(*tip.ok);
    EXPECT_EQ(RecordBytes(Read("Genre 150.mp3"), 127, 1), std::string(1, char(c.picked)));
    EXPECT_EQ(tip.GreyInGenreBox(), 0);
    // Back to the genre as loaded: none, which keeps what the file now holds, named again.
    tip.Click(*tip.undo);
    EXPECT_EQ(tip.genre->ItemIndex(), -1);
    EXPECT_GT(tip.GreyInGenreBox(), 0);
    EXPECT_EQ(host_.SaveChanges(), 1);
    EXPECT_EQ(RecordBytes(Read("Genre 150.mp3"), 127, 1), std::string(1, char(c.picked)));
  }
  EXPECT_TRUE(Errors().empty());
}

// Text past a field's width is cut on saving; the edit shows it beforehand.
TEST_F(TagEditor, AnEditWarnsOfTextThatWillNotFit) {
  Open();
  TipWindow& tip = Tip();
  const COLORREF plain = RGB(0xED, 0xF2, 0xFC);
  auto warns = [&](fw::TEdit& edit) {
    const COLORREF shown = tip.Background(edit);
    // Light enough for the dark text.
    EXPECT_GT(GetRValue(shown) + GetGValue(shown) + GetBValue(shown), 3 * 0xB0)
        << std::hex << shown;
    return shown != plain;
  };
  struct Case {
    const char* file;
    int edit;
    std::string typed;
    bool cut;
  };
  const std::string a30(30, 'a');
  for (const Case& c :
       {// Characters the record's code page lacks would be lost as well.
        Case{"Abendlied.mp3", 1, "Д", true}, Case{"Abendlied.mp3", 2, "Müller ä", false},
        Case{"Abendlied.mp3", 0, a30, false}, Case{"Abendlied.mp3", 0, a30 + "b", true},
        Case{"Abendlied.mp3", 0, a30 + "   ", false}, Case{"Abendlied.mp3", 3, "1999", false},
        Case{"Abendlied.mp3", 3, "19990", true},
        Case{"Abendlied.mp3", 4, std::string(29, 'k'), false},
        Case{"Bergfahrt.mp3", 4, std::string(28, 'k'), false},
        Case{"Bergfahrt.mp3", 4, std::string(29, 'k'), true}}) {
    SCOPED_TRACE(c.file + (" " + c.typed));
    tip.ClickFile(c.file);
    fw::TEdit& edit = *tip.edits[c.edit];
    tip.Type(edit, c.typed);
    EXPECT_EQ(warns(edit), c.cut);
    if (c.cut) {
      tip.Type(edit, "\b", false);
      EXPECT_FALSE(warns(edit));
    }
  }
  // OK pads with blanks past the width (the 28-character comment of this
  // record included): no warning.
  tip.Type(tip.Title(), a30);
  tip.Click(*tip.ok);
  ASSERT_EQ(tip.edits[4]->Text(), std::string(28, 'k') + ' ');
  for (fw::TEdit* edit : tip.edits) EXPECT_FALSE(warns(*edit)) << edit->Name();
  EXPECT_TRUE(Errors().empty());

  // A save is refused rather than write "?" for them, naming the field.
  const std::string before = Read("Bergfahrt.mp3");
  tip.Type(*tip.edits[1], "Ж");
  tip.Click(*tip.ok);
  EXPECT_EQ(Read("Bergfahrt.mp3"), before);
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_NE(Errors()[0].find("\"K\xC3\xBCnstler\""), std::string::npos) << Errors()[0];
  EXPECT_TRUE(tip.ok->Enabled());
}

TEST_F(TagEditor, ADirectoryChangeKeepsTheValuesAndOKThenFailsAtOpening) {
  Open();
  TipWindow& tip = Tip();
  tip.ClickFile("Abendlied.mp3");
  tip.OpenDirectory("Live");
  ASSERT_EQ(testsupport::ItemTexts(*tip.files), Texts{"Zugabe.mp3"});
  EXPECT_EQ(tip.Title().Text(), "Abendlied");
  EXPECT_EQ(tip.FieldsEnabled(), kEnabled);
  EXPECT_FALSE(tip.play->Enabled());
  EXPECT_FALSE(tip.ok->Enabled());

  tip.Type(tip.Title(), "Wohin?");
  EXPECT_TRUE(tip.ok->Enabled());
  const int changed = host_.Changed();
  tip.Click(*tip.ok);
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_NE(Errors()[0].find("Cannot open file"), std::string::npos) << Errors()[0];
  EXPECT_TRUE(tip.ok->Enabled());
  EXPECT_EQ(host_.Changed(), changed);
  EXPECT_EQ(tip.Title().Text(), "Wohin?");
  EXPECT_THROW(host_.SaveChanges(), fw::EFOpenError);
  EXPECT_TRUE(recorder_.notices.empty());
  EXPECT_EQ(TitleOnDisk("Abendlied.mp3"), Zeroed("Abendlied", 30));
  EXPECT_EQ(RecordBytes(temp_.ReadFile("Musik\\Live\\Zugabe.mp3"), 3, 6), "Zugabe");
}

// Edits leave their file only when the user says so: Yes saves as OK does,
// No drops them, Cancel stays on the edited file with the edits. Only typing
// and picking count, not a load, OK's padding or Undo.
TEST_F(TagEditor, TheUserDecidesWhatHappensToEditsWhenTheSelectionMoves) {
  Open();
  TipWindow& tip = Tip();
  enum Before { Load, Edit, EditOK, EditUndo };
  enum Move { ByClick, ByArrow, ByPageDown, ByFolder };
  struct Case {
    Before before;
    Move move;
    int answer;  // mrNone: no question
  };
  const std::string question = "\xC3\x84nderungen an Abendlied.mp3 speichern?";
  int n = 0;
  for (const Case& c : {Case{Edit, ByClick, fw::mrYes}, Case{Edit, ByClick, fw::mrNo},
                        Case{Edit, ByClick, fw::mrCancel}, Case{Edit, ByArrow, fw::mrYes},
                        Case{Edit, ByArrow, fw::mrCancel}, Case{Edit, ByPageDown, fw::mrNo},
                        Case{Edit, ByPageDown, fw::mrCancel}, Case{Edit, ByFolder, fw::mrYes},
                        Case{Edit, ByFolder, fw::mrNo}, Case{Edit, ByFolder, fw::mrCancel},
                        Case{Load, ByClick, fw::mrNone}, Case{EditOK, ByArrow, fw::mrNone},
                        Case{EditUndo, ByClick, fw::mrNone}}) {
    SCOPED_TRACE(testing::Message() << "row " << n);
    // What a Cancel left goes first.
    tip.Click(*tip.undo);
    if (testsupport::ItemTexts(*tip.files) == Texts{"Zugabe.mp3"}) tip.OpenDirectory("Musik");
    tip.ClickFile("Abendlied.mp3");
    const std::string loaded = tip.Title().Text();
    const std::string typed = "Neu " + std::to_string(++n);
    if (c.before != Load) tip.Type(tip.Title(), typed);
    if (c.before == EditOK) tip.Click(*tip.ok);
    if (c.before == EditUndo) tip.Click(*tip.undo);
    const std::string onDisk = TitleOnDisk("Abendlied.mp3");
    const std::vector<Texts> shown{tip.Texts()};
    const size_t notices = recorder_.notices.size();
    dialogs_->Records.clear();
    dialogs_->Answers = {c.answer};
    switch (c.move) {
      case ByClick:
        testsupport::ClickListItem(*tip.files, 1);
        break;
      case ByArrow:
        PressKeys({VK_SHIFT, VK_TAB});
        ASSERT_TRUE(PumpUntil([&] { return tip.files->Focused(); }));
        PressKeys({VK_DOWN});
        break;
      case ByPageDown:
        tip.Title().SetFocus();
        PressKeys({VK_NEXT});
        break;
      case ByFolder:
        tip.OpenDirectory("Live");
        break;
    }
    Pump();
    const auto asked = dialogs_->Texts(DialogKind::Dialog);
    if (c.answer == fw::mrNone) {
      EXPECT_TRUE(asked.empty());
      continue;
    }
    ASSERT_EQ(asked, Texts{question});
    EXPECT_EQ(dialogs_->Records[0].buttons, uint32_t(fw::mbYes | fw::mbNo | fw::mbCancel));
    EXPECT_EQ(TitleOnDisk("Abendlied.mp3"), c.answer == fw::mrYes ? Padded(typed, 30) : onDisk);
    EXPECT_EQ(recorder_.notices.size(), notices + (c.answer == fw::mrYes));
    const bool stayed = c.answer == fw::mrCancel;
    EXPECT_EQ(tip.files->ItemIndex() >= 0 &&
                  tip.files->Items().Strings(tip.files->ItemIndex()) == "Abendlied.mp3",
              stayed);
    if (stayed) {
      EXPECT_EQ(tip.Texts(), shown[0]);
      EXPECT_TRUE(tip.ok->Enabled());
    } else if (c.move != ByFolder) {
      EXPECT_EQ(tip.Title().Text(), "Bergfahrt");
    } else {
      // Nothing is selected in the new folder: the fields keep their file's values as saved or
      // read.
      EXPECT_EQ(tip.Title().Text(), c.answer == fw::mrYes ? Padded(typed, 31) : loaded)
          << tip.Title().Hint();
      EXPECT_FALSE(tip.ok->Enabled());
    }
    if (c.move == ByPageDown) {
      EXPECT_EQ(FocusedName(), "EditTitel");
    }
    // The question once, and no more on the way back.
    EXPECT_EQ(dialogs_->Texts(DialogKind::Dialog).size(), 1u);
  }
  EXPECT_TRUE(Errors().empty());

  // A save under Yes that fails reports why and stays on the edited file.
  if (testsupport::ItemTexts(*tip.files) == Texts{"Zugabe.mp3"}) tip.OpenDirectory("Musik");
  tip.ClickFile("Abendlied.mp3");
  tip.Type(tip.Title(), "Gesperrt");
  const std::string before = Read("Abendlied.mp3");
  {
    testsupport::FileHolder holder(Path("Abendlied.mp3"), "exclusive");
    ASSERT_TRUE(holder.Open());
    dialogs_->Answers = {fw::mrYes};
    testsupport::ClickListItem(*tip.files, 1);
    Pump();
  }
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_NE(Errors()[0].find("Abendlied.mp3"), std::string::npos) << Errors()[0];
  EXPECT_EQ(Read("Abendlied.mp3"), before);
  EXPECT_EQ(tip.Title().Text(), "Gesperrt");
  EXPECT_EQ(tip.files->Items().Strings(tip.files->ItemIndex()), "Abendlied.mp3");
  EXPECT_TRUE(tip.ok->Enabled());
}

// The editor's keys: Ctrl+S saves from anywhere, Esc in a field puts back
// what was read, Page Up and Down go to the neighbouring file and leave the
// focus in its field.
TEST_F(TagEditor, KeysSaveUndoAndGoToTheNeighbouringFiles) {
  moduletest::CreateArgs english;
  english.language = 1;
  Open(english);
  TipWindow& tip = Tip();
  tip.ClickFile("Bergfahrt.mp3");
  tip.Type(*tip.edits[2], "Tal");
  PressKeys({VK_CONTROL, 'S'});
  Pump();
  EXPECT_EQ(RecordBytes(Read("Bergfahrt.mp3"), 63, 30), Padded("Tal", 30));
  EXPECT_FALSE(tip.ok->Enabled());
  EXPECT_EQ(recorder_.notices.size(), 1u);
  EXPECT_EQ(tip.edits[2]->Text(), Padded("Tal", 31));

  // Ctrl+S with OK disabled does nothing; from the file list it saves too.
  PressKeys({VK_CONTROL, 'S'});
  Pump();
  EXPECT_EQ(recorder_.notices.size(), 1u);
  tip.Type(tip.Title(), "Bergab");
  tip.files->SetFocus();
  PressKeys({VK_CONTROL, 'S'});
  Pump();
  EXPECT_EQ(TitleOnDisk("Bergfahrt.mp3"), Padded("Bergab", 30));
  EXPECT_EQ(recorder_.notices.size(), 2u);

  // Esc takes back typing, and only typing.
  tip.Type(*tip.edits[1], "Seilbahn");
  PressKeys({VK_ESCAPE});
  Pump();
  EXPECT_EQ(tip.edits[1]->Text(), "Seilschaft");
  EXPECT_EQ(host_.Nr(), 1);
  const size_t notices = recorder_.notices.size();
  PressKeys({VK_ESCAPE});
  Pump();
  EXPECT_EQ(recorder_.notices.size(), notices);

  struct Step {
    WORD key;
    int field;
    const char* title;  // of the file selected after the key
  };
  tip.ClickFile("Abendlied.mp3");
  for (const Step& step :
       {Step{VK_NEXT, 3, "Bergab"}, Step{VK_NEXT, 0, "Unbekannt"}, Step{VK_PRIOR, 4, "Bergab"},
        Step{VK_PRIOR, 4, "Abendlied"}, Step{VK_PRIOR, 1, "Abendlied"}}) {
    SCOPED_TRACE(step.title);
    tip.edits[step.field]->SetFocus();
    PressKeys({step.key});
    Pump();
    EXPECT_EQ(tip.Title().Text().substr(0, std::string(step.title).size()), step.title);
    EXPECT_EQ(GetFocus(), tip.edits[step.field]->Handle());
  }
  EXPECT_TRUE(dialogs_->Texts(DialogKind::Dialog).empty());

  // Edits ask before the page keys leave them, in the window's language.
  tip.Type(tip.Title(), "Morgenlied");
  dialogs_->Answers = {fw::mrCancel};
  PressKeys({VK_NEXT});
  Pump();
  EXPECT_EQ(dialogs_->Texts(DialogKind::Dialog), Texts{"Save the changes to Abendlied.mp3?"});
  EXPECT_EQ(tip.Title().Text(), "Morgenlied");
  EXPECT_EQ(tip.files->Items().Strings(tip.files->ItemIndex()), "Abendlied.mp3");
  EXPECT_TRUE(Errors().empty());
}

TEST_F(TagEditor, PlayAndADoubleClickHandTheFileToTheShell) {
  Open();
  TipWindow& tip = Tip();
  tip.Click(*tip.play);
  EXPECT_TRUE(shell_->Calls.empty());
  tip.ClickFile("Genre 148.mp3");
  tip.Click(*tip.play);
  tip.ClickFile("Bergfahrt.mp3", true);
  EXPECT_EQ(tip.Title().Text(), "Bergfahrt");
  ASSERT_EQ(shell_->Calls.size(), 2u);
  const std::string expected[] = {Path("Genre 148.mp3"), Path("Bergfahrt.mp3")};
  for (int i = 0; i < 2; ++i) {
    const testsupport::ShellCall& call = shell_->Calls[i];
    EXPECT_EQ(call.owner, tip.form->Handle());
    EXPECT_FALSE(call.verb);
    EXPECT_EQ(call.file, expected[i]);
    EXPECT_FALSE(call.params);
    EXPECT_FALSE(call.directory);
    EXPECT_EQ(call.showCommand, SW_SHOW);
  }
}

// Names and folders as collections have them. Each file is listed as it is
// spelt, opens as itself by a click, saves byte for byte, and reaches the
// shell under its true path; Label1 shows the directory shortened at its
// separators. The process's current directory follows the browsing controls
// only where it can hold the path: not into a folder whose name ends in a
// dot or a blank (the plain form would drop those), not past 258 characters.
TEST_F(TagEditor, NamesInEveryScriptAndFoldersOfAnyDepth) {
  // Folder chains from Musik down to more than 260 and to just over 1,000
  // characters.
  const auto level = [](int n) { return "Ebene " + std::to_string(n) + " - Ripper 2019 - Disc 1"; };
  std::vector<std::string> deep260, deep1000;
  std::size_t length = Path("").size();
  for (int n = 1; length < 960; ++n) {
    deep1000.push_back(level(n));
    if (length < 300) deep260.push_back(level(n));
    length += level(n).size() + 1;
  }
  deep1000.push_back(std::string(1002 - length, 'x'));
  struct Case {
    std::vector<std::string> folders;
    std::string name;
    bool cwdFollows;
  };
  const Case cases[] = {
      {{"Welt"}, "Привет мир.mp3", true},
      {{"Welt"}, "日本語の歌.mp3", true},
      {{"Welt"}, "Καλημέρα.mp3", true},
      {{"Welt"}, "Note 🎵 song.mp3", true},
      {{"Welt"}, "Café.mp3", true},        // composed
      {{"Welt"}, "Cafe\u0301.mp3", true},  // decomposed: another file
      {{"Welt"}, "con.mp3", true},         // device names are files here
      {{"Welt"}, "aux.mp3", true},
      {{"Welt"}, "Tom's [live] 50% & more; 2.mp3", true},
      {{"Welt", "Live."}, "Ende.mp3", false},
      {{"Welt", "Demo "}, "Ende.mp3", false},
      {deep260, "Tief.mp3", false},
      {deep1000, "Tiefer.mp3", false},
  };
  int number = 0;
  for (const Case& c : cases) {
    std::string relative;
    for (const std::string& folder : c.folders) relative += folder + "\\";
    // Each title tells its file apart from its twins.
    Write(relative + c.name, {"Titel " + std::to_string(++number), "", "", "", "", 12});
  }
  Open();
  TipWindow& tip = Tip();
  auto* label = moduletest::Part<fw::TLabel>(tip.form, "Label1");
  ASSERT_NE(label, nullptr);
  number = 0;
  for (const Case& c : cases) {
    ++number;
    SCOPED_TRACE(c.name);
    std::string relative;
    for (const std::string& folder : c.folders) {
      if (tip.dirs->Items().Strings(tip.dirs->ItemIndex()) != folder) tip.OpenDirectory(folder);
      relative += folder + "\\";
    }
    const std::string directory = Path(relative.substr(0, relative.size() - 1));
    EXPECT_EQ(fw::GetCurrentDir() == directory, c.cwdFollows);
    // Shortened only at separators, ending in the whole folder name.
    EXPECT_TRUE(label->Text().ends_with(c.folders.back())) << label->Text();
    EXPECT_LE(label->Text().size(), directory.size());

    tip.ClickFile(c.name);
    EXPECT_EQ(tip.Title().Text(), "Titel " + std::to_string(number));
    tip.Type(tip.Title(), "Neu " + std::to_string(number));
    tip.Click(*tip.ok);
    EXPECT_EQ(TitleOnDisk(relative + c.name), Padded("Neu " + std::to_string(number), 30));
    tip.Click(*tip.play);
    ASSERT_FALSE(shell_->Calls.empty());
    EXPECT_EQ(shell_->Calls.back().file, Path(relative + c.name));
    tip.OpenDirectory("Musik");
  }
  EXPECT_TRUE(Errors().empty()) << testing::PrintToString(Errors());
}

// A file that nobody may write, one that another program holds, and a
// folder on read-only media (a share, a CD) whose files all refuse writers:
// each is listed and loaded as any other and Play opens it; only OK is
// refused, twice alike, with an error that names the file and why. Nothing on
// disk changes, OK and the edit stay, the host hears of no save, and the
// next file saves.
TEST_F(TagEditor, FilesThatCannotBeWrittenStayAsTheyWere) {
  enum class Lock { File, Held, Folder };
  struct Case {
    const char* folder;  // under Musik
    const char* file;
    const char* title;
    Lock lock;
  };
  const Case cases[] = {{"", "Genre 255.mp3", "Keins", Lock::File},
                        {"", "Genre 200.mp3", "Zweihundert", Lock::Held},
                        {"Live", "Zugabe.mp3", "Zugabe", Lock::Folder}};
  Open();
  TipWindow& tip = Tip();
  std::string skipped;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string folder = c.folder;
    const std::string relative = folder.empty() ? c.file : folder + "\\" + c.file;
    std::optional<testsupport::Unwritable> locked;
    if (c.lock != Lock::Held) {
      locked.emplace(std::vector{Path(c.lock == Lock::Folder ? folder : relative)});
      if (!locked->Holds()) {
        skipped = locked->Reason();
        continue;
      }
    }
    if (!folder.empty()) {
      tip.OpenDirectory(folder);
      EXPECT_EQ(testsupport::ItemTexts(*tip.files), Texts{c.file});
    }
    const std::string before = Read(relative);
    tip.ClickFile(c.file);
    EXPECT_EQ(tip.Title().Text(), c.title);
    ASSERT_EQ(tip.FieldsEnabled(), kEnabled);
    tip.Click(*tip.play);
    ASSERT_FALSE(shell_->Calls.empty());
    EXPECT_EQ(shell_->Calls.back().file, Path(relative));
    std::optional<testsupport::FileHolder> holder;
    if (c.lock == Lock::Held) {
      holder.emplace(Path(relative), "exclusive");
      ASSERT_TRUE(holder->Open());
    }
    tip.Type(tip.Title(), "X");
    const Texts earlier = Errors();
    tip.Click(*tip.ok);
    tip.Click(*tip.ok);
    const Texts shown = Errors();
    ASSERT_EQ(shown.size(), earlier.size() + 2);
    const std::string& error = shown[earlier.size()];
    EXPECT_EQ(shown.back(), error);
    const std::string named = "Cannot open file \"" + Path(relative) + "\". ";
    EXPECT_EQ(error.substr(0, named.size()), named) << error;
    if (locked) {
      EXPECT_EQ(error.substr(named.size()), testsupport::Unwritable::Refusal());
    }
    EXPECT_TRUE(tip.ok->Enabled());
    EXPECT_EQ(tip.Title().Text(), "X");
    EXPECT_EQ(host_.Changed(), 1);
    EXPECT_THROW(host_.SaveChanges(), fw::EFOpenError);
    EXPECT_EQ(host_.Changed(), 1);
    holder.reset();
    EXPECT_EQ(Read(relative), before);
    if (!folder.empty()) tip.OpenDirectory("Musik");
  }
  EXPECT_TRUE(recorder_.notices.empty());
  tip.ClickFile("Abendlied.mp3");
  tip.Type(tip.Title(), "Weiter");
  tip.Click(*tip.ok);
  EXPECT_EQ(TitleOnDisk("Abendlied.mp3"), Padded("Weiter", 30));
  EXPECT_EQ(recorder_.notices.size(), 1u);
  if (!skipped.empty()) GTEST_SKIP() << skipped;
}

// A file that cannot be read when it is selected (another program holds it,
// it vanished or became a folder since the list was read) must not receive
// the previous file's values.
TEST_F(TagEditor, AFailedLoadEmptiesTheFieldsAndRefusesTheSave) {
  Open();
  TipWindow& tip = Tip();
  enum Fault { Held, Vanished, BecameAFolder };
  struct Case {
    const char* file;
    Fault fault;
  };
  for (const Case& c : {Case{"Genre 148.mp3", Held}, Case{"Genre 200.mp3", Vanished},
                        Case{"Genre 150.mp3", BecameAFolder}}) {
    SCOPED_TRACE(c.file);
    tip.ClickFile("Abendlied.mp3");
    tip.Type(tip.Title(), "Nicht hierher");
    ASSERT_TRUE(tip.ok->Enabled());
    const std::string before = Read(c.file);
    std::optional<testsupport::FileHolder> holder;
    if (c.fault == Held) {
      holder.emplace(Path(c.file), "exclusive");
      ASSERT_TRUE(holder->Open());
    } else {
      ASSERT_TRUE(DeleteFileA(Path(c.file).c_str()));
      if (c.fault == BecameAFolder) {
        ASSERT_TRUE(CreateDirectoryA(Path(c.file).c_str(), nullptr));
      }
    }
    const std::size_t errors = Errors().size();
    tip.ClickFile(c.file);
    // The load error is reported as before.
    ASSERT_EQ(Errors().size(), errors + 1);
    EXPECT_NE(Errors().back().find("Cannot open file"), std::string::npos) << Errors().back();
    EXPECT_EQ(tip.Texts(), Texts(5));
    EXPECT_EQ(tip.genre->ItemIndex(), -1);
    EXPECT_EQ(tip.FieldsEnabled(), kDisabled);
    EXPECT_FALSE(tip.ok->Enabled());
    EXPECT_TRUE(tip.play->Enabled());
    EXPECT_EQ(tip.files->Cursor(), fw::crDefault);
    // Even once the file can be opened again, the host's save writes nothing.
    holder.reset();
    if (c.fault == BecameAFolder) {
      ASSERT_TRUE(RemoveDirectoryA(Path(c.file).c_str()));
    }
    if (c.fault != Held) temp_.WriteFile("Musik\\" + std::string(c.file), before);
    try {
      host_.SaveChanges();
      ADD_FAILURE() << "the save went through";
    } catch (const fw::EInvalidOperation& e) {
      EXPECT_NE(std::string(e.what()).find("could not be read"), std::string::npos) << e.what();
    }
    EXPECT_EQ(Read(c.file), before);
  }
  EXPECT_EQ(TitleOnDisk("Abendlied.mp3"), Zeroed("Abendlied", 30));
  EXPECT_TRUE(recorder_.notices.empty());
}

// The control that has the keyboard focus, by name.
POINT CentreOf(const fw::TControl& control) {
  const RECT r = control.BoundsRect();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

VOID CALLBACK PressEnter(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  PressKeys({VK_RETURN});
}

// Tab once around the window and Shift+Tab back, from the file list, in the
// layout's tab order: the hidden marker field is skipped, and so are the
// fields once an untagged file has disabled them. A message box in between
// gives the focus back to the field that had it.
TEST_F(TagEditor, TabAndShiftTabGoAroundTheWindow) {
  ASSERT_EQ(host_.Create(), 0);
  Pump();
  // The layout's active control has the focus when the window is first shown.
  EXPECT_EQ(FocusedName(), "DriveComboBox1");
  tip_.emplace();
  TipWindow& tip = Tip();
  tip.OpenDirectory("Musik");
  using Names = std::vector<std::string>;
  struct Round {
    const char* file;
    Names order;  // after the file list
  } rounds[] = {
      {"Abendlied.mp3",
       {"EditTitel", "EditKuenstler", "EditAlbum", "EditJahr", "EditKommentar", "ComboBoxGenre",
        "DriveComboBox1", "FilterComboBox1", "DirectoryListBox1", "FileListBox1"}},
      {"Ohne Tag.mp3", {"DriveComboBox1", "FilterComboBox1", "DirectoryListBox1", "FileListBox1"}},
  };
  for (const Round& round : rounds) {
    SCOPED_TRACE(round.file);
    tip.ClickFile(round.file);
    ASSERT_EQ(FocusedName(), "FileListBox1");
    const size_t n = round.order.size();
    for (size_t i = 0; i < 2 * n; ++i) {
      const bool back = i >= n;
      // Backwards the names come in reverse, ending at the file list again.
      const std::string& expected = back ? round.order[(2 * n - i - 2 + n) % n] : round.order[i];
      if (back)
        PressKeys({VK_SHIFT, VK_TAB});
      else
        PressKeys({VK_TAB});
      EXPECT_TRUE(PumpUntil([&] { return FocusedName() == expected; }))
          << (back ? "Shift+Tab " : "Tab ") << i << ": " << FocusedName() << ", not " << expected;
    }
  }
  tip.ClickFile("Abendlied.mp3");
  PressKeys({VK_TAB});
  PressKeys({VK_TAB});
  ASSERT_TRUE(PumpUntil([] { return FocusedName() == "EditKuenstler"; }));
  // A tab into an edit selects its text, ready to be typed over.
  EXPECT_EQ(tip.edits[1]->SelLength(), static_cast<int>(tip.edits[1]->Text().size()));
  SetTimer(nullptr, 0, 300, PressEnter);
  MessageBoxA(tip.form->Handle(), "Weiter", "Tipp", MB_OK);
  EXPECT_TRUE(PumpUntil([] { return FocusedName() == "EditKuenstler"; })) << FocusedName();
  // The typed Tab reached no field as a character.
  EXPECT_EQ(tip.Texts(), (Texts{"Abendlied", "Die Zwei", "Erste Platte", "1999", "Im Keller"}));
}

// Resting on an image button shows its hint in the window's language; the
// tag edits, which keep their Undo texts as hints, show none, and the hint
// goes when the pointer moves on to them. The texts are the template's (its
// tests pin them for each language); here each language shows its own.
TEST_F(TagEditor, TheImageButtonsShowTheirHintsInTheWindowsLanguage) {
  std::vector<std::vector<std::string>> shownByLanguage;
  for (const int language : {1, 0}) {
    SCOPED_TRACE(language);
    std::vector<std::string>& hints = shownByLanguage.emplace_back();
    moduletest::CreateArgs args;
    args.language = language;
    Open(args);
    TipWindow& tip = Tip();
    tip.ClickFile("Abendlied.mp3");
    auto shown = [&tip]() -> std::string {
      HWND hint = tip.form->HintWindow();
      if (!hint || !IsWindowVisible(hint)) return "";
      wchar_t text[256] = {};
      GetWindowTextW(hint, text, 256);
      return fw::Utf8(std::wstring_view(text));
    };
    const char* buttons[] = {"HotSpeedButtonOK", "HotSpeedButtonUndo", "HotSpeedButtonInfo",
                             "HotSpeedButtonRegistry"};
    for (int i = 0; i < 4; ++i) {
      fw::TControl* button = moduletest::Part<fw::TControl>(tip.form, buttons[i]);
      ASSERT_TRUE(button);
      hints.push_back(button->Hint());
      ASSERT_FALSE(hints.back().empty()) << buttons[i];
      MovePointer(tip.form->Handle(), CentreOf(*button));
      EXPECT_TRUE(PumpUntil([&] { return shown() == hints.back(); }))
          << buttons[i] << ": " << shown();
    }
    MovePointer(tip.Title().Handle(), {20, 5});
    EXPECT_TRUE(PumpUntil([&] { return shown().empty(); })) << shown();
    PumpFor(1500);
    EXPECT_EQ(shown(), "");
    tip_.reset();
    host_.Free();
  }
  for (size_t i = 0; i < 4; ++i)
    EXPECT_NE(shownByLanguage[0][i], shownByLanguage[1][i]) << shownByLanguage[0][i];
}

// A screen reader's thread, which uses COM.
struct ReaderThread {
  ReaderThread() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ReaderThread() { CoUninitialize(); }
};

// A screen reader's view of one control: the object that answers for it
// and its child id there.
struct Element {
  Microsoft::WRL::ComPtr<IAccessible> object;
  long id = CHILDID_SELF;
  VARIANT Id() const {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
  }
  std::string Name() const {
    BSTR name = nullptr;
    if (FAILED(object->get_accName(Id(), &name)) || !name) return "";
    std::string text = fw::Utf8(std::wstring_view(name, SysStringLen(name)));
    SysFreeString(name);
    return text;
  }
  long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) const {
    VARIANT v;
    VariantInit(&v);
    return SUCCEEDED((object.Get()->*get)(Id(), &v)) && v.vt == VT_I4 ? v.lVal : -1;
  }
  long Role() const { return Number(&IAccessible::get_accRole); }
  long State() const { return Number(&IAccessible::get_accState); }
  RECT Location() const {
    long x = 0, y = 0, w = 0, h = 0;
    if (FAILED(object->accLocation(&x, &y, &w, &h, Id()))) return {};
    return {x, y, x + w, y + h};
  }
};

// As a reader finds a control: a window by its own client object; one
// without a window among the children of its parent window's, by where it
// is on the screen, and then under the point that a hit test names.
std::optional<Element> Find(fw::TControl& control, std::string& trace) {
  auto* window = dynamic_cast<fw::TWinControl*>(&control);
  HWND hwnd = window ? window->Handle() : control.Parent()->Handle();
  Element parent;
  HRESULT hr = AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(parent.object.GetAddressOf()));
  if (FAILED(hr)) {
    trace = "no client object";
    return std::nullopt;
  }
  if (window) return parent;
  RECT bounds = control.BoundsRect();
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
  long count = 0;
  parent.object->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<size_t>(std::max(count, 0L)));
  LONG got = 0;
  AccessibleChildren(parent.object.Get(), 0, count, children.data(), &got);
  // The child windows are objects of their own, each in the list.
  int windows = 0, objects = 0;
  for (HWND w = GetWindow(hwnd, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) ++windows;
  std::optional<Element> found;
  for (LONG i = 0; i < got; ++i) {
    if (children[i].vt == VT_DISPATCH) ++objects;
    if (children[i].vt == VT_I4 && !found) {
      Element e{parent.object, children[i].lVal};
      const RECT location = e.Location();
      if (EqualRect(&bounds, &location)) found = e;
    }
    VariantClear(&children[i]);
  }
  if (got != count || objects != windows)
    trace = std::to_string(got) + " of " + std::to_string(count) + " children, " +
            std::to_string(objects) + " objects for " + std::to_string(windows) + " windows";
  if (!found) {
    trace += "; none where it is";
    return std::nullopt;
  }
  VARIANT hit;
  VariantInit(&hit);
  parent.object->accHitTest((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2,
                            &hit);
  if (hit.vt != VT_I4 || hit.lVal != found->id) trace += "a hit test names another child";
  VariantClear(&hit);
  return found;
}

// What a screen reader hears for each control, in the window's two
// languages; the tag fields by their labels, the image buttons by their
// hints. After a file was read, before an edit: OK is disabled.
TEST_F(TagEditor, AScreenReaderHearsEachControlByItsName) {
  const ReaderThread reader;
  struct Row {
    const char* control;
    const char* german;
    const char* english;
    long role;
    long state;  // of STATE_SYSTEM_UNAVAILABLE and STATE_SYSTEM_INVISIBLE
  } rows[] = {
      {"EditTitel", "Titel", "Titel", ROLE_SYSTEM_TEXT, 0},
      {"EditKuenstler", "K\xC3\xBCnstler", "K\xC3\xBCnstler", ROLE_SYSTEM_TEXT, 0},
      {"EditAlbum", "Album", "Album", ROLE_SYSTEM_TEXT, 0},
      {"EditJahr", "Jahr", "Jahr", ROLE_SYSTEM_TEXT, 0},
      {"EditKommentar", "Kommentar", "Kommentar", ROLE_SYSTEM_TEXT, 0},
      {"ComboBoxGenre", "Genre", "Genre", ROLE_SYSTEM_COMBOBOX, 0},
      {"DriveComboBox1", "Laufwerk", "Drive", ROLE_SYSTEM_COMBOBOX, 0},
      {"FilterComboBox1", "Dateityp", "File type", ROLE_SYSTEM_COMBOBOX, 0},
      {"DirectoryListBox1", "Verzeichnisse", "Folders", ROLE_SYSTEM_LIST, 0},
      {"FileListBox1", "Dateien", "Files", ROLE_SYSTEM_LIST, 0},
      {"HotSpeedButtonOK", "\xC3\x84nderungen werden gespeichert",
       "Changes will be saved immediately", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE},
      {"HotSpeedButtonUndo", "Setzt alles wieder auf die Standartwerte", "Restore defaults",
       ROLE_SYSTEM_PUSHBUTTON, 0},
      {"HotSpeedButtonInfo", "G\xC3\xBCltig f\xC3\xBCr ... ", "Valid to ...",
       ROLE_SYSTEM_PUSHBUTTON, 0},
      {"HotSpeedButtonRegistry", "Wert in der Registry nachschlagen", "Registry Lookup",
       ROLE_SYSTEM_PUSHBUTTON, 0},
      {"SpeedButtonPlay", "Abspielen", "Play", ROLE_SYSTEM_PUSHBUTTON, 0},
      {"Label3", "Titel", "Titel", ROLE_SYSTEM_STATICTEXT, 0},
  };
  for (int language : {0, 1}) {
    SCOPED_TRACE(language);
    moduletest::CreateArgs args;
    args.language = language;
    Open(args);
    TipWindow& tip = Tip();
    tip.ClickFile("Abendlied.mp3");
    for (const Row& row : rows) {
      SCOPED_TRACE(row.control);
      fw::TControl* control = moduletest::Part<fw::TControl>(tip.form, row.control);
      ASSERT_TRUE(control);
      std::string trace;
      const std::optional<Element> heard = Find(*control, trace);
      ASSERT_TRUE(heard) << trace;
      EXPECT_EQ(trace, "");
      EXPECT_EQ(heard->Name(), language == 1 ? row.english : row.german);
      EXPECT_EQ(heard->Role(), row.role);
      EXPECT_EQ(heard->State() & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE), row.state);
    }
    tip_.reset();
    host_.Free();
  }
}

// Pressing an image button through a screen reader does what a click does,
// once the reader's call has returned; a disabled one refuses and does nothing.
TEST_F(TagEditor, AScreenReaderPressesTheImageButtons) {
  const ReaderThread reader;
  Open();
  TipWindow& tip = Tip();
  tip.ClickFile("Abendlied.mp3");
  struct Row {
    const char* typed;  // into the title first, or nothing
    fw::TControl* button;
    HRESULT result;
    std::string shown;   // the title afterwards
    std::string onDisk;  // and in the file
    size_t notices;      // save notices to the host so far
  } rows[] = {
      {"Neu", tip.undo, S_OK, "Abendlied", Zeroed("Abendlied", 30), 0},
      {"Neu", tip.ok, S_OK, Padded("Neu", 31), Padded("Neu", 30), 1},
      {nullptr, tip.ok, E_FAIL, Padded("Neu", 31), Padded("Neu", 30), 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button->Name() + (row.typed ? " after an edit" : ""));
    if (row.typed) tip.Type(tip.Title(), row.typed);
    std::string trace;
    const std::optional<Element> button = Find(*row.button, trace);
    ASSERT_TRUE(button) << trace;
    EXPECT_EQ(button->object->accDoDefaultAction(button->Id()), row.result);
    PumpUntil([&] { return tip.Title().Text() == row.shown; }, row.result == S_OK ? 10000 : 500);
    EXPECT_EQ(tip.Title().Text(), row.shown);
    EXPECT_EQ(TitleOnDisk("Abendlied.mp3"), row.onDisk);
    EXPECT_EQ(recorder_.notices.size(), row.notices);
  }
}

// The hourglass is the pointer over the file list while a tag loads, and
// the arrow is back when the load is over, also when it failed.
TEST_F(TagEditor, TheHourglassShowsWhileATagLoads) {
  Open();
  TipWindow& tip = Tip();
  ASSERT_TRUE(DeleteFileA(Path("Genre 200.mp3").c_str()));
  const HCURSOR hourglass = LoadCursorA(nullptr, IDC_WAIT);
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  // Every load changes the title: the pointer is read while it happens.
  std::vector<HCURSOR> seen;
  const fw::TNotifyEvent change = tip.Title().OnChange;
  tip.Title().OnChange = [&](fw::TComponent* sender) {
    seen.push_back(GetCursor());
    change(sender);
  };
  for (const char* file : {"Abendlied.mp3", "Bergfahrt.mp3", "Genre 200.mp3", "Abendlied.mp3"}) {
    SCOPED_TRACE(file);
    seen.clear();
    const RECT item = tip.files->ItemRect(tip.files->Items().IndexOf(file));
    MovePointer(tip.files->Handle(), {item.left + 20, (item.top + item.bottom) / 2});
    testsupport::ClickPointer();
    EXPECT_TRUE(PumpUntil([&] { return !seen.empty(); }));
    Pump();
    EXPECT_EQ(seen, std::vector<HCURSOR>(seen.size(), hourglass));
    EXPECT_EQ(GetCursor(), arrow);
  }
  tip.Title().OnChange = change;
  EXPECT_EQ(Errors().size(), 1u);
}

// Where the last pop-up menu window of this thread showed, in screen
// coordinates: seen by a hook on the thread's window procedures, since the
// menu lives only inside its modal loop.
RECT shownMenu;
LRESULT CALLBACK WatchMenus(int code, WPARAM wp, LPARAM lp) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lp);
  if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED && IsWindowVisible(call->hwnd)) {
    char name[16] = {};
    GetClassNameA(call->hwnd, name, sizeof name);
    if (std::string(name) == "#32768") GetWindowRect(call->hwnd, &shownMenu);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

// The pop-up menu opens from the keyboard (Shift+F10, the context-menu key)
// over the focused control and with a right click where the pointer is; its
// one entry broadcasts 200 once.
TEST_F(TagEditor, ThePopUpMenuOpensFromTheKeyboardAndTheMouse) {
  Open();
  TipWindow& tip = Tip();
  tip.ClickFile("Abendlied.mp3");
  const POINT clicked{10, 160};
  struct Case {
    const char* how;
    void (*open)(HWND form);
    bool atPointer;
  } cases[] = {
      {"Shift+F10",
       [](HWND) {
         PressKeys({VK_SHIFT, VK_F10});
       },
       false},
      {"context-menu key", [](HWND) { PressKeys({VK_APPS}); }, false},
      {"right click",
       [](HWND form) {
         MovePointer(form, {10, 160});
         testsupport::ClickPointer(true);
       },
       true},
  };
  const HHOOK hook =
      SetWindowsHookExA(WH_CALLWNDPROCRET, WatchMenus, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(hook);
  // Out again however the cases end: a failed assertion returns early.
  const fw::ScopeExit unhook([hook] { UnhookWindowsHookEx(hook); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    ASSERT_EQ(FocusedName(), "FileListBox1");
    const size_t before = recorder_.Count(200);
    shownMenu = {};
    c.open(tip.form->Handle());
    // Queued for the menu while it is open: the first entry, chosen.
    PressKeys({VK_DOWN});
    PressKeys({VK_RETURN});
    EXPECT_TRUE(PumpUntil([&] { return recorder_.Count(200) > before; }));
    PumpFor(200);
    EXPECT_EQ(recorder_.Count(200), before + 1);
    const POINT corner{shownMenu.left, shownMenu.top};
    if (c.atPointer) {
      POINT expected = clicked;
      ClientToScreen(tip.form->Handle(), &expected);
      EXPECT_LE(std::abs(corner.x - expected.x), 2) << corner.x << " vs " << expected.x;
      EXPECT_LE(std::abs(corner.y - expected.y), 2) << corner.y << " vs " << expected.y;
    } else {
      RECT list;
      GetWindowRect(tip.files->Handle(), &list);
      EXPECT_TRUE(PtInRect(&list, corner)) << "menu at " << corner.x << "," << corner.y;
    }
    tip.files->SetFocus();
  }
}

}  // namespace
}  // namespace tageditortest
