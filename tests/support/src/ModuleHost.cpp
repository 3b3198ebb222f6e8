#include "testsupport/ModuleHost.h"

#include <gtest/gtest.h>

#include "Ombrik63.h"
#include "fw/Application.h"
#include "fw/ListBox.h"
#include "fw/SysUtils.h"
#include "testsupport/UserInput.h"

namespace moduletest {

namespace {

// The export's own type, with the register convention on i686.
using ModulCreateFn = decltype(&ModulCreate);
using NoArgumentFn = int32_t (*)();

int32_t CallNoArgument(const ModuleHost& host, const char* name) {
  auto fn = reinterpret_cast<NoArgumentFn>(host.Export(name));
  return fn ? fn() : -1;
}

struct TipWindows {
  int count = 0;
  HWND first = nullptr;
};

// Other test programs may show tip windows on the same display at the same
// time; only this process's count.
BOOL CALLBACK FindTipWindow(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "TFormOmbrik63") return TRUE;
  auto* windows = reinterpret_cast<TipWindows*>(found);
  if (!windows->first) windows->first = window;
  ++windows->count;
  return TRUE;
}

TipWindows FindTipWindows() {
  TipWindows windows;
  EnumWindows(FindTipWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace

ModuleHost::ModuleHost() : library_(LoadLibraryA("Ombrik63.dll")) {
  EXPECT_NE(library_, nullptr) << "Ombrik63.dll not loaded, error " << GetLastError();
}

ModuleHost::~ModuleHost() {
  if (library_) FreeLibrary(library_);
}

void* ModuleHost::Export(const char* name) const {
  void* fn = library_ ? reinterpret_cast<void*>(GetProcAddress(library_, name)) : nullptr;
  EXPECT_NE(fn, nullptr) << name;
  return fn;
}

CreateArgs::CreateArgs() {
  left = 40;
  top = 30;
  height = 480;
  caption = "Tipp 63";
  hint = "Hinweis";
  validWinVersions = 0x1000;
  helpId = 6300;
}

int32_t ModuleHost::Create(const CreateArgs& a) {
  auto fn = reinterpret_cast<ModulCreateFn>(Export("ModulCreate"));
  if (!fn) return -1;
  fw::LongString caption(a.caption), hint(a.hint);
  const char* captionArg = a.nullCaption ? nullptr : caption.get();
  const char* hintArg = a.nullHint ? nullptr : hint.get();
#if defined(__i386__)
  int32_t result = fn(a.left, a.top, a.width, a.helpId, a.validWinVersions, hintArg, captionArg,
                      a.language, a.winVersionType, a.height);
#else
  int32_t result = fn(a.left, a.top, a.width, a.height, a.winVersionType, a.language, captionArg,
                      hintArg, a.validWinVersions, a.helpId);
#endif
  // The module holds its references for the call only.
  if (caption.get()) {
    EXPECT_EQ(fw::LStrRefCount(caption.get()), 1);
  }
  if (hint.get()) {
    EXPECT_EQ(fw::LStrRefCount(hint.get()), 1);
  }
  return result;
}

int32_t ModuleHost::Free() { return CallNoArgument(*this, "ModulFree"); }
int32_t ModuleHost::SaveChanges() { return CallNoArgument(*this, "ModulSaveChanges"); }
int32_t ModuleHost::Changed() { return CallNoArgument(*this, "ModulChanged"); }
int32_t ModuleHost::Nr() { return CallNoArgument(*this, "ModulNr"); }

HWND ModuleHost::Window() { return FindTipWindows().first; }

fw::TForm* ModuleHost::Form() {
  HWND window = Window();
  return window ? dynamic_cast<fw::TForm*>(fw::TWinControl::FromHandle(window)) : nullptr;
}

int ModuleHost::WindowCount() { return FindTipWindows().count; }

TaggedFolder::TaggedFolder() {
  std::string record = "TAG" + std::string(124, '\0') + '\x0C';
  dir_.WriteFile("Tipp.mp3", std::string(417, '\0') + record);
  fw::ChDir(dir_.Path());
}

void TaggedFolder::Select() const {
  auto* files = Part<fw::TCustomListBox>(ModuleHost::Form(), "FileListBox1");
  ASSERT_NE(files, nullptr);
  ASSERT_EQ(files->Items().Count(), 1);
  testsupport::ClickListItem(*files, 0);
  fw::Application().ProcessMessages();
  ASSERT_EQ(files->ItemIndex(), 0);
}

}  // namespace moduletest
