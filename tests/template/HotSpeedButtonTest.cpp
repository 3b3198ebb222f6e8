// The image button on its own: which picture of its image list the glyph
// holds in each state, the cursor, and what happens when the list goes.
#include <gtest/gtest.h>
#include <windows.h>

#include "HotSpeedButton.h"
#include "fw/Bitmap.h"
#include "fw/Form.h"
#include "fw/ImageList.h"

namespace moduletest {
namespace {

class HotButton : public testing::Test {
 protected:
  HotButton() {
    images_ = fw::Make<fw::TImageList>(form_.get());
    images_->SetWidth(32);
    images_->SetHeight(32);
    images_->LoadStrip(fw::ThisModule(), "TIPPBUTTONS");
    button_ = fw::Make<THotSpeedButton>(form_.get());
    button_->SetParent(form_.get());
  }

  // Whether the glyph shows exactly image `index` of the list.
  bool Shows(int index) {
    fw::TBitmap expected;
    images_->GetBitmap(index, expected);
    fw::TBitmap& glyph = button_->GetGlyph();
    if (glyph.Width() != expected.Width() || glyph.Height() != expected.Height()) return false;
    for (int y = 0; y < glyph.Height(); ++y)
      for (int x = 0; x < glyph.Width(); ++x)
        if (glyph.Pixel(x, y) != expected.Pixel(x, y)) return false;
    return true;
  }

  fw::Owned<fw::TForm> form_ = fw::MakeOwned<fw::TForm>();
  fw::TImageList* images_;
  THotSpeedButton* button_;
};

TEST_F(HotButton, WithoutImagesOnlyTheCursorChanges) {
  button_->SetImageIndex(2);
  button_->SetHotImageIndex(3);
  button_->MouseEnter();
  EXPECT_TRUE(button_->GetGlyph().Empty());
  EXPECT_EQ(button_->Cursor(), fw::crHandPoint);
  button_->MouseLeave();
  EXPECT_TRUE(button_->GetGlyph().Empty());
  EXPECT_EQ(button_->Cursor(), fw::crDefault);
}

TEST_F(HotButton, ANewHotIndexWaitsForTheNextEntry) {
  button_->SetImageList(images_);
  button_->SetImageIndex(0);
  button_->SetHotImageIndex(1);
  button_->MouseEnter();
  button_->SetHotImageIndex(7);
  EXPECT_TRUE(Shows(1));
  // Writing the normal index shows the normal picture at once, mouse or not.
  button_->SetImageIndex(6);
  EXPECT_TRUE(Shows(6));
  button_->MouseLeave();
  button_->MouseEnter();
  EXPECT_TRUE(Shows(7));
}

TEST_F(HotButton, EqualIndicesChangeOnlyTheCursor) {
  button_->SetImageList(images_);
  button_->SetImageIndex(2);
  button_->SetHotImageIndex(2);
  button_->MouseEnter();
  EXPECT_TRUE(Shows(2));
  EXPECT_EQ(button_->Cursor(), fw::crHandPoint);
  button_->MouseLeave();
  EXPECT_TRUE(Shows(2));
  EXPECT_EQ(button_->Cursor(), fw::crDefault);
}

TEST_F(HotButton, WritingTheSameIndexRedrawsTheGlyph) {
  button_->SetImageList(images_);
  button_->SetImageIndex(3);
  fw::TCanvas& canvas = button_->GetGlyph().Canvas();
  canvas.Brush().Color = fw::clBlack;
  RECT all{0, 0, 32, 32};
  canvas.FillRect(all);
  ASSERT_FALSE(Shows(3));
  button_->SetImageIndex(3);
  EXPECT_TRUE(Shows(3));
}

TEST_F(HotButton, RemovingTheListEmptiesTheGlyphAndKeepsTheIndices) {
  button_->SetImageList(images_);
  button_->SetImageIndex(6);
  button_->SetHotImageIndex(7);
  fw::Free(images_);
  EXPECT_EQ(button_->GetImageList(), nullptr);
  EXPECT_TRUE(button_->GetGlyph().Empty());
  EXPECT_EQ(button_->ImageIndex(), 6);
  EXPECT_EQ(button_->HotImageIndex(), 7);

  images_ = fw::Make<fw::TImageList>(form_.get());
  images_->SetWidth(32);
  images_->SetHeight(32);
  images_->LoadStrip(fw::ThisModule(), "TIPPBUTTONS");
  button_->SetImageList(images_);
  EXPECT_TRUE(Shows(6));
}

// The button asked for the list's removal notice itself: it hears of it even
// when the list has no owner to pass the notice round.
TEST_F(HotButton, ForgetsAnUnownedListThatGoes) {
  fw::Owned<fw::TImageList> list = fw::MakeOwned<fw::TImageList>();
  list->SetWidth(32);
  list->SetHeight(32);
  list->LoadStrip(fw::ThisModule(), "TIPPBUTTONS");
  button_->SetImageList(list.get());
  EXPECT_FALSE(button_->GetGlyph().Empty());
  list.reset();
  EXPECT_EQ(button_->GetImageList(), nullptr);
  EXPECT_TRUE(button_->GetGlyph().Empty());
}

}  // namespace
}  // namespace moduletest
