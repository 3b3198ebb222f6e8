// A user's hour in a minute: seeded random sequences of clicks, keys, saves,
// folder changes, host messages and export calls, and files changed behind
// the editor's back, each done to the real window and to the model of the
// editor; after every action the window and the folder must agree with the
// model. A failure names its seed and the shortest list of actions found
// that still fails.
//
// OMBRIK_RANDOM_ACTIONS=<n> OMBRIK_RANDOM_SEED=<s> runs the long run (the
// case LongRun; scripts/long-run), which prints the speed and what the
// process holds every 1,000 actions.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "FaultSession.h"
#include "fw/Handle.h"
#include "fw/SysUtils.h"
#include "testsupport/EditorModel.h"
#include "testsupport/ProcessObjects.h"
#include "testsupport/UserInput.h"

namespace faultstest {
namespace {

using testsupport::EditorModel;
using testsupport::PressKeys;
using Answer = EditorModel::Answer;
using Texts = std::vector<std::string>;

enum class Kind {
  ClickFile,
  ListKey,
  PageKey,
  Type,
  Append,
  Backspace,
  Tab,
  Ok,
  CtrlS,
  Undo,
  Escape,
  Genre,
  Folder,
  Command,
  Recreate,
  HostSave,
  Behind,
};
// How often each kind is drawn, in the order above.
constexpr int kWeights[] = {12, 6, 6, 14, 6, 4, 3, 8, 5, 4, 4, 4, 5, 3, 1, 5, 8};

struct Action {
  Kind kind;
  unsigned a, b, c;
  std::string text;
};

const char* const kFiles[] = {"Musik\\Abendlied.mp3",    "Musik\\Bergfahrt.mp3",
                              "Musik\\Genre 150.mp3",    "Musik\\Kurz.mp3",
                              "Musik\\Leer.mp3",         "Musik\\Ohne Tag.mp3",
                              "Musik\\Live\\Zugabe.mp3", "Musik\\Live\\Zweite.mp3"};

std::string TagOf(const std::string& title, int genre, int track) {
  return tageditortest::Record(
      {title, "Die Zwei", "Caf\xE9", "1999", "Im Keller", genre, track, "TAG"});
}

// Words that fit, letters of code page 1252, texts past the field, blanks at
// the ends, and now and then a letter that the code page lacks.
std::string RandomText(std::mt19937& rng) {
  static const char* const pieces[] = {"Neu",         "Lied", " ", "\xC3\xA4",  "\xC3\xBC\xC3\x9F",
                                       "Caf\xC3\xA9", "2024", "x", "Abend rot", "  "};
  std::string text;
  const unsigned kind = rng() % 12;
  if (kind == 0) return "";
  if (kind == 1) return std::string(30 + rng() % 12, static_cast<char>('a' + rng() % 26));
  if (kind == 2) text = "\xD0\x96";  // Cyrillic
  for (unsigned n = 1 + rng() % 4; n > 0; --n) text += pieces[rng() % std::size(pieces)];
  return text;
}

std::string Describe(const Action& action);

std::vector<Action> Generate(unsigned seed, std::size_t count) {
  std::mt19937 rng(seed);
  // OMBRIK_RANDOM_KINDS=Type,Ok,...: only those kinds, to narrow a finding down.
  int weights[std::size(kWeights)];
  const char* only = std::getenv("OMBRIK_RANDOM_KINDS");
  int total = 0;
  for (std::size_t k = 0; k < std::size(kWeights); ++k) {
    const std::string name = Describe({static_cast<Kind>(k), 0, 0, 0, ""});
    const std::string bare = name.substr(0, name.find('('));
    const bool wanted =
        !only || ("," + std::string(only) + ",").find("," + bare + ",") != std::string::npos;
    weights[k] = wanted ? kWeights[k] : 0;
    total += weights[k];
  }
  std::vector<Action> actions;
  for (std::size_t i = 0; i < count; ++i) {
    int pick = static_cast<int>(rng() % static_cast<unsigned>(total));
    int k = 0;
    while (pick >= weights[k]) pick -= weights[k++];
    Action action{static_cast<Kind>(k), rng(), rng(), rng(), ""};
    if (action.kind == Kind::Type || action.kind == Kind::Append) action.text = RandomText(rng);
    actions.push_back(action);
  }
  return actions;
}

std::string Describe(const Action& action) {
  static const char* const names[] = {"ClickFile", "ListKey", "PageKey", "Type",    "Append",
                                      "Backspace", "Tab",     "Ok",      "CtrlS",   "Undo",
                                      "Escape",    "Genre",   "Folder",  "Command", "Recreate",
                                      "HostSave",  "Behind"};
  std::ostringstream out;
  out << names[static_cast<int>(action.kind)] << "(" << action.a % 1000 << "," << action.b % 1000
      << "," << action.c % 1000;
  if (!action.text.empty()) out << ",\"" << action.text << "\"";
  out << ")";
  return out.str();
}

Answer AnswerOf(unsigned value) {
  return value % 3 == 0 ? Answer::Yes : value % 3 == 1 ? Answer::No : Answer::Cancel;
}

int DialogResult(Answer answer) {
  return answer == Answer::Yes ? fw::mrYes : answer == Answer::No ? fw::mrNo : fw::mrCancel;
}

const char* ErrorWords(EditorModel::Error error) {
  switch (error) {
    case EditorModel::Error::Open:
      return "Cannot open file";
    case EditorModel::Error::NoTag:
      return "carries no ID3v1 tag";
    case EditorModel::Error::Unread:
      return "could not be read";
    case EditorModel::Error::Field:
      return "holds characters";
  }
  return "";
}

// Counts the F24 keys this thread has taken from its queue: one pressed after
// an action's input says that the input before it has been handled.
int sentinels = 0;
LRESULT CALLBACK CountSentinels(int code, WPARAM key, LPARAM flags) {
  if (code == HC_ACTION && key == VK_F24 && (flags & 0x80000000) == 0) ++sentinels;
  return CallNextHookEx(nullptr, code, key, flags);
}

// A click on a list item, a little to the left or right of the last one: a
// second click at the same place would be a double click, which Play takes.
void ClickItem(fw::TCustomListBox& list, int index) {
  static bool right = false;
  right = !right;
  const RECT r = list.ItemRect(index);
  testsupport::MovePointer(list.Handle(), {r.left + (right ? 60 : 20), (r.top + r.bottom) / 2});
  testsupport::ClickPointer();
}

struct Outcome {
  std::string failure;  // empty: every action agreed with the model
  std::size_t failedAt = 0;
};

struct Checkpoint {
  std::size_t actions, widthChanges;
  double seconds;
  testsupport::ProcessObjects objects;
};

class RandomActions : public testing::Test {
 protected:
  RandomActions() {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "SOFTWARE\\Tovrane\\Quindrel 2000", "BSControl");
    hook_ = SetWindowsHookExA(WH_KEYBOARD, CountSentinels, nullptr, GetCurrentThreadId());
  }
  ~RandomActions() override { UnhookWindowsHookEx(hook_); }

