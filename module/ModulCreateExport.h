#pragma once
// Defines the ModulCreate export over a function that takes the ten
// arguments in the order the host declares them. The module and the host
// tests' stand-in module write it once each, so the stand-in cannot drift
// from the conventions the real module is called with (see Ombrik63.h):
// on i686 arguments 4..10 are declared in reverse for regparm/stdcall.
#include <cstdint>

#if defined(__i386__)
#define OMBRIK_DEFINE_MODUL_CREATE(CONVENTION, IMPL)                                       \
  extern "C" CONVENTION int32_t ModulCreate(                                               \
      int32_t left, int32_t top, int32_t width, int32_t helpId, uint32_t validWinVersions, \
      const char* hint, const char* caption, int32_t language, int32_t winVersionType,     \
      int32_t height) {                                                                    \
    return IMPL(left, top, width, height, winVersionType, language, caption, hint,         \
                validWinVersions, helpId);                                                 \
  }
#else
#define OMBRIK_DEFINE_MODUL_CREATE(CONVENTION, IMPL)                                      \
  extern "C" CONVENTION int32_t ModulCreate(                                              \
      int32_t left, int32_t top, int32_t width, int32_t height, int32_t winVersionType,   \
      int32_t language, const char* caption, const char* hint, uint32_t validWinVersions, \
      int32_t helpId) {                                                                   \
    return IMPL(left, top, width, height, winVersionType, language, caption, hint,        \
                validWinVersions, helpId);                                                \
  }
#endif
