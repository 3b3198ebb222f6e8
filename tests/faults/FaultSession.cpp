#include "FaultSession.h"

#include "fw/Handle.h"
#include "fw/SysUtils.h"

namespace faultstest {

namespace {

void Collect(const std::string& root, const std::string& relative, Tree& tree) {
  const std::string base = relative.empty() ? root : root + "\\" + relative;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((base + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = relative.empty() ? name : relative + "\\" + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      tree[path] = std::nullopt;
      Collect(root, path, tree);
      continue;
    }
    fw::KernelHandle file(CreateFileA((root + "\\" + path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file) {
      bytes = "<unreadable>";
    } else {
      char buffer[4096];
      DWORD got = 0;
      while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    }
    tree[path] = bytes;
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}

}  // namespace

Tree Snapshot(const std::string& root) {
  Tree tree;
  Collect(root, "", tree);
  return tree;
}

std::string Padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

FaultSession::FaultSession() {
  using tageditortest::Record;
  RegDeleteKeyValueA(HKEY_CURRENT_USER, "SOFTWARE\\Tovrane\\Quindrel 2000", "BSControl");
  temp_.WriteFile("Musik\\Abendlied.mp3",
                  audio_ + Record({"Abendlied", "Die Zwei", "Erste Platte", "1999", "", 0}));
  temp_.WriteFile("Musik\\Bergfahrt.mp3",
                  audio_ + Record({"Bergfahrt", "Seilschaft", "Gipfel", "2003", "", 17}));
  temp_.WriteFile("Andere\\Ersatz.mp3", audio_ + Record({"Ersatz", "", "", "", "", 12}));
  fw::ChDir(temp_.Path());
}

void FaultSession::Open() {
  ASSERT_EQ(host_.Create(), 0);
  tageditortest::Pump();
  tip_.emplace();
  tip_->OpenDirectory("Musik");
}

std::string FaultSession::TitleOnDisk(const std::string& relative) const {
  return tageditortest::RecordBytes(Read(relative), 3, 30);
}

std::vector<std::string> FaultSession::Errors() const {
  return dialogs_->Texts(testsupport::DialogKind::Exception);
}

std::size_t FaultSession::Notices(WPARAM command) const {
  std::size_t n = 0;
  for (const auto& notice : recorder_.notices) n += notice.first == command;
  return n;
}

void FaultSession::SaveAnotherFile() {
  TipWindow& tip = Tip();
  // The temp folder is a level above Musik, wherever the lists stand.
  const std::string folder = temp_.Path().substr(temp_.Path().rfind('\\') + 1);
  tip.OpenDirectory(folder);
  tip.OpenDirectory("Andere");
  ASSERT_EQ(testsupport::ItemTexts(*tip.files), std::vector<std::string>{"Ersatz.mp3"});
  tip.ClickFile("Ersatz.mp3");
  ASSERT_EQ(tip.Title().Text(), "Ersatz");
  const std::size_t errors = Errors().size();
  const std::size_t saves = Notices(9999);
  tip.Type(tip.Title(), "Gerettet");
  EXPECT_EQ(host_.Changed(), 1);
  tip.Click(*tip.ok);
  EXPECT_EQ(TitleOnDisk("Andere\\Ersatz.mp3"), Padded("Gerettet"));
  EXPECT_EQ(Errors().size(), errors);
  EXPECT_EQ(Notices(9999), saves + 1);
  EXPECT_EQ(host_.Changed(), 2);
  EXPECT_FALSE(tip.ok->Enabled());
}

}  // namespace faultstest