  // Runs the actions in a fresh folder with a freshly loaded module.
  Outcome Run(const std::vector<Action>& actions,
              const std::function<void(std::size_t)>& everyAction = {});
  // Fails with the seed and the shortest failing list found by dropping actions.
  void RunSeed(unsigned seed, std::size_t count);

  testsupport::RegistryGuard settings_{"SOFTWARE\\Tovrane\\Quindrel 2000"};
  testsupport::CurrentDirGuard cwd_;
  testsupport::ErrorModeGuard errorMode_;
  testsupport::ScopedDialogs dialogs_;
  testsupport::ScopedShell shell_;
  testsupport::HostWindow recorder_;
  HHOOK hook_ = nullptr;
  // Per kind of action: how many were done, and the time they took.
  struct {
    std::size_t count[std::size(kWeights)] = {};
    double seconds[std::size(kWeights)] = {};
  } stats_;
};

// One run: the folder, the host, the window, and the model beside them.
class Session {
 public:
  Session(testsupport::RecordingDialogs& dialogs, testsupport::HostWindow& recorder)
      : dialogs_(dialogs), recorder_(recorder) {
    dialogs_.Records.clear();
    dialogs_.Answers.clear();
    recorder_.notices.clear();
    const std::string audio = tageditortest::Audio();
    model_.disk["Musik"].folder = model_.disk["Musik\\Live"].folder = true;
    Write("Musik\\Abendlied.mp3", audio + TagOf("Abendlied", 0, 0));
    Write("Musik\\Bergfahrt.mp3", audio + TagOf("Bergfahrt", 17, 7));
    Write("Musik\\Genre 150.mp3", audio + TagOf("Barock", 150, 0));
    Write("Musik\\Kurz.mp3", audio.substr(0, 100));
    Write("Musik\\Leer.mp3", "");
    Write("Musik\\Ohne Tag.mp3", audio);
    Write("Musik\\Notiz.txt", "keine MP3-Datei");
    Write("Musik\\Live\\Zugabe.mp3", audio + TagOf("Zugabe", 148, 3));
    Write("Musik\\Live\\Zweite.mp3", audio + TagOf("Zweite", 255, 0));
    fw::ChDir(temp_.Path());
    Create();
    Do({Kind::Folder, 0, 0, 0, ""});
  }
  ~Session() {
    held_.clear();
    host_.reset();
  }

