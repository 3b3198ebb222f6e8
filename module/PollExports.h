#pragma once
// What the host polls while the tip window is open.
#include <cstdint>

// 0: nothing changed; 1: changed and not saved since; 2: saved with OK
// after the last change.
extern "C" int32_t ModulChanged();
// SaveKind: 1 once Undo has been pressed, 2 otherwise.
extern "C" int32_t ModulNr();
