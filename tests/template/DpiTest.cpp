// The display test of the creation handler. At 96 dpi nothing happens. At
// another setting the framework scales the layout to the screen when it
// reads it and the handler says "Big" and scales it back: the window's
// controls end where they are at 96 dpi. Wine fixes a process's dpi when
// the process starts, from HKCU\Control Panel\Desktop "LogPixels", so the
// 120 dpi run is a child process started under that setting. The setting
// holds for the whole Wine prefix: these tests run in a prefix of their own
// (template_display_tests).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "DpiChild.h"
#include "fw/Control.h"
#include "fw/Form.h"
#include "testsupport/ModuleHost.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/RegistryGuard.h"
#include "testsupport/TempDir.h"

namespace moduletest {

namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Tovrane\\Quindrel 2000";

const char* const kMeasured[] = {
    "HotSpeedButtonOK", "HotSpeedButtonUndo", "HotSpeedButtonInfo", "HotSpeedButtonRegistry",
    "StaticTextTitle",  "MemoHelpUS",         "MemoHelpD",          "PanelLeftBorder",
    "PanelTopBorder",   "PanelBottomBorder",  "PanelRightBorder"};

// Records each message with whether the tip window was visible then.
class VisibilityDialogs : public testsupport::RecordingDialogs {
 public:
  void ShowMessage(const std::string& text) override {
    HWND window = ModuleHost::Window();
    RecordingDialogs::ShowMessage(text + (window && IsWindowVisible(window) ? " (shown)" : ""));
  }
};

// "name left top width height fontHeight" per control, the messages, the dpi.
std::vector<std::string> MeasureTip() {
  std::vector<std::string> lines;
  lines.push_back("dpi " + std::to_string(fw::ScreenPixelsPerInch()));
  testsupport::RegistryGuard settings(kSettingsKey);
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "BSControl");
  testsupport::Installed<VisibilityDialogs, fw::DialogService, &fw::SetDialogService> dialogs;
  ModuleHost host;
  host.Create();
  for (const auto& record : dialogs->Records) lines.push_back("message " + record.text);
  fw::TForm* form = ModuleHost::Form();
  if (!form) return lines;
  // The window frame grows with the dpi, so the host's outer size leaves a
  // smaller client area; the anchored controls are compared in equal ones.
  form->SetClientWidth(342);
  form->SetClientHeight(426);
  for (const char* name : kMeasured) {
    auto* control = Part<fw::TControl>(form, name);
    if (!control) continue;
    std::ostringstream line;
    line << name << ' ' << control->Left() << ' ' << control->Top() << ' ' << control->Width()
         << ' ' << control->Height() << ' ' << control->Font().Height();
    lines.push_back(line.str());
  }
  host.Free();
  return lines;
}

struct Bounds {
  int left, top, width, height, fontHeight;
};

std::map<std::string, Bounds> ControlsOf(const std::vector<std::string>& lines) {
  std::map<std::string, Bounds> controls;
  for (const std::string& line : lines) {
    std::istringstream in(line);
    std::string name;
    Bounds b;
    if (in >> name >> b.left >> b.top >> b.width >> b.height >> b.fontHeight) controls[name] = b;
  }
  return controls;
}

std::vector<std::string> Select(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> selected;
  for (const std::string& line : lines)
    if (line.rfind(prefix, 0) == 0) selected.push_back(line.substr(prefix.size()));
  return selected;
}

void WriteLogPixels(DWORD dpi) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  RegCloseKey(key);
}

// Starts this program as the child under a 120 dpi setting and answers its
// report. The setting is put back as soon as the child has started.
std::vector<std::string> MeasureTipAt120Dpi(const std::string& reportPath) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string eventName = "ModuleTestsDpiChild" + std::to_string(GetCurrentProcessId());
  HANDLE started = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
  std::string command =
      std::string("\"") + exe + "\" " + kDpiChildSwitch + " \"" + reportPath + "\" " + eventName;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  {
    testsupport::RegistryGuard desktop("Control Panel\\Desktop");
    WriteLogPixels(120);
    if (!CreateProcessA(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
      ADD_FAILURE() << "child not started, error " << GetLastError();
      CloseHandle(started);
      return {};
    }
    HANDLE waits[] = {started, process.hProcess};
    WaitForMultipleObjects(2, waits, FALSE, 300000);
  }
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 300000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(started);

  std::vector<std::string> lines;
  std::ifstream in(reportPath);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

int RunDpiChild(const char* reportPath, const char* startedEvent) {
  // The dpi is fixed by now; the parent may put the setting back.
  int dpi = fw::ScreenPixelsPerInch();
  if (HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, startedEvent)) {
    SetEvent(started);
    CloseHandle(started);
  }
  std::vector<std::string> lines = dpi == 120 ? MeasureTip() : std::vector<std::string>{};
  if (lines.empty()) lines.push_back("dpi " + std::to_string(dpi));
  std::ofstream out(reportPath);
  for (const std::string& line : lines) out << line << '\n';
  return out ? 0 : 1;
}

namespace {

// The prefix runs at Wine's default of 96 dpi; anything else is a setting
// some program left behind.
TEST(DisplayTest, At96DpiThereIsNoMessage) {
  ASSERT_EQ(fw::ScreenPixelsPerInch(), 96);
  std::vector<std::string> lines = MeasureTip();
  EXPECT_TRUE(Select(lines, "message ").empty());
  EXPECT_EQ(ControlsOf(lines).size(), std::size(kMeasured));
}

TEST(DisplayTest, At120DpiSaysBigThenUndoesTheScaling) {
  ASSERT_EQ(fw::ScreenPixelsPerInch(), 96);
  std::vector<std::string> reference = MeasureTip();
  testsupport::TempDir dir;
  std::vector<std::string> scaled = MeasureTipAt120Dpi(dir / "report.txt");

  ASSERT_EQ(Select(scaled, "dpi "), std::vector<std::string>{"120"})
      << "Wine did not take the LogPixels setting";
  // Before the window is shown, and once.
  EXPECT_EQ(Select(scaled, "message "), std::vector<std::string>{"Big"});

  auto expected = ControlsOf(reference);
  auto actual = ControlsOf(scaled);
  ASSERT_EQ(actual.size(), std::size(kMeasured));
  for (const auto& [name, b] : expected) {
    SCOPED_TRACE(name);
    const Bounds& a = actual[name];
    // Up by 120/96 when read, down by 96/120: rounding may shift an edge by one.
    EXPECT_NEAR(a.left, b.left, 1);
    EXPECT_NEAR(a.top, b.top, 1);
    EXPECT_NEAR(a.width, b.width, 1);
    EXPECT_NEAR(a.height, b.height, 1);
    EXPECT_EQ(a.fontHeight, b.fontHeight);
  }
}

}  // namespace
}  // namespace moduletest
