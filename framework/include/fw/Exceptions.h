#pragma once
// The framework's exception kinds. One shared runtime in the process lets
// them cross from framework.dll through the module to the host.
#include <stdexcept>
#include <string>

#include "fw/Api.h"

namespace fw {

class FW_API Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A value outside the range its target can hold.
class FW_API ERangeError : public Exception {
 public:
  ERangeError() : Exception("Range check error") {}
  explicit ERangeError(const std::string& m) : Exception(m) {}
};

// The run-time library's input/output check (directory changes and the like).
class FW_API EInOutError : public Exception {
 public:
  EInOutError(const std::string& m, int code) : Exception(m), ErrorCode(code) {}
  int ErrorCode;
};

class FW_API EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class FW_API EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class FW_API EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class FW_API EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

class FW_API EOutOfMemory : public Exception {
 public:
  EOutOfMemory() : Exception("Out of memory") {}
};

class FW_API EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

class FW_API ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

// Input that cannot be parsed (form layouts and the like).
class FW_API EParserError : public Exception {
 public:
  explicit EParserError(const std::string& m, int line = 0) : Exception(m), Line(line) {}
  // The line of the layout at fault, 0 where the message names none yet (a
  // value's own check, which the reader then places).
  int Line;
};

}  // namespace fw
