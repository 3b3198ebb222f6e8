#pragma once
// A multi-line edit. Its lines are the text split at CR LF; a text given
// with bare LF or CR breaks is stored with CR LF, the only break the
// standard control shows as one.
#include <windows.h>

#include <string>
#include <vector>

#include "fw/Api.h"
#include "fw/Edit.h"

namespace fw {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class FW_API TMemo : public TEdit {
 public:
  explicit TMemo(TComponent* owner);
  const char* ClassName() const override { return "TMemo"; }

  void SetText(const std::string& text) override;
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  int LineCount() const { return static_cast<int>(Lines().size()); }

  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle scrollBars);
  // Without it, Enter does not break the line.
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool want);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);

 protected:
  void CreateParams(TCreateParams& params) override;
  void KeyPress(wchar_t& key) override;

 private:
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool wantReturns_ = true;
  bool wordWrap_ = true;
};

// The text with every line break (CR LF, LF or CR) written as CR LF.
FW_API std::string WithCrLfBreaks(const std::string& text);

}  // namespace fw
