#include "Unit1.h"

#include "Ombrik63.h"
#include "fw/Layout.h"

TFormOmbrik63::TFormOmbrik63(fw::TComponent* owner) : TfrmTippTemplate(owner) {}

void TFormOmbrik63::BeforeDestruction() {
  // However the window ends (ModulFree, or host command 0 from inside its
  // own message handling), the exports must not reach it afterwards.
  if (ModuleForm == this) ModuleForm = nullptr;
  TfrmTippTemplate::BeforeDestruction();
}

namespace {
const fw::ClassRegistration formClass("TFormOmbrik63", "TfrmTippTemplate", nullptr, {});
}  // namespace
