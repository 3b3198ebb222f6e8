#pragma once
// The host's own window: what ModulChanged and ModulNr answer (asked every
// 500 ms), the tip window, the log of calls and broadcasts, and the
// commands in its pop-up menu (right click) with their shortcut keys. It is
// a top-level window, so the tips' HostMessage broadcasts reach it.
#include <windows.h>

#include <deque>
#include <string>

#include "fw/Form.h"

namespace fw {
class TPopupMenu;
}

namespace host {

class Host;

class THostForm : public fw::TForm {
 public:
  THostForm(fw::TComponent* owner, Host& host);
  const char* ClassName() const override { return "THostForm"; }

  void AddLog(const std::string& line);
  // The module was loaded, unloaded or called: show its state now.
  void ModuleChanged();

  void WndProc(fw::TMessage& message) override;

 protected:
  void CreateWnd() override;
  void PaintWindow(HDC dc) override;

 private:
  void AddCommand(fw::TPopupMenu* menu, const char* caption, WORD key, fw::TNotifyEvent action);
  void PollModule();

  Host& host_;
  std::deque<std::string> log_;
  std::string answers_;
};

}  // namespace host
