// The standard controls read from a layout: every property they publish,
// handlers bound by name, a glyph from the layout's module, and sizes after
// loading.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "StdCtrlsSupport.h"
#include "fw/Edit.h"
#include "fw/Form.h"
#include "fw/Label.h"
#include "fw/Layout.h"
#include "fw/Memo.h"
#include "fw/Panel.h"
#include "fw/SpeedButton.h"
#include "fw/StaticText.h"

namespace {

class TStdCtrlsTestForm : public fw::TForm {
 public:
  explicit TStdCtrlsTestForm(fw::TComponent* owner) : TForm(owner) {}
  const char* ClassName() const override { return "TStdCtrlsTestForm"; }
  fw::TNotifyEvent MethodAddress(const std::string& name) override {
    if (name == "Edit1Change") return [this](fw::TComponent*) { ++editChanges; };
    if (name == "SpeedButton1Click") return [this](fw::TComponent*) { ++clicks; };
    return TForm::MethodAddress(name);
  }
  template <typename T>
  T& Get(const char* name) {
    T* c = dynamic_cast<T*>(FindComponent(name));
    if (!c) throw std::runtime_error(std::string("no ") + name);
    return *c;
  }
  int editChanges = 0;
  int clicks = 0;
};

const fw::ClassRegistration formClass("TStdCtrlsTestForm", "TForm", nullptr, {});

TEST(StdCtrlsLayout, PropertiesAndHandlersAreRead) {
  TStdCtrlsTestForm* form = fw::CreateForm<TStdCtrlsTestForm>(nullptr);
  fw::Owned<TStdCtrlsTestForm> hold(form);
  // Pixels below are design pixels; the layout is stored at the screen's 96 dpi.
  ASSERT_EQ(fw::ScreenPixelsPerInch(), 96);

  auto& edit = form->Get<fw::TEdit>("Edit1");
  EXPECT_EQ(edit.Text(), "from layout");
  EXPECT_TRUE(edit.ReadOnly());
  EXPECT_EQ(edit.MaxLength(), 30);
  EXPECT_EQ(form->editChanges, 0);  // the handler was bound after the text
  edit.SetText("changed");
  EXPECT_EQ(form->editChanges, 1);

  auto& memo = form->Get<fw::TMemo>("Memo1");
  EXPECT_EQ(memo.Text(), "first line\r\nsecond line");
  EXPECT_TRUE(memo.ReadOnly());
  EXPECT_EQ(memo.ScrollBars(), fw::TScrollStyle::ssVertical);
  EXPECT_FALSE(memo.WantReturns());
  EXPECT_FALSE(memo.TabStop());
  EXPECT_EQ(memo.Color(), 0xFCF2ED);

  auto& text = form->Get<fw::TStaticText>("StaticText1");
  EXPECT_FALSE(text.AutoSize());
  EXPECT_EQ(text.Alignment(), fw::TAlignment::taCenter);
  EXPECT_EQ(text.Width(), 120);
  EXPECT_EQ(text.Color(), fw::clWhite);  // the form's

  auto& label = form->Get<fw::TLabel>("Label1");
  EXPECT_TRUE(label.Transparent());
  EXPECT_EQ(label.Alignment(), fw::TAlignment::taRightJustify);
  EXPECT_EQ(label.Layout(), fw::TTextLayout::tlCenter);
  EXPECT_FALSE(label.WordWrap());
  EXPECT_FALSE(label.ShowAccelChar());
  // Sized when loaded, whatever order the layout gave its properties in.
  EXPECT_EQ(label.Width(), stdctrls::TextWidth("Tahoma", -11, false, "&Kommentar"));
  EXPECT_EQ(label.Height(), 13);
  EXPECT_EQ(label.Left(), 170);

  auto& panel = form->Get<fw::TPanel>("Panel1");
  EXPECT_EQ(panel.BevelOuter(), fw::TBevelCut::bvNone);
  EXPECT_EQ(panel.BevelInner(), fw::TBevelCut::bvLowered);
  EXPECT_EQ(panel.BevelWidth(), 2);
  EXPECT_EQ(panel.BorderWidth(), 3);
  EXPECT_EQ(panel.Text(), "Panel");

  auto& button = form->Get<fw::TSpeedButton>("SpeedButton1");
  EXPECT_TRUE(button.Flat());
  EXPECT_EQ(button.GetGlyph().Width(), 32);
  EXPECT_EQ(button.NumGlyphs(), 2);
  button.Click();
  EXPECT_EQ(form->clicks, 1);

  // On screen: the memo's own colour, the panel's inner bevel inside its
  // border, the button's first image.
  form->Show();
  stdctrls::Capture memoShot(memo.Handle());
  EXPECT_EQ(memoShot.At(2, 50), RGB(0xED, 0xF2, 0xFC));
  stdctrls::Capture panelShot(panel.Handle());
  EXPECT_EQ(panelShot.At(0, 0), RGB(0x8C, 0xAA, 0xE6));
  EXPECT_EQ(panelShot.At(3, 3), GetSysColor(COLOR_BTNSHADOW));
  stdctrls::Capture formShot(form->Handle());
  EXPECT_EQ(formShot.At(170 + 12 + 8, 100 + 7 + 8), RGB(0, 0, 0));
}

}  // namespace
