#include "testsupport/RecordingDialogs.h"

namespace testsupport {

void RecordingDialogs::ShowMessage(const std::string& text) {
  Records.push_back({DialogKind::Message, text});
}

int RecordingDialogs::MessageDlg(const std::string& text, fw::TMsgDlgType type, uint32_t buttons,
                                 int helpContext) {
  Records.push_back({DialogKind::Dialog, text, type, buttons, helpContext});
  if (Answers.empty()) return DefaultAnswer;
  int answer = Answers.front();
  Answers.pop_front();
  return answer;
}

void RecordingDialogs::ShowException(const std::string& text) {
  Records.push_back({DialogKind::Exception, text});
}

std::vector<std::string> RecordingDialogs::Texts(DialogKind kind) const {
  std::vector<std::string> texts;
  for (const auto& r : Records)
    if (r.kind == kind) texts.push_back(r.text);
  return texts;
}

}  // namespace testsupport
