#include "ScriptRunner.h"

#include <memory>

#include "Host.h"
#include "fw/Application.h"
#include "fw/Services.h"

namespace host {
namespace {

class ScriptDialogs : public fw::DialogService {
 public:
  explicit ScriptDialogs(Host& host) : host_(host) {}
  void ShowMessage(const std::string& text) override { host_.Say("message " + EscapeText(text)); }
  int MessageDlg(const std::string& text, fw::TMsgDlgType, uint32_t buttons, int) override {
    int answer = host_.DialogAnswer();
    if (answer == fw::mrNone) {
      // Nothing asked for: the answer that changes least.
      answer = (buttons & fw::mbNo) ? fw::mrNo : (buttons & fw::mbCancel) ? fw::mrCancel : fw::mrOk;
    }
    const char* name = answer == fw::mrYes      ? "yes"
                       : answer == fw::mrNo     ? "no"
                       : answer == fw::mrCancel ? "cancel"
                                                : "ok";
    host_.Say("dialog " + EscapeText(text) + " -> " + name);
    return answer;
  }
  void ShowException(const std::string& text) override { host_.Say("error " + EscapeText(text)); }

 private:
  Host& host_;
};

class ScriptSystem : public fw::SystemService {
 public:
  explicit ScriptSystem(Host& host) : host_(host) {}
  BOOL ExitSystem(UINT flags, DWORD) override {
    host_.Say("exit-system " + std::to_string(flags));
    return TRUE;
  }

 private:
  Host& host_;
};

// Handles messages until the time is up; false when the loop was ended.
bool Pump(DWORD milliseconds) {
  fw::TApplication& app = fw::Application();
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    app.ProcessMessages();
    if (app.Terminated()) return false;
    ULONGLONG now = GetTickCount64();
    if (now >= end) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

int AnswerValue(const std::string& word) {
  if (word == "yes") return fw::mrYes;
  if (word == "no") return fw::mrNo;
  if (word == "cancel") return fw::mrCancel;
  return fw::mrOk;
}

}  // namespace

void RunUntilClosed() { fw::Application().Run(); }

ScriptEnd RunScript(Host& host, const std::vector<ScriptCommand>& commands) {
  fw::ScopedService<fw::DialogService, fw::SetDialogService> dialogs(
      std::make_unique<ScriptDialogs>(host));
  fw::ScopedService<fw::SystemService, fw::SetSystemService> system(
      std::make_unique<ScriptSystem>(host));
  for (const ScriptCommand& c : commands) {
    // Whatever is waiting (painting, posted messages) comes before the next call.
    if (!Pump(0)) return ScriptEnd::Closed;
    const std::string& name = c.words[0];
    if (name == "create") {
      CreateArgs args = host.GetOptions().create;
      for (size_t i = 1; i + 1 < c.words.size(); i += 2)
        SetCreateOption(args, c.words[i], c.words[i + 1]);
      host.Create(args);
    } else if (name == "changed") {
      host.Changed();
    } else if (name == "nr") {
      host.Nr();
    } else if (name == "save") {
      host.Save();
    } else if (name == "free") {
      host.Free();
    } else if (name == "send") {
      host.Send(ParseNumber(c.words[1]), ParseNumber(c.words[2]));
    } else if (name == "window") {
      host.Window();
    } else if (name == "screenshot") {
      host.Screenshot(c.words[1]);
    } else if (name == "wait") {
      if (!Pump(ParseNumber(c.words[1]))) return ScriptEnd::Closed;
    } else if (name == "answer") {
      host.SetDialogAnswer(AnswerValue(c.words[1]));
    } else if (name == "unload") {
      host.Unload();
    } else if (name == "load") {
      host.Load(c.words.size() > 1 ? c.words[1] : std::string());
    } else if (name == "run") {
      return ScriptEnd::Stay;
    } else if (name == "quit") {
      return ScriptEnd::Done;
    }
  }
  return ScriptEnd::Done;
}

}  // namespace host
