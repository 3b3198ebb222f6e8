// The framework's owner-drawn list box with real windows: items held before
// the window and across its re-creation, the system's sorting, notices of
// the user's selections only, the canvas prepared for each item's state,
// and the update bracket.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/ListBox.h"
#include "fw/SysUtils.h"
#include "testsupport/ItemTexts.h"
#include "testsupport/MessageSequence.h"
#include "testsupport/Pump.h"
#include "testsupport/UserInput.h"

namespace {

using testsupport::Pump;

// Notes what the framework hands to DrawItem and the redraw switches.
class ProbeListBox : public fw::TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
  struct Drawn {
    int index;
    RECT rect;
    UINT state;
    COLORREF brush, text;
  };
  std::vector<Drawn> drawn;
  std::vector<WPARAM> redraws;
  testsupport::MessageSequence* sequence = nullptr;

  void WndProc(fw::TMessage& m) override {
    if (m.Msg == WM_SETREDRAW) redraws.push_back(m.WParam);
    // The system's own messages reach the sequence through its hook.
    if (sequence && m.Msg >= fw::CN_BASE) sequence->Note(Name(), m.Msg);
    TCustomListBox::WndProc(m);
  }

 protected:
  void DrawItem(int index, const RECT& rect, UINT state) override {
    drawn.push_back({index, rect, state, fw::ColorToRGB(Canvas().Brush().Color),
                     fw::ColorToRGB(Canvas().Font().Color())});
    TCustomListBox::DrawItem(index, rect, state);
  }
};

class ListBox : public testing::Test {
 protected:
  ListBox() : form(fw::MakeOwned<fw::TForm>()) {
    form->SetBounds(40, 40, 300, 300);
    box = fw::Make<ProbeListBox>(form.get());
    box->SetParent(form.get());
    box->SetBounds(10, 10, 200, 200);
    form->SetName("Form");
    box->SetName("List");
  }
  void Show() {
    form->Show();
    Pump();
  }
  void ClickItem(int index, bool twice = false) {
    testsupport::ClickListItem(*box, index, twice);
    Pump();
  }

  fw::Owned<fw::TForm> form;
  ProbeListBox* box;
  int a = 1, b = 2, c = 3;
};

TEST_F(ListBox, ItemsHeldBeforeTheWindowMoveIntoIt) {
  box->SetSorted(true);
  EXPECT_EQ(box->Items().AddObject("pear", &a), 0);
  EXPECT_EQ(box->Items().AddObject("Apple", &b), 0);
  EXPECT_EQ(box->Items().AddObject("fig", &c), 1);
  box->SetItemIndex(1);
  ASSERT_FALSE(box->HandleAllocated());
  Show();
  ASSERT_TRUE(box->HandleAllocated());
  EXPECT_EQ(testsupport::ItemTexts(*box), (std::vector<std::string>{"Apple", "fig", "pear"}));
  EXPECT_EQ(box->Items().Objects(0), &b);
  EXPECT_EQ(box->Items().Objects(2), &a);
  EXPECT_EQ(box->ItemIndex(), 1);
  // The window now answers with the place the system chose.
  EXPECT_EQ(box->Items().AddObject("banana", &c), 1);
  EXPECT_EQ(box->Items().Objects(1), &c);
}

TEST_F(ListBox, ReCreationKeepsItemsObjectsAndSelection) {
  Show();
  box->Items().AddObject("b", &a);
  box->Items().AddObject("C", &b);
  box->Items().AddObject("a", &c);
  box->SetItemIndex(1);
  ASSERT_EQ(testsupport::ItemTexts(*box), (std::vector<std::string>{"b", "C", "a"}));
  box->SetSorted(true);  // a new window with the sorting style
  EXPECT_EQ(testsupport::ItemTexts(*box), (std::vector<std::string>{"a", "b", "C"}));
  EXPECT_EQ(box->Items().Objects(0), &c);
  EXPECT_EQ(box->Items().Objects(2), &b);
  EXPECT_EQ(box->ItemIndex(), 2);  // the selection went with its item
}

