/* Starts a Windows program, waits for it and returns its exit code as Windows records it.
 *
 * scripts/wine-run runs 32-bit programs through this 64-bit launcher. On machines whose
 * kernel cannot run 32-bit code, a 32-bit Wine process runs under user-mode emulation and
 * may need more than the second that the Wine server grants an ending process; the server
 * then kills it with SIGKILL, so its Unix exit status is lost although the program itself
 * ended normally. The Windows exit code survives in the server, and the launcher reads it.
 *
 * Usage: launcher.exe <program> [args...]; the rest of the command line is passed on
 * unchanged. The program runs in a job that is killed when the launcher goes away, so a
 * timeout that ends the launcher also ends the program.
 */
#include <stdio.h>
#include <windows.h>

static wchar_t* SkipProgramName(wchar_t* p) {
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"') ++p;
    if (*p) ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return p;
}

int main(void) {
  wchar_t* command_line = SkipProgramName(GetCommandLineW());
  if (!*command_line) {
    fprintf(stderr, "wine-launcher: no program given\n");
    return 125;
  }

  HANDLE job = CreateJobObjectW(NULL, NULL);
  if (job) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {0};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }

  STARTUPINFOW startup = {0};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process;
  if (!CreateProcessW(NULL, command_line, NULL, NULL, TRUE, CREATE_SUSPENDED, NULL, NULL,
                      &startup, &process)) {
    fprintf(stderr, "wine-launcher: cannot start %ls (error %lu)\n", command_line,
            GetLastError());
    return 125;
  }
  if (job) AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  CloseHandle(process.hThread);

  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exit_code = 1;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hProcess);
  return (int)exit_code;
}
