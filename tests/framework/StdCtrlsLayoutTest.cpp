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

// One property as read from the layout: whether it has the expected value.
struct Row {
  const char* property;
  bool same;
  std::string actual;
};
template <typename A, typename E>
Row Is(const char* property, const A& actual, const E& expected) {
  return {property, actual == expected, testing::PrintToString(actual)};
}

TEST(StdCtrlsLayout, PropertiesAndHandlersAreRead) {
  TStdCtrlsTestForm* form = fw::CreateForm<TStdCtrlsTestForm>(nullptr);
  fw::Owned<TStdCtrlsTestForm> hold(form);
  // Pixels below are design pixels; the layout is stored at the screen's 96 dpi.
  ASSERT_EQ(fw::ScreenPixelsPerInch(), 96);

  auto& edit = form->Get<fw::TEdit>("Edit1");
  auto& memo = form->Get<fw::TMemo>("Memo1");
  auto& text = form->Get<fw::TStaticText>("StaticText1");
  auto& label = form->Get<fw::TLabel>("Label1");
  auto& panel = form->Get<fw::TPanel>("Panel1");
  auto& button = form->Get<fw::TSpeedButton>("SpeedButton1");
  const Row rows[] = {
      Is("Edit1.Text", edit.Text(), "from layout"), Is("Edit1.ReadOnly", edit.ReadOnly(), true),
      Is("Edit1.MaxLength", edit.MaxLength(), 30),
      Is("Memo1.Text", memo.Text(), "first line\r\nsecond line"),
      Is("Memo1.ReadOnly", memo.ReadOnly(), true),
      Is("Memo1.ScrollBars", memo.ScrollBars(), fw::TScrollStyle::ssVertical),
      Is("Memo1.WantReturns", memo.WantReturns(), false),
      Is("Memo1.TabStop", memo.TabStop(), false), Is("Memo1.Color", memo.Color(), 0xFCF2ED),
      Is("StaticText1.AutoSize", text.AutoSize(), false),
      Is("StaticText1.Alignment", text.Alignment(), fw::TAlignment::taCenter),
      Is("StaticText1.Width", text.Width(), 120),
      Is("StaticText1.Color (the form's)", text.Color(), fw::clWhite),
      Is("Label1.Transparent", label.Transparent(), true),
      Is("Label1.Alignment", label.Alignment(), fw::TAlignment::taRightJustify),
      Is("Label1.Layout", label.Layout(), fw::TTextLayout::tlCenter),
      Is("Label1.WordWrap", label.WordWrap(), false),
      Is("Label1.ShowAccelChar", label.ShowAccelChar(), false),
      // Sized when loaded, whatever order the layout gave its properties in.
      Is("Label1.Width", label.Width(), stdctrls::TextWidth("Tahoma", -11, false, "&Kommentar")),
      Is("Label1.Height", label.Height(), 13), Is("Label1.Left", label.Left(), 170),
      Is("Panel1.BevelOuter", panel.BevelOuter(), fw::TBevelCut::bvNone),
      Is("Panel1.BevelInner", panel.BevelInner(), fw::TBevelCut::bvLowered),
      Is("Panel1.BevelWidth", panel.BevelWidth(), 2),
      Is("Panel1.BorderWidth", panel.BorderWidth(), 3), Is("Panel1.Caption", panel.Text(), "Panel"),
      Is("SpeedButton1.Flat", button.Flat(), true),
      Is("SpeedButton1.Glyph width", button.GetGlyph().Width(), 32),
      Is("SpeedButton1.NumGlyphs", button.NumGlyphs(), 2),
      Is("OnChange not yet called", form->editChanges, 0),  // bound after the text
  };
  for (const Row& row : rows) EXPECT_TRUE(row.same) << row.property << " is " << row.actual;

  edit.SetText("changed");
  EXPECT_EQ(form->editChanges, 1);
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
