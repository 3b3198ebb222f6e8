#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "ZekHelp.h"

namespace {

using zekhelp::kEnglishHelp;
using zekhelp::kGermanHelp;
using zekhelp::kHelpIdWithoutRegistryPath;
using zekhelp::kRegistryPath;
using zekhelp::kTagEditorHelpId;

// Memos break lines only at CR LF; a bare CR or LF shows up as a box.
bool HasOnlyCrLfBreaks(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  }
  return true;
}

// A UTF-8 encoded umlaut would show as two garbage characters in the ANSI code page.
bool LooksLikeUtf8(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (lead >= 0xC2 && lead <= 0xF4 && next >= 0x80 && next <= 0xBF) return true;
  }
  return false;
}

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

class HelpTextOfTip : public testing::TestWithParam<std::int32_t> {};

TEST_P(HelpTextOfTip, GermanAndEnglishTextsAreAnsiWithCrLfBreaks) {
  const char* german = GetHelpText(GetParam(), kGermanHelp);
  const char* english = GetHelpText(GetParam(), kEnglishHelp);
  ASSERT_NE(german, nullptr);
  ASSERT_NE(english, nullptr);
  EXPECT_STRNE(german, english);
  for (const std::string& text : {std::string(german), std::string(english)}) {
    SCOPED_TRACE(text);
    EXPECT_TRUE(HasOnlyCrLfBreaks(text));
    EXPECT_FALSE(LooksLikeUtf8(text));
  }
  EXPECT_TRUE(IsAscii(english));
}

TEST_P(HelpTextOfTip, TextsLiveInTheLibraryAndStayPut) {
  HMODULE library = GetModuleHandleA("ZekHelp.dll");
  ASSERT_NE(library, nullptr);
  for (std::int32_t kind : {kGermanHelp, kEnglishHelp}) {
    const char* text = GetHelpText(GetParam(), kind);
    HMODULE owner = nullptr;
    ASSERT_TRUE(GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, text,
        &owner));
    EXPECT_EQ(owner, library) << "kind " << kind;
    EXPECT_EQ(GetHelpText(GetParam(), kind), text) << "kind " << kind;
  }
}

INSTANTIATE_TEST_SUITE_P(KnownTips, HelpTextOfTip,
                         testing::Values(kTagEditorHelpId, kHelpIdWithoutRegistryPath));

TEST(HelpText, RegistryPathIsTheSuiteKeyAsTheRegistryEditorNamesIt) {
  EXPECT_STREQ(GetHelpText(kTagEditorHelpId, kRegistryPath),
               "HKEY_CURRENT_USER\\SOFTWARE\\Tovrane\\Quindrel 2000");
  EXPECT_EQ(GetHelpText(kHelpIdWithoutRegistryPath, kRegistryPath), nullptr);
}

TEST(HelpText, UnknownIdsAndKindsGiveNull) {
  for (std::int32_t id : {0, -1, 6299, 6302, -kTagEditorHelpId, INT32_MIN, INT32_MAX}) {
    for (std::int32_t kind : {kGermanHelp, kEnglishHelp, kRegistryPath}) {
      EXPECT_EQ(GetHelpText(id, kind), nullptr) << "id " << id << ", kind " << kind;
    }
  }
  for (std::int32_t id : {kTagEditorHelpId, kHelpIdWithoutRegistryPath}) {
    for (std::int32_t kind : {0, 1, 3, 6, -2, INT32_MIN, INT32_MAX}) {
      EXPECT_EQ(GetHelpText(id, kind), nullptr) << "id " << id << ", kind " << kind;
    }
  }
}

}  // namespace
