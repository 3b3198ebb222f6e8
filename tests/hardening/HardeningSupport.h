#pragma once
// What the hardening tests share: a form that hosts the controls, the
// wide-character file work that the ANSI side cannot do (names
// outside the code page, paths past MAX_PATH), and, under Wine, commands run
// on the Unix side for work that Wine makes slow.
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fw/Component.h"
#include "fw/Form.h"
#include "testsupport/ItemTexts.h"
#include "testsupport/Pump.h"

namespace hardening {

using testsupport::ItemTexts;
using testsupport::Pump;

// A form that the controls are put on; shown on demand.
class Host {
 public:
  Host();
  template <typename T>
  T* Add(int left, int top, int width, int height) {
    T* control = fw::Make<T>(form_.get());
    control->SetParent(form_.get());
    control->SetBounds(left, top, width, height);
    return control;
  }
  void Show() {
    form_->Show();
    Pump();
  }
  fw::TForm& Form() { return *form_; }

 private:
  fw::Owned<fw::TForm> form_;
};

// ANSI (the system code page) to UTF-16 and back; the way back marks what
// the code page lacks with "?" instead of a look-alike.
std::wstring Wide(std::string_view ansi);

// Creates a directory or a file with these bytes by a full UTF-16 path of
// any length.
void MakeDirW(const std::wstring& path);
void WriteFileW(const std::wstring& path, std::string_view bytes);
// Removes what a directory holds (not the directory itself), by UTF-16 names:
// TempDir's own clean-up goes through the ANSI names and cannot reach these.
void EmptyDirW(const std::wstring& path);

// Empties a directory on its way out, before the TempDir that holds it goes.
class EmptiedOnExit {
 public:
  explicit EmptiedOnExit(std::string path) : path_(std::move(path)) {}
  ~EmptiedOnExit() { EmptyDirW(Wide(path_)); }
  EmptiedOnExit(const EmptiedOnExit&) = delete;
  EmptiedOnExit& operator=(const EmptiedOnExit&) = delete;

 private:
  std::string path_;
};

// The bytes of a file read through the framework's file stream, on a
// second thread: a name taken for a device that waits for input (con, aux)
// then gives "<no answer>" after a few seconds instead of hanging the test.
// A refusal gives "<error: ...>" with the framework's message.
std::string ReadThroughStream(const std::string& path);

// The Unix path Wine keeps a Windows path at; empty outside Wine.
std::string UnixPathOf(const std::string& windowsPath);

// Runs a /bin/sh script on the Unix side and waits for it (Wine gives no
// handle on a Unix process: the script reports its end through a file in
// `scratch`, a Windows directory). Answers whether it ran and exited with 0.
// The script must not contain double quotes or backslashes.
bool RunUnixScript(const std::string& script, const std::string& scratch, DWORD timeoutMs);

}  // namespace hardening
