#include "fw/Edit.h"

#include <oleacc.h>

#include "fw/Layout.h"

namespace fw {

long TEdit::AccessibleRole() const { return ROLE_SYSTEM_TEXT; }

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void TEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = "EDIT";
  params.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (readOnly_) params.Style |= ES_READONLY;
  BorderParams(params);
}

void TEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEdit::SetReadOnly(bool readOnly) {
  if (readOnly == readOnly_) return;
  readOnly_ = readOnly;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0);
}

void TEdit::SetMaxLength(int length) {
  if (length < 0) length = 0;
  if (length == maxLength_) return;
  maxLength_ = length;
  if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

void TEdit::Selection(int* start, int* end) const {
  *start = *end = 0;
  if (!HandleAllocated()) return;
  DWORD s = 0, e = 0;
  SendMessageW(const_cast<TEdit*>(this)->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s),
               reinterpret_cast<LPARAM>(&e));
  *start = static_cast<int>(s);
  *end = static_cast<int>(e);
}

void TEdit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }

int TEdit::SelStart() const {
  int start, end;
  Selection(&start, &end);
  return start;
}

void TEdit::SetSelStart(int start) {
  HWND window = Handle();
  SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(start), start);
}

int TEdit::SelLength() const {
  int start, end;
  Selection(&start, &end);
  return end - start;
}

void TEdit::SetSelLength(int length) {
  HWND window = Handle();
  int start = SelStart();
  SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

void TEdit::TextChanged() {
  TWinControl::TextChanged();
  CheckChange();
}

void TEdit::CheckChange() {
  std::string text = Text();
  if (text == reported_) return;
  reported_ = std::move(text);
  Change();
}

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

void TEdit::WndProc(TMessage& m) {
  // The edit tells its parent of every change of its text, typed or set;
  // a text set by code has already been reported when the notice comes.
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == EN_CHANGE) CheckChange();
    return;
  }
  TWinControl::WndProc(m);
}

namespace {

const ClassRegistration editClass("TEdit", "TWinControl",
                                  [](TComponent* owner) { return Make<TEdit>(owner); },
                                  {
                                      {"ReadOnly", Setter(&TEdit::SetReadOnly)},
                                      {"MaxLength", Setter(&TEdit::SetMaxLength)},
                                      {"OnChange", EventSetter(&TEdit::OnChange)},
                                  });

}  // namespace
}  // namespace fw
