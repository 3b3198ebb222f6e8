#pragma once
// The module's tip window: the template's frame with the MP3 tag editor.
#include "MainTippU.h"

class TFormOmbrik63 : public TfrmTippTemplate {
 public:
  explicit TFormOmbrik63(fw::TComponent* owner);
  const char* ClassName() const override { return "TFormOmbrik63"; }

 protected:
  void BeforeDestruction() override;
};
