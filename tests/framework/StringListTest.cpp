#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/Exceptions.h"
#include "fw/StringList.h"

namespace {

using fw::TDuplicates;
using fw::TStringList;

std::vector<std::string> Items(const TStringList& l) {
  std::vector<std::string> v;
  for (int i = 0; i < l.Count(); ++i) v.push_back(l[i]);
  return v;
}

TEST(StringList, SortedListOrdersByLocaleIgnoringCaseAndIgnoresDuplicates) {
  TStringList l;
  l.SetSorted(true);
  EXPECT_EQ(l.Duplicates(), TDuplicates::dupIgnore);
  for (const char* s : {"system", "Programme", "\xC3\x84nderungen", "Windows", "programme", "Apps",
                        "SYSTEM", "bilder"})
    l.Add(s);
  // "Änderungen" sorts with A, not after the ASCII letters as its byte would.
  EXPECT_EQ(Items(l), (std::vector<std::string>{"\xC3\x84nderungen", "Apps", "bilder", "Programme",
                                                "system", "Windows"}));
  // Adding an equal string answers where the one already there is.
  EXPECT_EQ(l.Add("WINDOWS"), 5);
  EXPECT_EQ(l.Add("apps"), 1);
  EXPECT_EQ(l.Count(), 6);
  EXPECT_EQ(l.Add("Musik"), 3);
}

TEST(StringList, DuplicateRulesOnASortedList) {
  TStringList accept;
  accept.SetSorted(true);
  accept.SetDuplicates(TDuplicates::dupAccept);
  accept.Add("b");
  accept.Add("a");
  accept.Add("B");
  EXPECT_EQ(accept.Count(), 3);
  EXPECT_EQ(accept[0], "a");

  TStringList error;
  error.SetSorted(true);
  error.SetDuplicates(TDuplicates::dupError);
  error.Add("Musik");
  EXPECT_THROW(error.Add("MUSIK"), fw::EInvalidOperation);
  EXPECT_EQ(Items(error), std::vector<std::string>{"Musik"});
}

TEST(StringList, UnsortedListKeepsOrderAndEveryString) {
  TStringList l;
  EXPECT_EQ(l.Add("b"), 0);
  EXPECT_EQ(l.Add("a"), 1);
  EXPECT_EQ(l.Add("B"), 2);
  l.Insert(0, "z");
  l.Insert(4, "end");
  EXPECT_EQ(Items(l), (std::vector<std::string>{"z", "b", "a", "B", "end"}));
  EXPECT_EQ(l.IndexOf("A"), 2);
  EXPECT_EQ(l.IndexOf("B"), 1);  // the first, whatever its case
  EXPECT_EQ(l.IndexOf("q"), -1);
  l.Delete(0);
  EXPECT_EQ(l[0], "b");
  // Turning sorting on sorts what is there.
  l.SetSorted(true);
  EXPECT_EQ(Items(l), (std::vector<std::string>{"a", "b", "B", "end"}));
}

TEST(StringList, ObjectsTravelWithTheirStrings) {
  int one = 1, two = 2, three = 3;
  TStringList l;
  l.SetSorted(true);
  l.AddObject("c", &three);
  l.AddObject("a", &one);
  l.AddObject("b", &two);
  EXPECT_EQ(l.Objects(0), &one);
  EXPECT_EQ(l.Objects(1), &two);
  EXPECT_EQ(l.Objects(2), &three);
  l.Delete(0);
  EXPECT_EQ(l.Objects(0), &two);
  l.SetObjects(0, nullptr);
  EXPECT_EQ(l.Objects(0), nullptr);
}

TEST(StringList, FindGivesThePositionOrTheInsertionPoint) {
  TStringList l;
  l.SetSorted(true);
  for (const char* s : {"b", "d", "f"}) l.Add(s);
  const struct {
    const char* s;
    bool found;
    int index;
  } cases[] = {{"a", false, 0}, {"B", true, 0}, {"c", false, 1}, {"f", true, 2}, {"g", false, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.s);
    int index = -1;
    EXPECT_EQ(l.Find(c.s, index), c.found);
    EXPECT_EQ(index, c.index);
  }
}

TEST(StringList, MisuseRaises) {
  TStringList l;
  l.Add("a");
  EXPECT_THROW(l[1], fw::ERangeError);
  EXPECT_THROW(l.Strings(-1), fw::ERangeError);
  EXPECT_THROW(l.Objects(1), fw::ERangeError);
  EXPECT_THROW(l.Delete(1), fw::ERangeError);
  EXPECT_THROW(l.Insert(2, "x"), fw::ERangeError);
  l.SetSorted(true);
  EXPECT_THROW(l.Insert(0, "x"), fw::EInvalidOperation);
  EXPECT_THROW(l.SetStrings(0, "x"), fw::EInvalidOperation);
  EXPECT_EQ(Items(l), std::vector<std::string>{"a"});
}

TEST(StringList, TextJoinsWithCrLfAndSplitsAtAnyLineBreak) {
  const struct {
    std::string text;
    std::vector<std::string> items;
    std::string joined;
  } cases[] = {
      {"", {}, ""},
      {"one", {"one"}, "one\r\n"},
      {"one\r\ntwo\r\n", {"one", "two"}, "one\r\ntwo\r\n"},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}, "a\r\nb\r\nc\r\nd\r\n"},
      {"\r\n\r\n", {"", ""}, "\r\n\r\n"},
      {"x\n\ry", {"x", "", "y"}, "x\r\n\r\ny\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TStringList l;
    l.Add("old");
    l.SetText(c.text);
    EXPECT_EQ(Items(l), c.items);
    EXPECT_EQ(l.Text(), c.joined);
  }
  // A sorted list keeps sorting and its duplicate rule.
  TStringList sorted;
  sorted.SetSorted(true);
  sorted.SetText("b\r\nA\r\na\r\n");
  EXPECT_EQ(sorted.Text(), "A\r\nb\r\n");
}

}  // namespace
