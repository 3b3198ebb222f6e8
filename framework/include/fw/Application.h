#pragma once
// The application object that host and modules share: the message loop,
// the screen cursor and the report of exceptions that reach the dispatch.
#include <windows.h>

#include <string>

#include "fw/Api.h"
#include "fw/Graphics.h"

namespace fw {

class TForm;

class FW_API TApplication {
 public:
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  // Reports the exception being handled in the standard error box; the
  // caller carries on. Call only from inside a catch block.
  void HandleException();

  // Handles one message if there is one; false when the queue was empty.
  bool HandleMessage(MSG& msg);
  void ProcessMessages();
  // Runs the loop until Terminate or WM_QUIT.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }

 private:
  bool PreTranslate(MSG& msg);
  std::string title_;
  bool terminated_ = false;
};

class FW_API TScreen {
 public:
  TCursor Cursor() const { return cursor_; }
  // A cursor other than crDefault overrides every control's own.
  void SetCursor(TCursor cursor);

 private:
  TCursor cursor_ = crDefault;
};

FW_API TApplication& Application();
FW_API TScreen& Screen();

}  // namespace fw
