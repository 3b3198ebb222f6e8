#pragma once
// Symbols of framework.dll. The module and the host import them; the pure
// parts also build natively, where the macro is empty.
#if defined(_WIN32) && !defined(FW_STATIC)
#ifdef FW_BUILD
#define FW_API __declspec(dllexport)
#else
#define FW_API __declspec(dllimport)
#endif
#else
#define FW_API
#endif
