#include "testsupport/EditorModel.h"

#include <algorithm>
#include <cctype>

namespace testsupport {

namespace {

constexpr std::size_t kRecord = 128;
constexpr std::size_t kOffsets[] = {3, 33, 63, 93, 97};
constexpr std::size_t kWidths[] = {30, 30, 30, 4, 30};
constexpr int kGenres = 149;

std::string Join(const std::string& dir, const std::string& name) {
  return dir.empty() ? name : dir + "\\" + name;
}

std::string FolderOf(const std::string& path) {
  const auto cut = path.rfind('\\');
  return cut == std::string::npos ? "" : path.substr(0, cut);
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool HasMarker(const std::string& bytes) {
  return bytes.size() >= kRecord && Lower(bytes.substr(bytes.size() - kRecord, 3)) == "tag";
}

}  // namespace

std::optional<std::string> EditorModel::CodePage(const std::string& utf8) {
  // Only the letters the tests type: ASCII and the Latin-1 half, where the
  // code page's byte is the character's number.
  std::string bytes;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      bytes += utf8[i++];
      continue;
    }
    if ((lead & 0xE0) != 0xC0 || i + 1 >= utf8.size()) return std::nullopt;
    const unsigned code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
    if (code < 0xA0 || code > 0xFF) return std::nullopt;
    bytes += static_cast<char>(code);
    i += 2;
  }
  return bytes;
}

