#pragma once
// What the hardening tests share: a form that hosts the browsing controls,
// a read of a file that cannot hang, the commands that run on the Unix side
// and the guards every test of names and paths stands behind.
#include <windows.h>

#include <string>
#include <vector>

#include "filectrl/DirectoryListBox.h"
#include "filectrl/FileListBox.h"
#include "fw/Component.h"
#include "fw/Form.h"
#include "fw/SysUtils.h"
#include "testsupport/CurrentDirGuard.h"
#include "testsupport/ErrorModeGuard.h"
#include "testsupport/ItemTexts.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/TempDir.h"
#include "testsupport/UnixSide.h"
#include "testsupport/UserInput.h"

namespace hardening {

using filectrl::TDirectoryListBox;
using filectrl::TFileListBox;
using testsupport::ItemTexts;
using testsupport::Pump;
using testsupport::RunUnixScript;
using testsupport::UnixPathOf;
using Texts = std::vector<std::string>;

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

}  // namespace hardening
