#include "testsupport/FileHolder.h"

namespace testsupport {

FileHolder::FileHolder(const std::string& path, const char* mode) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE inRead, inWrite, outRead, outWrite;
  if (!CreatePipe(&inRead, &inWrite, &inherit, 0)) return;
  stdinWrite_.reset(inWrite);
  fw::KernelHandle childIn(inRead);
  if (!CreatePipe(&outRead, &outWrite, &inherit, 0)) return;
  stdoutRead_.reset(outRead);
  fw::KernelHandle childOut(outWrite);
  SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);

  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string exe = self;
  exe = exe.substr(0, exe.find_last_of('\\') + 1) + "tagholder.exe";
  std::string cmd = "\"" + exe + "\" \"" + path + "\" " + mode;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = childIn.get();
  si.hStdOutput = childOut.get();
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                      &pi))
    return;
  process_.reset(pi.hProcess);
  fw::KernelHandle thread(pi.hThread);
  childOut.reset();  // so a dying child ends the read below
  char line[32] = {};
  DWORD got = 0;
  ReadFile(stdoutRead_.get(), line, sizeof line - 1, &got, nullptr);
  open_ = std::string(line, got).rfind("open", 0) == 0;
}

FileHolder::~FileHolder() {
  stdinWrite_.reset();
  if (process_) WaitForSingleObject(process_.get(), 10000);
}

}  // namespace testsupport