std::string EditorModel::FieldText(const std::string& record, std::size_t offset,
                                   std::size_t width) {
  std::string kept;
  for (char c : record.substr(offset, width))
    if (c != '\0') kept += c;
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!kept.empty() && blank(kept.back())) kept.pop_back();
  const auto first = std::find_if_not(kept.begin(), kept.end(), blank);
  std::string utf8;
  for (auto it = first; it != kept.end(); ++it) {
    const auto c = static_cast<unsigned char>(*it);
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

std::string EditorModel::SelectedPath() const {
  return selected >= 0 ? Join(dir, list[static_cast<std::size_t>(selected)]) : "";
}

void EditorModel::Relist() {
  list.clear();
  for (const auto& [path, entry] : disk) {
    if (entry.folder || FolderOf(path) != dir) continue;
    const std::string name = NameOf(path);
    if (name.size() > 4 && Lower(name.substr(name.size() - 4)) == ".mp3") list.push_back(name);
  }
  std::sort(list.begin(), list.end(),
            [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
  selected = -1;
}

void EditorModel::Create() {
  open = true;
  Relist();
  current.clear();
  unread.clear();
  fields = kept = {};
  genre = -1;
  keptGenre = 0;
  fieldsEnabled = true;
  ok = play = edited = false;
  commentWidth = 30;
}

void EditorModel::Edit(bool byUser) {
  ok = true;
  saved = false;
  changed = true;
  if (byUser) edited = true;
}

void EditorModel::Fill(const std::optional<std::string>& record) {
  edited = false;
  fieldsEnabled = record.has_value();
  const bool track = record && (*record)[125] == '\0' && (*record)[126] != '\0';
  commentWidth = track ? 28 : 30;
  for (std::size_t i = 0; i < 5; ++i) {
    const std::string text =
        record ? FieldText(*record, kOffsets[i], i == 4 ? commentWidth : kWidths[i]) : "";
    // A load counts as a change for the host wherever a text comes or goes.
    if (!fields[i].empty() || !text.empty()) Edit(false);
    fields[i] = kept[i] = text;
  }
  const int byte = record ? static_cast<unsigned char>((*record)[127]) : -1;
  genre = keptGenre = byte >= 0 && byte < kGenres ? byte : -1;
}

void EditorModel::Load(const std::string& path) {
  play = true;
  current = path;
  unread.clear();
  const auto entry = disk.find(path);
  if (entry == disk.end() || entry->second.folder || entry->second.held) {
    unread = path;
    Fill(std::nullopt);
    errors.push_back(Error::Open);
  } else if (HasMarker(entry->second.bytes)) {
    Fill(entry->second.bytes.substr(entry->second.bytes.size() - kRecord));
  } else {
    Fill(std::nullopt);
  }
  ok = false;
}

void EditorModel::ReturnToEdited() {
  const std::string folder = FolderOf(current);
  if (folder != dir) {
    dir = folder;
    Relist();
  }
  const auto item = std::find(list.begin(), list.end(), NameOf(current));
  selected = item == list.end() ? -1 : static_cast<int>(item - list.begin());
}

bool EditorModel::MayLeave(Answer answer) {
  questions.push_back("\xC3\x84nderungen an " + NameOf(current) + " speichern?");
  switch (answer) {
    case Answer::Yes:
      if (SaveInto(current, errors)) return true;
      ReturnToEdited();
      return false;
    case Answer::No:
      for (std::size_t i = 0; i < 5; ++i)
        if (fields[i] != kept[i]) Edit(false);
      fields = kept;
      genre = keptGenre;
      edited = false;
      return true;
    case Answer::Cancel:
      break;
  }
  ReturnToEdited();
  return false;
}

void EditorModel::OpenFolder(const std::string& folder, Answer answer) {
  dir = folder;
  Relist();
  // The new folder's list with nothing selected leaves the edited file.
  if (edited && !current.empty() && !MayLeave(answer)) return;
  play = ok = false;
}

void EditorModel::Select(int index, Answer answer) {
  if (index == selected) return;
  const std::string path = Join(dir, list[static_cast<std::size_t>(index)]);
  selected = index;
  if (edited && !current.empty() && path != current && !MayLeave(answer)) return;
  Load(path);
}

void EditorModel::Type(int field, const std::string& text, bool replace) {
  std::string& shown = fields[static_cast<std::size_t>(field)];
  if (replace && !shown.empty()) {
    shown.clear();
    Edit(true);
  }
  if (!text.empty()) {
    shown += text;
    Edit(true);
  }
}

void EditorModel::Backspace(int field) {
  std::string& shown = fields[static_cast<std::size_t>(field)];
  if (shown.empty()) return;
  while (!shown.empty() && (static_cast<unsigned char>(shown.back()) & 0xC0) == 0x80)
    shown.pop_back();
  shown.pop_back();
  Edit(true);
}

void EditorModel::NextGenre() {
  if (genre + 1 >= kGenres) return;
  ++genre;
  Edit(true);
}

void EditorModel::Undo() {
  for (std::size_t i = 0; i < 5; ++i)
    if (fields[i] != kept[i]) Edit(false);
  fields = kept;
  genre = keptGenre;
  edited = false;
  restored = true;
}

int EditorModel::HostSave() {
  if (!open) return 0;
  SaveInto(SelectedPath(), hostErrors);
  return 1;
}

std::size_t EditorModel::Width(int field) const {
  return field == 4 ? static_cast<std::size_t>(commentWidth) : kWidths[field];
}

bool EditorModel::SaveInto(const std::string& path, std::vector<Error>& raised) {
  if (!unread.empty() && path == unread) {
    raised.push_back(Error::Unread);
    return false;
  }
  std::array<std::string, 5> bytes;
  for (std::size_t i = 0; i < 5; ++i) {
    const std::optional<std::string> text = CodePage(fields[i]);
    if (!text) {
      raised.push_back(Error::Field);
      return false;
    }
    bytes[i] = *text;
  }
  const auto entry = disk.find(path);
  if (path.empty() || entry == disk.end() || entry->second.folder || entry->second.held) {
    raised.push_back(Error::Open);
    return false;
  }
  std::string& file = entry->second.bytes;
  if (!HasMarker(file)) {
    raised.push_back(Error::NoTag);
    return false;
  }
  // Into the file's last 128 bytes as they are now; the marker stays as spelt.
  const std::size_t start = file.size() - kRecord;
  const bool track = file[start + 125] == '\0' && file[start + 126] != '\0';
  commentWidth = track ? 28 : 30;
  for (std::size_t i = 0; i < 5; ++i) {
    const std::size_t width = Width(static_cast<int>(i));
    for (std::size_t k = 0; k < width; ++k) {
      const char c = k < bytes[i].size() ? bytes[i][k] : ' ';
      file[start + kOffsets[i] + k] = c == '\0' ? ' ' : c;
    }
  }
  if (genre >= 0) file[start + 127] = static_cast<char>(genre);
  // The edits show what went to disk: blanks to one past the field.
  for (std::size_t i = 0; i < 5; ++i) {
    const std::size_t width = Width(static_cast<int>(i));
    if (bytes[i].size() <= width) {
      fields[i] += std::string(width + 1 - bytes[i].size(), ' ');
      Edit(false);
    }
  }
  edited = ok = false;
  saved = true;
  notices.push_back(Nr());
  return true;
}

}  // namespace testsupport
