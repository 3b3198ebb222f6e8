#include "PollExports.h"

#include "TipTemplate.h"

extern "C" int32_t ModulChanged() {
  if (!TippChanged) return 0;
  return TippSaved ? 2 : 1;
}

extern "C" int32_t ModulNr() { return SaveKind(); }
