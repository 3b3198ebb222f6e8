#pragma once
// A single-line edit box over the standard edit control. OnChange follows
// every change of the text, whoever makes it, but only real changes: the
// control remembers the text it last reported and compares with it.
#include <windows.h>

#include <string>

#include "fw/Api.h"
#include "fw/WinControl.h"

namespace fw {

class FW_API TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  const char* ClassName() const override { return "TEdit"; }
  // What the system's own control is; Wine's objects do not see it
  // through the framework's window class.
  long AccessibleRole() const override;

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  // Characters the user may enter; 0 for no limit. Texts set by code are
  // not cut.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);

  // Selection in characters; the setters create the window if needed.
  void SelectAll();
  // Positions and lengths count UTF-16 units, as the edit control does.
  int SelStart() const;
  void SetSelStart(int start);
  int SelLength() const;
  void SetSelLength(int length);

  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void TextChanged() override;
  // Raises OnChange; runs after the text has changed.
  virtual void Change();

 private:
  // Raises the change when the text differs from the one last reported.
  void CheckChange();
  void Selection(int* start, int* end) const;

  bool readOnly_ = false;
  int maxLength_ = 0;
  std::string reported_;
};

}  // namespace fw
