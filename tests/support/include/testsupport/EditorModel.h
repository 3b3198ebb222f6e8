#pragma once
// What the tag editor should show and write, worked out from its documented
// behaviour alone: the files on disk, the folder and file the lists show, the
// fields with the values Undo brings back, OK and Play, the question before
// edits are left and the answer given, and what the host hears. A test does
// an action to the real window and the same one here, then compares the two.
// Plain logic: no window, no file.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

class EditorModel {
 public:
  // An entry of the session folder, by its path relative to the folder.
  struct Entry {
    bool folder = false;
    std::string bytes;
    // Another handle holds it without sharing: no one else opens it.
    bool held = false;
  };
  // What the user sees and an export answers for, and what the window said.
  enum class Error { Open, NoTag, Unread, Field };
  enum class Answer { Yes, No, Cancel };

  std::map<std::string, Entry> disk;

  // The window exists; the folder its lists show; the file list's items and
  // selection; the file the fields were last filled from.
  bool open = false;
  std::string dir;
  std::vector<std::string> list;
  int selected = -1;
  std::string current, unread;
  std::array<std::string, 5> fields, kept;
  int genre = -1, keptGenre = 0;
  bool fieldsEnabled = true, ok = false, play = false, edited = false;
  int commentWidth = 30;
  // The module-wide flags behind ModulChanged and ModulNr.
  bool changed = false, saved = false, restored = false;

  // What should have happened so far: the 9999 notices' arguments, the error
  // boxes, the questions, and the errors a host's save raised.
  std::vector<long> notices;
  std::vector<Error> errors, hostErrors;
  std::vector<std::string> questions;

  // The window is made in the folder the process is in; the lists are read.
  void Create();
  void Close() { open = false; }
  // The directory list opens a folder; `answer` is the one a question gets.
  void OpenFolder(const std::string& folder, Answer answer);
  // The file list's selection moves to an item, by pointer or key.
  void Select(int index, Answer answer);
  // A field's text replaced by typing or with text typed on at its end.
  void Type(int field, const std::string& text, bool replace);
  void Backspace(int field);
  // The genre list's Down key: the next genre.
  void NextGenre();
  void Undo();
  // Esc in a field.
  void Escape() {
    if (edited) Undo();
  }
  // OK clicked, or Ctrl+S: only while OK is enabled.
  void Ok() {
    if (ok) SaveInto(SelectedPath(), errors);
  }
  // ModulSaveChanges: what it answers.
  int HostSave();
  int Changed() const { return !changed ? 0 : saved ? 2 : 1; }
  int Nr() const { return restored ? 1 : 2; }

  std::string SelectedPath() const;
  // Whether a UTF-8 text has a form in the record's code page, and that form.
  static std::optional<std::string> CodePage(const std::string& utf8);
  // The record's text as the field shows it.
  static std::string FieldText(const std::string& bytes, std::size_t offset, std::size_t width);

 private:
  void Relist();
  void Load(const std::string& path);
  void Fill(const std::optional<std::string>& record);
  void Edit(bool byUser);
  bool MayLeave(Answer answer);
  void ReturnToEdited();
  bool SaveInto(const std::string& path, std::vector<Error>& raised);
  std::size_t Width(int field) const;
};

}  // namespace testsupport
