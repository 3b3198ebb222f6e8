#pragma once
// The library main: the exports that build, save and end the tip window.
#include <cstdint>

class TFormOmbrik63;

// The one tip window of the module, or null while there is none: it is
// cleared when the window is destroyed, by ModulFree or by the window itself.
extern TFormOmbrik63* ModuleForm;

// ModulCreate uses the framework's register convention on i686: arguments
// 1-3 in EAX, EDX, ECX, the other seven pushed in declaration order and
// removed by the callee. GCC's regparm/stdcall pushes right to left, so
// arguments 4..10 are declared in reverse. x86_64 has one convention only.
#if defined(__i386__)
#define OMBRIK_REGISTER __attribute__((regparm(3), stdcall))
extern "C" OMBRIK_REGISTER int32_t ModulCreate(int32_t left, int32_t top, int32_t width,
                                               int32_t helpId, uint32_t validWinVersions,
                                               const char* hint, const char* caption,
                                               int32_t language, int32_t winVersionType,
                                               int32_t height);
#else
extern "C" int32_t ModulCreate(int32_t left, int32_t top, int32_t width, int32_t height,
                               int32_t winVersionType, int32_t language, const char* caption,
                               const char* hint, uint32_t validWinVersions, int32_t helpId);
#define OMBRIK_REGISTER
#endif

// Without arguments these leave the stack alone whatever convention the
// host calls them with.
extern "C" int32_t ModulFree();
extern "C" int32_t ModulSaveChanges();
