#pragma once
// Under Wine, what Win32 cannot do or Wine makes slow is done by commands on
// the Unix side: names that differ only in case, a directory of many
// thousand entries, a file that not even root may write. Outside Wine
// there is no Unix side and each answers so.
#include <windows.h>

#include <string>

namespace testsupport {

// The Unix path Wine keeps a Windows path at; empty outside Wine.
std::string UnixPathOf(const std::string& windowsPath);

// A Unix path as one word of a /bin/sh script.
std::string ShellWord(const std::string& unixPath);

// Runs a /bin/sh script on the Unix side and waits for it (Wine gives no
// handle on a Unix process: the script reports its end through a file in
// `scratch`, a Windows directory). Answers whether it ran and exited with 0;
// if not, and `errors` is given, it receives what the script wrote to its
// error output. The script must not contain double quotes.
bool RunUnixScript(const std::string& script, const std::string& scratch, DWORD timeoutMs,
                   std::string* errors = nullptr);

}  // namespace testsupport
