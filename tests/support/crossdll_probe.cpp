// A DLL between the test program and framework.dll: one export lets a
// framework exception pass through, one catches it here by its framework
// type, one throws a framework exception of its own making.
#include <exception>
#include <string>

#include "fw/Exceptions.h"
#include "fw/FileStream.h"

extern "C" {

// Opens the file for reading; a failure leaves framework.dll as EFOpenError
// and travels through this DLL to the caller.
__declspec(dllexport) void ProbeOpen(const char* path) { fw::TFileStream s(path, fw::fmOpenRead); }

// The same open, caught here. Answers which handler took it: 1 EFOpenError,
// 2 EStreamError, 3 fw::Exception, 4 std::exception, 5 anything else, 0 none.
__declspec(dllexport) int ProbeCatchOpen(const char* path) {
  try {
    fw::TFileStream s(path, fw::fmOpenRead);
  } catch (const fw::EFOpenError&) {
    return 1;
  } catch (const fw::EStreamError&) {
    return 2;
  } catch (const fw::Exception&) {
    return 3;
  } catch (const std::exception&) {
    return 4;
  } catch (...) {
    return 5;
  }
  return 0;
}

// Raises a range error constructed in this DLL with the given text.
__declspec(dllexport) void ProbeThrowRange(const char* text) { throw fw::ERangeError(text); }

}  // extern "C"