  // Does one action to the window and the model; false where it does not
  // apply in the state the model is in.
  bool Do(const Action& action);
  // What differs between the window, the folder and the model; empty if nothing.
  std::string Compare();
  std::size_t Held() const { return held_.size(); }
  std::size_t WidthChanges() const { return widthChanges_; }
  // The window's state in a line, for a trace.
  std::string Shown() const {
    if (!model_.open) return "(closed)";
    const int index = tip_->files->ItemIndex();
    return model_.dir + " [" + (index >= 0 ? tip_->files->Items().Strings(index) : "") + "] \"" +
           tip_->Title().Text() + "\" OK " + (tip_->ok->Enabled() ? "on" : "off");
  }
  // What was compared is let go, so that a long run keeps no history.
  void Forget() {
    model_.notices.clear();
    model_.errors.clear();
    model_.questions.clear();
    dialogs_.Records.clear();
    recorder_.notices.clear();
  }

 private:
  void Write(const std::string& path, const std::string& bytes) {
    temp_.WriteFile(path, bytes);
    model_.disk[path] = {false, bytes, false};
  }
  void Create() {
    host_->Create(args_);
    tageditortest::Pump();
    tip_.emplace();
    model_.Create();
  }
  // Lets the window handle the input sent so far.
  void Settle() {
    const int before = sentinels;
    PressKeys({VK_F24});
    testsupport::PumpUntil([&] { return sentinels > before; }, 5000);
    tageditortest::Pump();
  }
  void Ask(Answer answer) { dialogs_.Answers = {DialogResult(answer)}; }
  bool Behind(const Action& action);

