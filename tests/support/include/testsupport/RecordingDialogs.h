#pragma once
// A dialog service that shows nothing: it records every box with its text
// and answers confirmation dialogs from a queue.
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "fw/Services.h"
#include "testsupport/Installed.h"

namespace testsupport {

enum class DialogKind { Message, Dialog, Exception };

struct DialogRecord {
  DialogKind kind;
  std::string text;
  // For DialogKind::Dialog only.
  fw::TMsgDlgType type = fw::TMsgDlgType::mtCustom;
  uint32_t buttons = 0;
  int helpContext = 0;
};

class RecordingDialogs : public fw::DialogService {
 public:
  void ShowMessage(const std::string& text) override;
  int MessageDlg(const std::string& text, fw::TMsgDlgType type, uint32_t buttons,
                 int helpContext) override;
  void ShowException(const std::string& text) override;

  // Answers for the coming MessageDlg calls, first in first out; when the
  // queue is empty the answer is DefaultAnswer.
  std::deque<int> Answers;
  int DefaultAnswer = fw::mrNo;
  std::vector<DialogRecord> Records;

  // The texts of one kind, in order.
  std::vector<std::string> Texts(DialogKind kind) const;
};

// Installs a RecordingDialogs for the scope: `ScopedDialogs dialogs; dialogs->Records`.
using ScopedDialogs = Installed<RecordingDialogs, fw::DialogService, &fw::SetDialogService>;

}  // namespace testsupport