TEST_F(ListBox, ManyItemsAtOnceLandAsTheListItselfSortsThem) {
  std::vector<std::string> texts = {"b.mp3",
                                    "[..]",
                                    "A.MP3",
                                    "a.mp3",
                                    "[Sub]",
                                    "a-b",
                                    "ab",
                                    "a_b",
                                    "a b",
                                    "10.txt",
                                    "9.txt",
                                    "\xC3\xA4rger",
                                    "Arg",
                                    "zebra",
                                    "[.]",
                                    "~x",
                                    "a.mp3",
                                    "Zoo",
                                    "\xC3\x84"
                                    "a",
                                    "aa",
                                    "a'b",
                                    "_a"};
  Show();
  box->SetSorted(true);
  for (const std::string& t : texts) box->Items().Add(t);  // the list's own search
  // Texts equal without regard to case may stand in either order.
  auto folded = [&] {
    std::vector<std::string> v = testsupport::ItemTexts(*box);
    for (std::string& t : v) t = fw::AnsiLowerCase(t);
    return v;
  };
  const std::vector<std::string> own = folded();

  box->Items().Clear();
  std::vector<fw::TListBoxItem> batch;
  for (std::string& t : texts) batch.push_back({t, &t});
  box->Items().AddObjects(batch);
  EXPECT_EQ(folded(), own);
  for (int i = 0; i < box->Items().Count(); ++i)
    EXPECT_EQ(*static_cast<const std::string*>(box->Items().Objects(i)), box->Items().Strings(i));
  // Into a list that has items already: each finds its place.
  box->Items().AddObjects({{"a.mp3", &a}, {"0", &b}});
  const std::vector<std::string> merged = folded();
  texts.insert(texts.end(), {"a.mp3", "0"});
  box->Items().Clear();
  for (const std::string& t : texts) box->Items().Add(t);
  EXPECT_EQ(merged, folded());
}

TEST_F(ListBox, UnsortedItemsGoWhereTheyAreToldInEitherState) {
  for (bool window : {false, true}) {
    SCOPED_TRACE(window ? "window" : "held");
    if (window) Show();
    box->Items().Clear();
    EXPECT_EQ(box->Items().Add("one"), 0);
    EXPECT_EQ(box->Items().Add("two"), 1);
    box->Items().InsertObject(1, "between", &a);
    box->Items().Insert(3, "last");
    EXPECT_EQ(testsupport::ItemTexts(*box),
              (std::vector<std::string>{"one", "between", "two", "last"}));
    EXPECT_EQ(box->Items().Objects(1), &a);
    box->Items().SetObjects(2, &b);
    EXPECT_EQ(box->Items().Objects(2), &b);
    EXPECT_EQ(box->Items().IndexOf("TWO"), 2);
    EXPECT_EQ(box->Items().IndexOf("tw"), -1);
    box->Items().Delete(0);
    EXPECT_EQ(testsupport::ItemTexts(*box), (std::vector<std::string>{"between", "two", "last"}));
    EXPECT_THROW(box->Items().Strings(3), fw::ERangeError);
    EXPECT_THROW(box->Items().Objects(-1), fw::ERangeError);
    EXPECT_THROW(box->Items().Insert(5, "x"), fw::ERangeError);
    EXPECT_THROW(box->Items().Delete(3), fw::ERangeError);
  }
}

// The contract behind owner drawing: the system asks the parent, and the
// parent hands the question back to the list it came from. The fixed item
// height is asked once, while the list's window is being made.
TEST_F(ListBox, ItemMessagesGoToTheParentAndBackToTheList) {
  using testsupport::Noted;
  box->Items().Add("one");
  form->HandleNeeded();  // and its children's
  {
    testsupport::MessageSequence sequence({WM_CREATE, WM_MEASUREITEM, fw::CN_MEASUREITEM});
    auto* late = fw::Make<ProbeListBox>(form.get());
    late->SetName("Late");
    late->sequence = &sequence;
    late->SetParent(form.get());
    late->HandleNeeded();
    late->sequence = nullptr;
    EXPECT_EQ(sequence.Take(),
              (std::vector<Noted>{
                  {"Late", WM_CREATE}, {"Form", WM_MEASUREITEM}, {"Late", fw::CN_MEASUREITEM}}));
  }
  Show();
  testsupport::MessageSequence sequence(
      {WM_DRAWITEM, fw::CN_DRAWITEM, WM_COMMAND, fw::CN_COMMAND, WM_MEASUREITEM});
  box->sequence = &sequence;
  RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(sequence.Take(),
            (std::vector<Noted>{{"Form", WM_DRAWITEM}, {"List", fw::CN_DRAWITEM}}));
  box->SetFocus();
  Pump();
  sequence.Take();
  ClickItem(0);
  std::vector<Noted> commands;
  for (const Noted& n : sequence.Take())
    if (n.message == WM_COMMAND || n.message == fw::CN_COMMAND) commands.push_back(n);
  EXPECT_EQ(commands, (std::vector<Noted>{{"Form", WM_COMMAND}, {"List", fw::CN_COMMAND}}));
  box->sequence = nullptr;
}

