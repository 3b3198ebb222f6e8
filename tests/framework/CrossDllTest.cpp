// Framework exceptions cross DLL boundaries with their types intact: from
// framework.dll through a second DLL into the test program, and caught inside
// that second DLL. On i686 this needs the one shared GCC runtime.
#include <gtest/gtest.h>
#include <windows.h>

#include <exception>
#include <string>

#include "fw/Exceptions.h"
#include "fw/Handle.h"

namespace {

struct ModuleTraits {
  static HMODULE invalid() { return nullptr; }
  static void close(HMODULE h) { ::FreeLibrary(h); }
};
using Module = fw::UniqueHandle<HMODULE, ModuleTraits>;

class CrossDll : public ::testing::Test {
 protected:
  void SetUp() override {
    // Beside the test program, whatever the current directory is.
    char exe[MAX_PATH];
    std::string dir(exe, ::GetModuleFileNameA(nullptr, exe, MAX_PATH));
    dir.erase(dir.find_last_of('\\') + 1);
    probe_.reset(::LoadLibraryA((dir + "crossdll_probe.dll").c_str()));
    ASSERT_TRUE(probe_) << "crossdll_probe.dll not loaded, error " << ::GetLastError();
    open_ = Proc<void (*)(const char*)>("ProbeOpen");
    catchOpen_ = Proc<int (*)(const char*)>("ProbeCatchOpen");
    throwRange_ = Proc<void (*)(const char*)>("ProbeThrowRange");
    ASSERT_TRUE(open_ && catchOpen_ && throwRange_);
  }

  template <typename F>
  F Proc(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(probe_.get(), name)));
  }

  const std::string missing_ = "C:\\no such dir\\missing.mp3";
  Module probe_;
  void (*open_)(const char*) = nullptr;
  int (*catchOpen_)(const char*) = nullptr;
  void (*throwRange_)(const char*) = nullptr;
};

TEST_F(CrossDll, OpenErrorReachesTheCallerAsEveryBaseType) {
  try {
    open_(missing_.c_str());
    FAIL() << "no exception";
  } catch (const fw::EFOpenError& e) {
    EXPECT_NE(std::string(e.what()).find("\"" + missing_ + "\""), std::string::npos) << e.what();
  }
  EXPECT_THROW(open_(missing_.c_str()), fw::EStreamError);
  EXPECT_THROW(open_(missing_.c_str()), fw::Exception);
  EXPECT_THROW(open_(missing_.c_str()), std::exception);
}

TEST_F(CrossDll, OpenErrorIsCaughtInsideTheSecondDllByItsOwnType) {
  EXPECT_EQ(catchOpen_(missing_.c_str()), 1);
  // And no exception at all when the file is there.
  char exe[MAX_PATH];
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  EXPECT_EQ(catchOpen_(exe), 0);
}

TEST_F(CrossDll, ExceptionMadeInTheSecondDllKeepsTypeAndText) {
  try {
    throwRange_("Range check error in probe");
    FAIL() << "no exception";
  } catch (const fw::ERangeError& e) {
    EXPECT_STREQ(e.what(), "Range check error in probe");
  }
}

}  // namespace
