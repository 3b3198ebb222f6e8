// Combo boxes: items kept across window re-creation, no events for changes
// made by code, Click and Change for a pick by the user, owner drawing at a
// fixed height.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "fw/Application.h"
#include "fw/ComboBox.h"
#include "fw/Form.h"
#include "testsupport/UserInput.h"

namespace {

struct Counts {
  int clicks = 0;
  int changes = 0;
};

class ComboTest : public testing::Test {
 protected:
  void SetUp() override {
    form = fw::MakeOwned<fw::TForm>();
    form->SetBounds(50, 50, 300, 200);
    combo = fw::Make<fw::TComboBox>(form.get());
    combo->SetParent(form.get());
    combo->SetBounds(10, 10, 200, 21);
    combo->OnClick = [this](fw::TComponent*) { ++counts.clicks; };
    combo->OnChange = [this](fw::TComponent*) { ++counts.changes; };
  }
  fw::Owned<fw::TForm> form;
  fw::TComboBox* combo = nullptr;
  Counts counts;
};

TEST_F(ComboTest, ItemsAndSelectionSurviveTheWindowAndCodeRaisesNothing) {
  combo->SetStyle(fw::TComboBoxStyle::csDropDownList);
  int tag = 7;
  combo->Items().Add("Blues");
  combo->Items().AddObject("Classic Rock", &tag);
  combo->SetItemIndex(1);
  form->Show();
  HWND h = combo->Handle();
  char cls[32];
  GetClassNameA(h, cls, sizeof cls);
  EXPECT_STREQ(cls, "TComboBox");
  EXPECT_EQ(SendMessageA(h, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Items().Objects(1), &tag);
  combo->SetItemIndex(-1);
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(0);
  combo->SetStyle(fw::TComboBoxStyle::csOwnerDrawFixed);  // a new window
  EXPECT_NE(combo->Handle(), h);
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->Items().IndexOf("classic rock"), 1);
  EXPECT_EQ(counts.clicks, 0);
  EXPECT_EQ(counts.changes, 0);
}

TEST_F(ComboTest, APickByTheUserClicksAndChangesOnce) {
  combo->SetStyle(fw::TComboBoxStyle::csDropDownList);
  for (const char* s : {"Blues", "Classic Rock", "Country"}) combo->Items().Add(s);
  form->Show();
  combo->SetItemIndex(0);
  combo->SetFocus();
  testsupport::PressKeys({VK_DOWN});
  fw::Application().ProcessMessages();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(counts.clicks, 1);
  EXPECT_EQ(counts.changes, 1);
}

class Drawn : public fw::TCustomComboBox {
 public:
  explicit Drawn(fw::TComponent* owner) : TCustomComboBox(owner) {
    SetStyle(fw::TComboBoxStyle::csOwnerDrawFixed);
  }
  void DrawItem(int index, const RECT& rect, uint32_t state) override {
    drawn.push_back({index, rect.bottom - rect.top, state});
    TCustomComboBox::DrawItem(index, rect, state);
  }
  struct Call {
    int index, height;
    uint32_t state;
  };
  std::vector<Call> drawn;
};

TEST(ComboOwnerDraw, TheClosedBoxDrawsTheSelectionAtTheItemHeight) {
  auto form = fw::MakeOwned<fw::TForm>();
  form->SetBounds(50, 50, 300, 200);
  auto* box = fw::Make<Drawn>(form.get());
  box->SetParent(form.get());
  box->SetItemHeight(17);
  box->Items().Add("a: ");
  box->Items().Add("c: [SYSTEM]");
  box->SetItemIndex(1);
  form->Show();
  UpdateWindow(box->Handle());
  ASSERT_FALSE(box->drawn.empty());
  const Drawn::Call& last = box->drawn.back();
  EXPECT_EQ(last.index, 1);
  EXPECT_TRUE(last.state & fw::odComboBoxEdit);
  EXPECT_EQ(SendMessageA(box->Handle(), CB_GETITEMHEIGHT, 0, 0), 17);
}

}  // namespace