TEST_F(ListBox, OnlyTheUsersSelectionsNotify) {
  for (const char* s : {"a", "b", "c"}) box->Items().Add(s);
  Show();
  int clicks = 0, doubles = 0;
  box->OnClick = [&](fw::TComponent* sender) {
    EXPECT_EQ(sender, box);
    ++clicks;
  };
  box->OnDblClick = [&](fw::TComponent*) { ++doubles; };
  box->SetItemIndex(0);
  Pump();
  EXPECT_EQ(clicks, 0);
  ClickItem(2);
  EXPECT_EQ(box->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  ClickItem(1, true);
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(doubles, 1);
}

TEST_F(ListBox, KeyPressSeesTypedCharactersAndMaySwallowThem) {
  for (const char* s : {"apple", "berry", "cherry"}) box->Items().Add(s);
  Show();
  std::string typed;
  box->OnKeyPress = [&](fw::TComponent*, wchar_t& key) {
    typed += static_cast<char>(key);
    if (key == 'c') key = 0;
  };
  box->SetItemIndex(0);
  box->SetFocus();
  testsupport::TypeText("b");
  Pump();
  EXPECT_EQ(box->ItemIndex(), 1);  // the list box's own type-ahead ran
  testsupport::TypeText("c");
  Pump();
  EXPECT_EQ(box->ItemIndex(), 1);  // swallowed
  EXPECT_EQ(typed, "bc");
}

TEST_F(ListBox, ItemsAreDrawnWithTheColoursOfTheirState) {
  box->SetItemHeight(21);
  for (const char* s : {"a", "b", "c"}) box->Items().Add(s);
  box->SetItemIndex(1);
  Show();
  box->drawn.clear();
  RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_GE(box->drawn.size(), 3u);
  for (const auto& d : box->drawn) {
    SCOPED_TRACE(d.index);
    EXPECT_EQ(d.rect.bottom - d.rect.top, 21);
    EXPECT_EQ(d.rect.top, 21 * d.index);
    bool selected = d.state & ODS_SELECTED;
    EXPECT_EQ(selected, d.index == 1);
    EXPECT_EQ(d.brush, fw::ColorToRGB(selected ? fw::clHighlight : fw::clWindow));
    EXPECT_EQ(d.text, fw::ColorToRGB(selected ? fw::clHighlightText : fw::clWindowText));
  }
  box->SetItemHeight(30);
  EXPECT_EQ(box->ItemRect(2).top, 60);
}

TEST_F(ListBox, UpdateBracketNestsAndEndsWhenAStepFails) {
  Show();
  box->BeginUpdate();
  box->BeginUpdate();
  box->EndUpdate();
  EXPECT_EQ(box->redraws, (std::vector<WPARAM>{FALSE}));
  box->EndUpdate();
  EXPECT_EQ(box->redraws, (std::vector<WPARAM>{FALSE, TRUE}));
  box->redraws.clear();
  try {
    fw::ListBoxUpdate update(*box);
    box->Items().Strings(99);
  } catch (const fw::ERangeError&) {
  }
  EXPECT_EQ(box->redraws, (std::vector<WPARAM>{FALSE, TRUE}));
  box->EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(box->redraws.size(), 2u);
}

TEST_F(ListBox, HiddenListStaysHiddenAfterAnUpdate) {
  box->SetVisible(false);
  Show();
  {
    fw::ListBoxUpdate update(*box);
    box->Items().Add("x");
  }
  EXPECT_FALSE(IsWindowVisible(box->Handle()));
  EXPECT_FALSE(GetWindowLongA(box->Handle(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(ListBox, OnlySingleSelection) {
  EXPECT_FALSE(box->MultiSelect());
  EXPECT_NO_THROW(box->SetMultiSelect(false));
  EXPECT_THROW(box->SetMultiSelect(true), fw::EInvalidOperation);
}

}  // namespace
