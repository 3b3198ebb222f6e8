#include "fw/Memo.h"

#include "fw/Layout.h"

namespace fw {

std::string WithCrLfBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

TMemo::TMemo(TComponent* owner) : TEdit(owner) { SetBounds(0, 0, 185, 89); }

void TMemo::CreateParams(TCreateParams& params) {
  TEdit::CreateParams(params);
  params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  bool horizontal =
      scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
  bool vertical = scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
  if (horizontal) params.Style |= WS_HSCROLL;
  if (vertical) params.Style |= WS_VSCROLL;
  // Lines too long for the width wrap, unless they can be scrolled to.
  if (!wordWrap_ || horizontal) params.Style |= ES_AUTOHSCROLL;
  if (wantReturns_) params.Style |= ES_WANTRETURN;
}

void TMemo::SetText(const std::string& text) { TEdit::SetText(WithCrLfBreaks(text)); }

std::vector<std::string> TMemo::Lines() const {
  std::vector<std::string> lines;
  std::string text = Text();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  SetText(text);
}

void TMemo::SetScrollBars(TScrollStyle scrollBars) {
  if (scrollBars == scrollBars_) return;
  scrollBars_ = scrollBars;
  RecreateWnd();
}

void TMemo::SetWordWrap(bool wrap) {
  if (wrap == wordWrap_) return;
  wordWrap_ = wrap;
  RecreateWnd();
}

void TMemo::SetWantReturns(bool want) {
  if (want == wantReturns_) return;
  wantReturns_ = want;
  // Dialog navigation reads the style; the key press below covers the rest.
  if (HandleAllocated()) {
    LONG style = GetWindowLongW(Handle(), GWL_STYLE);
    SetWindowLongW(Handle(), GWL_STYLE, want ? style | ES_WANTRETURN : style & ~ES_WANTRETURN);
  }
}

void TMemo::KeyPress(wchar_t& key) {
  TEdit::KeyPress(key);
  // Outside dialogs the edit breaks the line on every Enter it gets.
  if (key == '\r' && !wantReturns_) key = 0;
}

namespace {

const ClassRegistration memoClass(
    "TMemo", "TEdit", [](TComponent* owner) { return Make<TMemo>(owner); },
    {
        {"Lines", [](TComponent& c, const LayoutValue& v,
                     LayoutReader& r) { Target<TMemo>(c, v, r).SetLines(v.AsList()); }},
        {"ScrollBars",
         EnumSetter(&TMemo::SetScrollBars,
                    EnumNames<TScrollStyle>({{"ssNone", TScrollStyle::ssNone},
                                             {"ssHorizontal", TScrollStyle::ssHorizontal},
                                             {"ssVertical", TScrollStyle::ssVertical},
                                             {"ssBoth", TScrollStyle::ssBoth}}))},
        {"WantReturns", Setter(&TMemo::SetWantReturns)},
        {"WordWrap", Setter(&TMemo::SetWordWrap)},
    });

}  // namespace
}  // namespace fw
