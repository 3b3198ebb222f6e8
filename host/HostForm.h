#pragma once
// The host's own window, read from its layout: what ModulChanged and
// ModulNr answer (asked every 500 ms), the tip window, buttons for the
// calls, a HostMessage to send, and the log of calls and broadcasts. It is
// a top-level window, so the tips' HostMessage broadcasts reach it.
#include <windows.h>

#include <deque>
#include <string>

#include "fw/Form.h"

namespace fw {
class TEdit;
class TLabel;
class TMemo;
}  // namespace fw

namespace host {

class Host;

class THostForm : public fw::TForm {
 public:
  explicit THostForm(fw::TComponent* owner);
  const char* ClassName() const override { return "THostForm"; }

  // Connects the window to the host that it shows and commands; the
  // layout's controls are taken up here.
  void Attach(Host& host);

  void AddLog(const std::string& line);
  // The module was loaded, unloaded or called: show its state now.
  void ModuleChanged();

  fw::TNotifyEvent MethodAddress(const std::string& name) override;
  void WndProc(fw::TMessage& message) override;

 protected:
  void CreateWnd() override;

 private:
  void PollModule();
  void SendClick();

  Host* host_ = nullptr;
  fw::TLabel* labelModule_ = nullptr;
  fw::TLabel* labelAnswers_ = nullptr;
  fw::TLabel* labelTip_ = nullptr;
  fw::TEdit* editWParam_ = nullptr;
  fw::TEdit* editLParam_ = nullptr;
  fw::TMemo* memoLog_ = nullptr;
  std::deque<std::string> log_;
  std::string answers_;
};

}  // namespace host
