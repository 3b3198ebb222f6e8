#pragma once
// What the hardening tests share: a form that hosts the controls, a read of
// a file that cannot hang, and, under Wine, commands run on the Unix side for
// what Wine makes slow or Win32 cannot make (names that differ only in case).
#include <windows.h>

#include <string>

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