  testsupport::RecordingDialogs& dialogs_;
  testsupport::HostWindow& recorder_;
  testsupport::TempDir temp_;
  std::optional<moduletest::ModuleHost> host_{std::in_place};
  std::optional<TipWindow> tip_;
  moduletest::CreateArgs args_;
  std::map<std::string, fw::KernelHandle> held_;
  EditorModel model_;
  std::string hostMismatch_;
  std::size_t widthChanges_ = 0;
};

bool Session::Behind(const Action& action) {
  const std::string file = kFiles[action.a % std::size(kFiles)];
  const std::string path = temp_ / file;
  const unsigned what = action.b % 11;
  if (what == 9) {
    // Every handle let go.
    if (held_.empty()) return false;
    held_.clear();
    for (auto& [name, entry] : model_.disk) entry.held = false;
    return true;
  }
  const auto found = model_.disk.find(file);
  const bool exists = found != model_.disk.end();
  if (exists && found->second.held) return false;
  const bool isFile = exists && !found->second.folder;
  const std::string bytes = isFile ? found->second.bytes : "";
  const bool tagged = bytes.size() >= 128;
  const std::string audio = tageditortest::Audio(1 + static_cast<int>(action.c % 3));
  switch (what) {
    case 0:  // rewritten by another tagger
      if (!isFile) return false;
      Write(file, audio + TagOf("Fremd " + std::to_string(action.c % 100),
                                static_cast<int>(action.c % 200), action.c % 2 ? 0 : 5));
      return true;
    case 1:  // its tag cut off
      if (!tagged) return false;
      Write(file, bytes.substr(0, bytes.size() - 128));
      return true;
    case 2:  // shorter than a record
      if (!isFile) return false;
      Write(file, bytes.substr(0, std::min<std::size_t>(bytes.size(), 100)));
      return true;
    case 3:  // emptied
      if (!isFile) return false;
      Write(file, "");
      return true;
    case 4:  // grown before its tag: the tag still ends the file
      if (!tagged) return false;
      Write(file, audio + bytes);
      return true;
    case 5:  // grown past its tag
      if (!isFile) return false;
      Write(file, bytes + audio);
      return true;
    case 6:  // deleted
      if (!isFile || !DeleteFileA(path.c_str())) return false;
      model_.disk.erase(file);
      return true;
    case 7:  // a folder in its place
      if (!isFile || !DeleteFileA(path.c_str())) return false;
      CreateDirectoryA(path.c_str(), nullptr);
      model_.disk[file] = {true, "", false};
      return true;
    case 8:  // held by a handle that shares nothing
      if (!isFile) return false;
      held_[file].reset(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
      model_.disk[file].held = true;
      return true;
    default:  // back as a tagged file
      if (isFile) return false;
      if (exists) RemoveDirectoryA(path.c_str());
      Write(file, audio + TagOf("Wieder da", 12, 0));
      return true;
  }
}

bool Session::Do(const Action& action) {
  EditorModel& m = model_;
  if (action.kind == Kind::Behind) return Behind(action);
  if (action.kind == Kind::Recreate) {
    // The host ends the window with command 0 and makes it again.
    if (m.open) SendMessageA(moduletest::ModuleHost::Window(), recorder_.Message(), 0, 0);
    tageditortest::Pump();
    tip_.reset();
    m.Close();
    args_ = {};
    Create();
    return true;
  }
  if (action.kind == Kind::HostSave) {
    int answered = 1;
    std::string error;
    try {
      answered = host_->SaveChanges();
    } catch (const std::exception& e) {
      error = e.what();
    }
    const int expected = m.HostSave();
    const std::string words = m.hostErrors.empty() ? "" : ErrorWords(m.hostErrors.back());
    m.hostErrors.clear();
    if (answered != expected || error.empty() != words.empty() ||
        error.find(words) == std::string::npos)
      hostMismatch_ = "the host's save answered " + std::to_string(answered) + " \"" + error +
                      "\", model " + std::to_string(expected) + " \"" + words + "\"";
    return true;
  }
  if (!m.open) return false;
  TipWindow& tip = *tip_;
  const int field = static_cast<int>(action.b % 5);
  const int count = static_cast<int>(m.list.size());
  switch (action.kind) {
    case Kind::ClickFile: {
      if (count == 0) return false;
      const int index = static_cast<int>(action.a % static_cast<unsigned>(count));
      Ask(AnswerOf(action.c));
      ClickItem(*tip.files, index);
      Settle();
      m.Select(index, AnswerOf(action.c));
      break;
    }
    case Kind::ListKey: {
      if (m.selected < 0) return false;
      static const WORD keys[] = {VK_UP, VK_DOWN, VK_HOME, VK_END};
      const WORD key = keys[action.a % 4];
      const int index = key == VK_UP     ? std::max(m.selected - 1, 0)
                        : key == VK_DOWN ? std::min(m.selected + 1, count - 1)
                        : key == VK_HOME ? 0
                                         : count - 1;
      tip.files->SetFocus();
      Ask(AnswerOf(action.c));
      PressKeys({key});
      Settle();
      m.Select(index, AnswerOf(action.c));
      break;
    }
    case Kind::PageKey: {
      if (!m.fieldsEnabled) return false;
      const bool next = action.a % 2 == 0;
      const int index = m.selected + (next ? 1 : -1);
      tip.edits[field]->SetFocus();
      Ask(AnswerOf(action.c));
      PressKeys({static_cast<WORD>(next ? VK_NEXT : VK_PRIOR)});
      Settle();
      if (index >= 0 && index < count) m.Select(index, AnswerOf(action.c));
      break;
    }
    case Kind::Type:
    case Kind::Append:
      if (!m.fieldsEnabled) return false;
      tip.Type(*tip.edits[field], action.text, action.kind == Kind::Type);
      Settle();
      m.Type(field, action.text, action.kind == Kind::Type);
      break;
    case Kind::Backspace:
      if (!m.fieldsEnabled) return false;
      tip.Type(*tip.edits[field], "\b", false);
      Settle();
      m.Backspace(field);
      break;
    case Kind::Tab:
      PressKeys({VK_TAB});
      Settle();
      break;
    case Kind::Ok:
      tip.Click(*tip.ok);
      Settle();
      m.Ok();
      break;
    case Kind::CtrlS:
      tip.files->SetFocus();
      PressKeys({VK_CONTROL, 'S'});
      Settle();
      m.Ok();
      break;
    case Kind::Undo:
      tip.Click(*tip.undo);
      Settle();
      m.Undo();
      break;
    case Kind::Escape:
      if (!m.fieldsEnabled) return false;
      tip.edits[field]->SetFocus();
      PressKeys({VK_ESCAPE});
      Settle();
      m.Escape();
      break;
    case Kind::Genre:
      if (!m.fieldsEnabled) return false;
      tip.PickNextGenreWithKey();
      Settle();
      m.NextGenre();
      break;
    case Kind::Folder: {
      const std::string to = m.dir == "Musik" ? "Musik\\Live" : "Musik";
      Ask(AnswerOf(action.c));
      tip.OpenDirectory(to == "Musik" ? "Musik" : "Live");
      Settle();
      m.OpenFolder(to, AnswerOf(action.c));
      break;
    }
    case Kind::Command: {
      // Where and how big the host wants the window, or shown again.
      static const WPARAM commands[] = {10, 11, 12, 13, 200};
      const WPARAM command = commands[action.a % 5];
      const int value = command == 10   ? static_cast<int>(action.c % 200)
                        : command == 11 ? static_cast<int>(action.c % 150)
                        : command == 12 ? 350 + static_cast<int>(action.c % 100)
                                        : 480 + static_cast<int>(action.c % 80);
      SendMessageA(moduletest::ModuleHost::Window(), recorder_.Message(), command,
                   static_cast<LPARAM>(value));
      Settle();
      if (command == 10) args_.left = value == 0 ? 1 : value;
      if (command == 11) args_.top = value == 0 ? 1 : value;
      if (command == 12) {
        widthChanges_ += value != args_.width;
        args_.width = value;
      }
      if (command == 13) args_.height = value;
      break;
    }
    default:
      return false;
  }
  return true;
}

std::string Session::Compare() {
  const EditorModel& m = model_;
  std::ostringstream out;
  auto check = [&out](bool same, const std::string& what) {
    if (!same) out << what << "; ";
  };
  const std::string hostMismatch = std::exchange(hostMismatch_, "");
  check(hostMismatch.empty(), hostMismatch);
  check(host_->Changed() == m.Changed(), "ModulChanged " + std::to_string(host_->Changed()) +
                                             ", model " + std::to_string(m.Changed()));
  check(host_->Nr() == m.Nr(), "ModulNr " + std::to_string(host_->Nr()));
  std::vector<long> notices;
  for (const auto& [command, argument] : recorder_.notices)
    if (command == 9999) notices.push_back(static_cast<long>(argument));
  check(notices == m.notices, "9999 notices " + std::to_string(notices.size()) + ", model " +
                                  std::to_string(m.notices.size()));
  const Texts errors = dialogs_.Texts(testsupport::DialogKind::Exception);
  bool sameErrors = errors.size() == m.errors.size();
  for (std::size_t i = 0; sameErrors && i < errors.size(); ++i)
    sameErrors = errors[i].find(ErrorWords(m.errors[i])) != std::string::npos;
  check(sameErrors, "errors " + testing::PrintToString(errors) + ", model expects " +
                        std::to_string(m.errors.size()) +
                        (m.errors.empty() ? "" : std::string(" ") + ErrorWords(m.errors.back())));
  check(dialogs_.Texts(testsupport::DialogKind::Dialog) == m.questions,
        "questions " + testing::PrintToString(dialogs_.Texts(testsupport::DialogKind::Dialog)) +
            ", model " + testing::PrintToString(m.questions));
  if (m.open) {
    const TipWindow& tip = *tip_;
    const Texts shown = tip.Texts();
    check(
        shown == Texts(m.fields.begin(), m.fields.end()),
        "fields " + testing::PrintToString(shown) + ", model " + testing::PrintToString(m.fields));
    check(tip.FieldsEnabled() == std::vector<bool>(6, m.fieldsEnabled),
          "fields enabled " + testing::PrintToString(tip.FieldsEnabled()));
    check(tip.genre->ItemIndex() == m.genre,
          "genre " + std::to_string(tip.genre->ItemIndex()) + ", model " + std::to_string(m.genre));
    check(tip.ok->Enabled() == m.ok, std::string("OK ") + (m.ok ? "disabled" : "enabled"));
    check(tip.play->Enabled() == m.play, std::string("Play ") + (m.play ? "disabled" : "enabled"));
    const Texts items = testsupport::ItemTexts(*tip.files);
    check(items == m.list,
          "files " + testing::PrintToString(items) + ", model " + testing::PrintToString(m.list));
    check(tip.files->ItemIndex() == m.selected, "selection " +
                                                    std::to_string(tip.files->ItemIndex()) +
                                                    ", model " + std::to_string(m.selected));
    const RECT r = tip.form->BoundsRect();
    check(r.left == args_.left && r.top == args_.top && r.right - r.left == args_.width &&
              r.bottom - r.top == args_.height,
          "window at " + std::to_string(r.left) + "," + std::to_string(r.top));
  }
  Tree expected;
  for (const auto& [path, entry] : m.disk)
    expected[path] = entry.folder ? std::nullopt
                     : entry.held ? std::optional<std::string>("<unreadable>")
                                  : std::optional<std::string>(entry.bytes);
  const Tree onDisk = Snapshot(temp_.Path());
  for (const auto& [path, bytes] : expected)
    check(onDisk.count(path) && onDisk.at(path) == bytes, "on disk: " + path);
  check(onDisk.size() == expected.size(), "on disk: entries the model lacks");
  return out.str();
}

Outcome RandomActions::Run(const std::vector<Action>& actions,
                           const std::function<void(std::size_t)>& everyAction) {
  Outcome outcome;
  Session session(*dialogs_, recorder_);
  outcome.failure = session.Compare();
  const bool trace = std::getenv("OMBRIK_RANDOM_TRACE") != nullptr;
  for (std::size_t i = 0; i < actions.size() && outcome.failure.empty(); ++i) {
    const auto began = std::chrono::steady_clock::now();
    const bool done = session.Do(actions[i]);
    const auto kind = static_cast<std::size_t>(actions[i].kind);
    stats_.count[kind] += done;
    stats_.seconds[kind] +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    if (trace)
      std::printf("%zu %s%s | %s\n", i + 1, Describe(actions[i]).c_str(), done ? "" : " -",
                  session.Shown().c_str());
    if (!done) continue;
    outcome.failure = session.Compare();
    outcome.failedAt = i;
    session.Forget();
    if (everyAction) everyAction(i + 1);
  }
  return outcome;
}

void RandomActions::RunSeed(unsigned seed, std::size_t count) {
  const std::vector<Action> actions = Generate(seed, count);
  const Outcome first = Run(actions);
  if (first.failure.empty()) return;
  // Shrunk by dropping runs of actions, halving their length, while it
  // still fails; bounded in time, the shortest so far is what is printed.
  std::vector<Action> shortest(actions.begin(), actions.begin() + first.failedAt + 1);
  std::string failure = first.failure;
  const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(3);
  for (std::size_t chunk = shortest.size() / 2; chunk >= 1; chunk /= 2) {
    for (std::size_t start = 0; start < shortest.size() && shortest.size() > 1;) {
      if (std::chrono::steady_clock::now() > until) break;
      std::vector<Action> fewer(shortest.begin(), shortest.begin() + start);
      fewer.insert(fewer.end(), shortest.begin() + std::min(start + chunk, shortest.size()),
                   shortest.end());
      const Outcome again = Run(fewer);
      if (again.failure.empty()) {
        start += chunk;
        continue;
      }
      fewer.resize(again.failedAt + 1);
      shortest = fewer;
      failure = again.failure;
    }
    if (chunk == 1) break;
  }
  std::ostringstream list;
  for (const Action& action : shortest) list << "\n  " << Describe(action);
  ADD_FAILURE() << "seed " << seed << ", action " << first.failedAt + 1 << " of " << count << ": "
                << first.failure << "\nshortest failing list (" << shortest.size()
                << " actions): " << failure << list.str();
}

unsigned EnvNumber(const char* name, unsigned fallback) {
  const char* value = std::getenv(name);
  return value && *value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

// A few seeds of the suite's run; any other with OMBRIK_RANDOM_SEED.
TEST_F(RandomActions, EveryActionLeavesTheWindowAndTheFolderAsTheModelSays) {
  const auto start = std::chrono::steady_clock::now();
  const std::size_t perSeed = EnvNumber("OMBRIK_RANDOM_PER_SEED", 800);
  struct Row {
    unsigned seed;
    const char* found;  // what the seed once found, kept as its row
  };
  std::vector<Row> seeds = {
      {1, ""},
      // Down in the genre list from none, and at its last genre (3 actions).
      {4, "Down stepped from a genre no longer shown, and was an edit at the end"},
      {6, ""},
      {7, ""},
      {8, ""},
  };
  if (std::getenv("OMBRIK_RANDOM_SEED")) seeds = {{EnvNumber("OMBRIK_RANDOM_SEED", 1), ""}};
  for (const Row& row : seeds) {
    SCOPED_TRACE(testing::Message() << "seed " << row.seed << " " << row.found);
    RunSeed(row.seed, perSeed);
  }
  std::printf("[ info     ] %zu actions in %.1f s; done, and ms each:", seeds.size() * perSeed,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  for (std::size_t k = 0; k < std::size(kWeights); ++k)
    std::printf(" %s %zu %.0f", Describe({static_cast<Kind>(k), 0, 0, 0, ""}).c_str(),
                stats_.count[k],
                1000 * stats_.seconds[k] / std::max<std::size_t>(1, stats_.count[k]));
  std::printf("\n");
}

// The long run: every 1,000 actions the speed and what the process holds.
// After a warm-up (a tenth of the run, 5,000 actions at least: the window
// meets new states, and what it holds at a checkpoint depends on what it
// happens to show) the figures must stay flat: kernel handles at most 2 above
// the highest of the warm-up (the run's own held files not counted), GDI
// objects 5, USER objects 1, private bytes 4 MiB above the end of the warm-up.
// Wine's multi-line edit keeps memory each time it wraps its text anew for
// another width (a bare window with one shows it too): the help memos do so
// when the host makes the window wider or narrower, about 27 KiB a time,
// which the bound allows for.
constexpr std::size_t kWineKeepsPerWidth = 32 * 1024;
TEST_F(RandomActions, LongRun) {
  const std::size_t count = EnvNumber("OMBRIK_RANDOM_ACTIONS", 0);
  if (count == 0) GTEST_SKIP() << "OMBRIK_RANDOM_ACTIONS=<n> starts it";
  const unsigned seed = EnvNumber("OMBRIK_RANDOM_SEED", 1);
  const auto start = std::chrono::steady_clock::now();
  std::vector<Checkpoint> checkpoints;
  std::size_t done = 0;
  auto seconds = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  // One session for the whole run; its held files are the test's own handles.
  const std::vector<Action> actions = Generate(seed, count);
  Outcome outcome;
  {
    Session session(*dialogs_, recorder_);
    for (std::size_t i = 0; i < actions.size(); ++i) {
      if (session.Do(actions[i])) {
        outcome.failure = session.Compare();
        session.Forget();
      }
      if (!outcome.failure.empty()) {
        outcome.failedAt = i;
        break;
      }
      done = i + 1;
      if (done % 1000 == 0) {
        testsupport::ProcessObjects objects = testsupport::CountProcessObjects();
        objects.kernel -= static_cast<long>(session.Held());
        checkpoints.push_back({done, session.WidthChanges(), seconds(), objects});
        std::printf(
            "[ long run ] %zu actions, %.0f/s, handles %ld, GDI %ld, USER %ld, private "
            "bytes %zu, widths %zu\n",
            done, static_cast<double>(done) / seconds(), objects.kernel, objects.gdi, objects.user,
            objects.privateBytes, session.WidthChanges());
        std::fflush(stdout);
      }
    }
  }
  std::printf("[ long run ] seed %u: %zu actions in %.0f s, %.1f actions/s\n%s\n", seed, done,
              seconds(), static_cast<double>(done) / seconds(),
              testsupport::DescribeSources().c_str());
  if (!outcome.failure.empty()) {
    ADD_FAILURE() << "seed " << seed << ", action " << outcome.failedAt + 1 << " ("
                  << Describe(actions[outcome.failedAt]) << "): " << outcome.failure
                  << "\nreplay and shrink it with OMBRIK_RANDOM_SEED=" << seed
                  << " OMBRIK_RANDOM_PER_SEED=" << outcome.failedAt + 1;
  }
  // The warm-up: the first tenth of the run, 5,000 actions at least.
  const std::size_t warmUp = std::max<std::size_t>(5000, count / 10);
  testsupport::ProcessObjects base{};
  const Checkpoint* warm = nullptr;
  for (const Checkpoint& c : checkpoints) {
    if (c.actions > warmUp) break;
    base.kernel = std::max(base.kernel, c.objects.kernel);
    base.gdi = std::max(base.gdi, c.objects.gdi);
    base.user = std::max(base.user, c.objects.user);
    warm = &c;
  }
  if (!warm) return;
  for (const Checkpoint& c : checkpoints) {
    if (c.actions <= warmUp) continue;
    SCOPED_TRACE(c.actions);
    EXPECT_LE(c.objects.kernel, base.kernel + 2);
    EXPECT_LE(c.objects.gdi, base.gdi + 5);
    EXPECT_LE(c.objects.user, base.user + 1);
    EXPECT_LT(c.objects.privateBytes,
              warm->objects.privateBytes + (4u << 20) +
                  (c.widthChanges - warm->widthChanges) * kWineKeepsPerWidth);
  }
}

}  // namespace
}  // namespace faultstest
