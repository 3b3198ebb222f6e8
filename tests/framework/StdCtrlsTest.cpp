// The standard controls with real windows: edit change notices, memo line
// breaks, static text and panel colours on screen, label sizing, and the
// speed button's clicks, mouse hooks and glyph drawing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "StdCtrlsSupport.h"
#include "fw/Application.h"
#include "fw/Canvas.h"
#include "fw/Edit.h"
#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/Label.h"
#include "fw/Memo.h"
#include "fw/Panel.h"
#include "fw/SpeedButton.h"
#include "fw/StaticText.h"
#include "testsupport/ProcessObjects.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingDialogs.h"
#include "testsupport/UserInput.h"

namespace {

using stdctrls::Capture;
using stdctrls::Pump;

// One form for all the tests: hiding a window under Wine without a window
// manager waits two seconds for the withdrawal that never comes. Each test
// gets it white, in the default font, with nothing on it.
class StdCtrls : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    shared = fw::MakeOwned<fw::TForm>().release();
    shared->SetBounds(60, 60, 420, 320);
  }
  static void TearDownTestSuite() { fw::Free(std::exchange(shared, nullptr)); }
  void SetUp() override {
    form = shared;
    form->SetColor(fw::clWhite);
    form->Font() = fw::TFont();
  }
  void TearDown() override {
    while (form->ComponentCount() > 0) fw::Free(form->Components(form->ComponentCount() - 1));
  }

  template <typename T>
  T* Add(int left, int top, int width, int height) {
    T* control = fw::Make<T>(form);
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    return control;
  }
  void Show() {
    form->Show();
    Pump();
  }
  // The real pointer to a point of the form, and its button pressed or let go.
  void PointerTo(int x, int y) {
    testsupport::MovePointer(form->Handle(), {x, y});
    Pump();
  }
  void Button(bool down) {
    testsupport::PointerButton(down);
    Pump();
  }

  static inline fw::TForm* shared = nullptr;
  fw::TForm* form = nullptr;
};

// --- TEdit ----------------------------------------------------------------

TEST_F(StdCtrls, EditReportsEveryRealChangeOnce) {
  auto* edit = fw::Make<fw::TEdit>(form);
  std::vector<std::string> seen;
  edit->OnChange = [&](fw::TComponent* sender) {
    EXPECT_EQ(sender, edit);
    seen.push_back(edit->Text());
  };

  edit->SetText("before");  // no window yet
  edit->SetText("before");
  EXPECT_FALSE(edit->HandleAllocated());
  edit->SetParent(form);
  edit->SetBounds(10, 10, 150, 21);
  Show();
  ASSERT_TRUE(edit->HandleAllocated());
  EXPECT_EQ(edit->Text(), "before");  // the window starts with the text set earlier
  edit->SetText("after");
  edit->SetText("after");
  EXPECT_EQ(seen, (std::vector<std::string>{"before", "after"}));

  // Typed: the edit's own notice, through the parent.
  edit->SetFocus();
  edit->SetSelStart(5);
  testsupport::TypeText("X");
  Pump();
  EXPECT_EQ(edit->Text(), "afterX");
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen.back(), "afterX");

  // Typing over a selection with the same character changes nothing.
  edit->SetSelStart(5);
  edit->SetSelLength(1);
  EXPECT_EQ(edit->SelLength(), 1);
  testsupport::TypeText("X");
  Pump();
  EXPECT_EQ(edit->Text(), "afterX");
  EXPECT_EQ(seen.size(), 3u);

  edit->SetText("");
  EXPECT_EQ(seen.back(), "");
  EXPECT_EQ(seen.size(), 4u);
}

TEST_F(StdCtrls, EditKeepsTextAndSettingsAcrossRecreation) {
  auto* edit = Add<fw::TEdit>(10, 10, 150, 21);
  int changes = 0;
  edit->OnChange = [&](fw::TComponent*) { ++changes; };
  Show();
  edit->SetReadOnly(true);
  edit->SetMaxLength(7);
  edit->SetText("typed text");
  changes = 0;

  edit->RecreateWnd();
  HWND window = edit->Handle();
  EXPECT_EQ(edit->Text(), "typed text");
  EXPECT_EQ(changes, 0);
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STREQ(className, "TEdit");
  LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_TRUE(style & ES_AUTOHSCROLL);
  EXPECT_TRUE(style & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(SendMessageA(window, EM_GETLIMITTEXT, 0, 0), 7);
  EXPECT_EQ(edit->Color(), fw::clWindow);

  // Taken off its parent and put back: the window goes and comes again with what it held.
  SetWindowTextA(window, "pasted");
  edit->SetParent(nullptr);
  EXPECT_FALSE(edit->HandleAllocated());
  EXPECT_EQ(edit->Text(), "pasted");
  edit->SetParent(form);
  EXPECT_EQ(edit->Text(), "pasted");
  EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 7);
}

TEST_F(StdCtrls, EditMaxLengthLimitsTheUserOnly) {
  auto* edit = Add<fw::TEdit>(10, 10, 150, 21);
  edit->SetMaxLength(3);
  Show();
  edit->SetText("abcdef");  // code is not cut
  EXPECT_EQ(edit->Text(), "abcdef");
  edit->SetText("ab");
  edit->SetFocus();
  edit->SetSelStart(2);
  testsupport::TypeText("xyz");
  Pump();
  EXPECT_EQ(edit->Text(), "abx");
  edit->SelectAll();
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 3);
}

// --- TMemo ----------------------------------------------------------------

TEST(MemoText, BreaksBecomeCrLf) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"", ""},
      {"one", "one"},
      {"a\r\nb", "a\r\nb"},
      {"a\nb\rc", "a\r\nb\r\nc"},
      {"a\n\nb", "a\r\n\r\nb"},
      {"a\r\rb", "a\r\n\r\nb"},
      {"a\n\r", "a\r\n\r\n"},  // LF then CR: two breaks, not one reversed
      {"end\r", "end\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(fw::WithCrLfBreaks(c.in), c.out) << c.in;
}

TEST_F(StdCtrls, MemoLinesAreTheTextSplitAtCrLf) {
  auto* memo = Add<fw::TMemo>(10, 10, 200, 100);
  int changes = 0;
  memo->OnChange = [&](fw::TComponent*) { ++changes; };
  memo->SetLines({"first", "", "third"});
  EXPECT_EQ(memo->Text(), "first\r\n\r\nthird");
  Show();
  EXPECT_EQ(SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0), 3);

  // A multi-line edit gives no notice of its own for a text set by code.
  memo->SetText("Hilfe\nzweite Zeile");
  EXPECT_EQ(memo->Text(), "Hilfe\r\nzweite Zeile");
  EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"Hilfe", "zweite Zeile"}));
  EXPECT_EQ(SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0), 2);
  memo->SetText("Hilfe\r\nzweite Zeile");
  EXPECT_EQ(changes, 2);

  memo->SetScrollBars(fw::TScrollStyle::ssVertical);
  EXPECT_EQ(memo->Text(), "Hilfe\r\nzweite Zeile");
  LONG style = GetWindowLongA(memo->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & WS_HSCROLL);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_EQ(changes, 2);
}

TEST_F(StdCtrls, MemoEnterBreaksOnlyWhenWanted) {
  auto* memo = Add<fw::TMemo>(10, 10, 200, 100);
  Show();
  for (bool want : {true, false}) {
    memo->SetWantReturns(want);
    memo->SetText("ab");
    memo->SetFocus();
    memo->SetSelStart(1);
    testsupport::PressKeys({VK_RETURN});
    Pump();
    EXPECT_EQ(memo->Text(), want ? "a\r\nb" : "ab") << want;
  }
}

// --- TStaticText ----------------------------------------------------------

TEST_F(StdCtrls, StaticTextShowsItsFontColourOnItsColour) {
  const COLORREF blue = RGB(1, 72, 178);
  auto* title = Add<fw::TStaticText>(16, 8, 257, 33);
  title->SetAutoSize(false);
  title->Font().SetName("Tahoma");
  title->Font().SetHeight(-12);
  title->Font().SetStyle(fw::fsBold);
  title->Font().SetColor(static_cast<fw::TColor>(blue));
  title->SetText("Titel & Text");
  Show();
  EXPECT_EQ(title->Width(), 257);
  EXPECT_EQ(title->Height(), 33);
  EXPECT_TRUE(GetWindowLongA(title->Handle(), GWL_STYLE) & SS_NOPREFIX);

  Capture shot(title->Handle());
  EXPECT_GT(shot.Count(blue), 20);                  // solid stems of bold letters
  EXPECT_EQ(shot.At(250, 30), RGB(255, 255, 255));  // the form's white, taken as its own

  title->SetColor(static_cast<fw::TColor>(RGB(237, 242, 252)));
  Capture recoloured(title->Handle());
  EXPECT_EQ(recoloured.At(250, 30), RGB(237, 242, 252));
  EXPECT_GT(recoloured.Count(blue), 20);
}

TEST_F(StdCtrls, StaticTextAutoSizeFollowsCaption) {
  auto* text = Add<fw::TStaticText>(16, 8, 10, 10);
  text->SetText("short");
  int shortWidth = text->Width();
  text->SetText("a much longer caption");
  EXPECT_GT(text->Width(), shortWidth);
  EXPECT_EQ(text->Height(), 13);
  text->SetAutoSize(false);
  text->SetText("x");
  EXPECT_EQ(text->Left(), 16);
  EXPECT_GT(text->Width(), shortWidth);
}

// --- TLabel ---------------------------------------------------------------

TEST_F(StdCtrls, LabelAutoSizeFollowsCaptionAndFont) {
  auto* label = Add<fw::TLabel>(10, 258, 100, 40);
  label->SetAnchors(fw::akLeft | fw::akBottom);
  struct Case {
    std::string caption;
    bool showAccelChar;
    std::string measured;
  } cases[] = {
      {"Titel", true, "Titel"},
      {"K\xC3\xBCnstler", true, "K\xC3\xBCnstler"},
      {"&Kommentar", true, "Kommentar"},
      {"&Kommentar", false, "&Kommentar"},
  };
  for (const Case& c : cases) {
    label->SetShowAccelChar(c.showAccelChar);
    label->SetText(c.caption);
    EXPECT_EQ(label->Width(), stdctrls::TextWidth("Tahoma", -11, false, c.measured)) << c.caption;
    EXPECT_EQ(label->Height(), 13) << c.caption;
    EXPECT_EQ(label->Left(), 10);
    EXPECT_EQ(label->Top(), 258);
  }
  EXPECT_EQ(label->Anchors(), fw::akLeft | fw::akBottom);

  // Fonts alike share one GDI font: a change to one leaves the other as it was.
  auto* twin = Add<fw::TLabel>(10, 280, 100, 40);
  twin->SetText("Genre");
  label->Font().SetStyle(fw::fsBold);
  EXPECT_EQ(label->Width(), stdctrls::TextWidth("Tahoma", -11, true, "&Kommentar"));
  twin->SetText("Jahr");
  EXPECT_EQ(twin->Width(), stdctrls::TextWidth("Tahoma", -11, false, "Jahr"));

  label->SetAutoSize(false);
  label->SetText("x");
  EXPECT_EQ(label->Width(), stdctrls::TextWidth("Tahoma", -11, true, "&Kommentar"));
}

TEST_F(StdCtrls, LabelTakesItsParentsFontWhenPlaced) {
  form->Font().SetHeight(-16);
  auto* label = fw::Make<fw::TLabel>(form);
  label->SetText("Genre");
  int alone = label->Width();
  label->SetParent(form);
  EXPECT_GT(label->Width(), alone);
  EXPECT_EQ(label->Width(), stdctrls::TextWidth("Tahoma", -16, false, "Genre"));
}

TEST_F(StdCtrls, LabelBackgroundUnlessTransparentAndGreyWhenDisabled) {
  auto* label = Add<fw::TLabel>(20, 20, 0, 0);
  label->SetText("Album");
  label->SetColor(static_cast<fw::TColor>(RGB(0, 128, 0)));
  Show();
  const RECT area = label->BoundsRect();
  auto cornerColour = [&] { return Capture(form->Handle()).At(area.right - 1, area.bottom - 1); };
  EXPECT_EQ(cornerColour(), RGB(0, 128, 0));
  label->SetTransparent(true);
  EXPECT_EQ(cornerColour(), RGB(255, 255, 255));

  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_GT(Capture(form->Handle()).Count(text, area), 0);
  label->SetEnabled(false);
  Capture greyed(form->Handle());
  EXPECT_EQ(greyed.Count(text, area), 0);
  EXPECT_GT(greyed.Count(GetSysColor(COLOR_BTNSHADOW), area), 0);
}

// --- TPanel ---------------------------------------------------------------

TEST_F(StdCtrls, PanelBevelsAtItsEdges) {
  const COLORREF fill = RGB(140, 170, 230);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  auto* panel = Add<fw::TPanel>(10, 10, 60, 30);
  panel->SetColor(static_cast<fw::TColor>(fill));
  Show();
  char className[32] = {};
  GetClassNameA(panel->Handle(), className, sizeof className);
  EXPECT_STREQ(className, "TPanel");

  struct Case {
    fw::TBevelCut outer, inner;
    int borderWidth;
    COLORREF topLeft, bottomRight, inset;  // inset: the pixel at (1, 1)
  } cases[] = {
      {fw::TBevelCut::bvNone, fw::TBevelCut::bvNone, 0, fill, fill, fill},
      {fw::TBevelCut::bvRaised, fw::TBevelCut::bvNone, 0, light, dark, fill},
      {fw::TBevelCut::bvLowered, fw::TBevelCut::bvNone, 0, dark, light, fill},
      {fw::TBevelCut::bvRaised, fw::TBevelCut::bvLowered, 0, light, dark, dark},
      {fw::TBevelCut::bvNone, fw::TBevelCut::bvRaised, 1, fill, fill, light},
  };
  for (const Case& c : cases) {
    panel->SetBevelOuter(c.outer);
    panel->SetBevelInner(c.inner);
    panel->SetBorderWidth(c.borderWidth);
    Capture shot(panel->Handle());
    SCOPED_TRACE(static_cast<int>(c.outer) * 10 + static_cast<int>(c.inner));
    EXPECT_EQ(shot.At(0, 0), c.topLeft);
    EXPECT_EQ(shot.At(59, 29), c.bottomRight);
    EXPECT_EQ(shot.At(1, 1), c.inset);
    EXPECT_EQ(shot.At(30, 15), fill);
    if (c.outer == fw::TBevelCut::bvNone && c.inner == fw::TBevelCut::bvNone) {
      EXPECT_EQ(shot.Count(fill), 60 * 30);  // edge to edge
    }
  }
}

// Tab goes by tab order, into a container and out of it again, past what
// is hidden, disabled or no tab stop, and around; Shift+Tab goes back; a
// speed button's hint shows when the pointer rests on it and changes with
// its text at once.
TEST_F(StdCtrls, TabThroughContainersAndHintsOfGraphicControls) {
  auto* first = Add<fw::TEdit>(10, 10, 80, 20);
  auto* panel = Add<fw::TPanel>(10, 40, 200, 80);
  auto* last = Add<fw::TEdit>(10, 130, 80, 20);
  auto* skipped = Add<fw::TEdit>(100, 130, 80, 20);
  std::vector<fw::TEdit*> inner;
  for (int i = 0; i < 4; ++i) {
    inner.push_back(fw::Make<fw::TEdit>(form));
    inner.back()->SetParent(panel);
    inner.back()->SetBounds(10 + 45 * i, 10, 40, 20);
  }
  inner[0]->SetTabOrder(1);  // after inner[1]
  inner[2]->SetVisible(false);
  inner[3]->SetTabStop(false);
  skipped->SetEnabled(false);
  auto* button = Add<fw::TSpeedButton>(250, 10, 30, 30);
  button->SetShowHint(true);
  button->SetHint("Eins");
  Show();
  first->SetFocus();
  const std::vector<fw::TWinControl*> order{inner[1], inner[0], last, first};
  for (size_t i = 0; i < 2 * order.size(); ++i) {
    const bool back = i >= order.size();
    fw::TWinControl* expected =
        back ? order[(2 * order.size() - i + order.size() - 2) % order.size()] : order[i];
    if (back)
      testsupport::PressKeys({VK_SHIFT, VK_TAB});
    else
      testsupport::PressKeys({VK_TAB});
    EXPECT_TRUE(testsupport::PumpUntil([&] { return expected->Focused(); })) << i;
  }
  auto shown = [this] {
    char text[64] = {};
    HWND tip = form->HintWindow();
    if (tip && IsWindowVisible(tip)) GetWindowTextA(tip, text, sizeof text);
    return std::string(text);
  };
  testsupport::MovePointer(form->Handle(), {265, 25});
  EXPECT_TRUE(testsupport::PumpUntil([&] { return shown() == "Eins"; })) << shown();
  button->SetHint("Zwei");
  EXPECT_TRUE(testsupport::PumpUntil([&] { return shown() == "Zwei"; })) << shown();
  testsupport::MovePointer(form->Handle(), {265, 200});
  EXPECT_TRUE(testsupport::PumpUntil([&] { return shown().empty(); })) << shown();
}

// Ctl3D false: a flat one-pixel frame round the memo instead of the sunken
// edge; a control takes its parent's unless it sets its own.
TEST_F(StdCtrls, MemoBorderFollowsCtl3D) {
  const COLORREF fill = RGB(237, 242, 252);
  auto* panel = Add<fw::TPanel>(10, 10, 200, 100);
  panel->SetBevelOuter(fw::TBevelCut::bvNone);
  auto* memo = fw::Make<fw::TMemo>(form);
  memo->SetParent(panel);
  memo->SetBounds(20, 20, 100, 60);
  memo->SetColor(static_cast<fw::TColor>(fill));
  Show();
  struct Case {
    bool panel3D;
    int memo3D;  // -1: the panel's
    int frame;   // border pixels on each side
  } cases[] = {{true, -1, 2}, {false, -1, 1}, {false, 1, 2}, {true, 0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.panel3D << " " << c.memo3D);
    panel->SetCtl3D(c.panel3D);
    if (c.memo3D < 0)
      memo->SetParentCtl3D(true);
    else
      memo->SetCtl3D(c.memo3D == 1);
    EXPECT_EQ(memo->Ctl3D(), c.memo3D < 0 ? c.panel3D : c.memo3D == 1);
    Capture shot(panel->Handle());
    // Left edge, half way down: the frame, then the memo's own colour.
    const COLORREF outer =
        c.frame == 1 ? GetSysColor(COLOR_WINDOWFRAME) : GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(shot.At(20, 50), outer);
    EXPECT_NE(shot.At(20 + c.frame - 1, 50), fill);
    EXPECT_EQ(shot.At(20 + c.frame, 50), fill);
  }
}

TEST_F(StdCtrls, PanelDrawsCaptionAndGraphicChildren) {
  auto* panel = Add<fw::TPanel>(10, 10, 200, 60);
  panel->SetColor(fw::clWhite);
  panel->SetBevelOuter(fw::TBevelCut::bvNone);
  auto* label = fw::Make<fw::TLabel>(form);
  label->SetParent(panel);
  label->SetBounds(4, 4, 0, 0);
  label->SetText("Kind");
  label->Font().SetColor(static_cast<fw::TColor>(RGB(200, 0, 0)));
  panel->SetText("Mitte");
  panel->Font().SetColor(static_cast<fw::TColor>(RGB(0, 0, 200)));
  Show();
  Capture shot(panel->Handle());
  EXPECT_GT(shot.Count(RGB(200, 0, 0), label->BoundsRect()), 0);
  EXPECT_GT(shot.Count(RGB(0, 0, 200), RECT{70, 20, 130, 40}), 0);  // centred
  EXPECT_EQ(shot.Count(RGB(0, 0, 200), RECT{0, 0, 60, 60}), 0);
}

// A graphic control whose first painting fails; afterwards it is blue.
class TFailsToPaintOnce : public fw::TGraphicControl {
 public:
  explicit TFailsToPaintOnce(fw::TComponent* owner) : TGraphicControl(owner) {}
  void Paint(fw::TCanvas& canvas) override {
    if (!std::exchange(failed, true)) throw fw::EInvalidOperation("painting failed on purpose");
    canvas.Brush().Color = fw::clBlue;
    canvas.FillRect(RECT{0, 0, Width(), Height()});
  }
  bool failed = false;
};

TEST_F(StdCtrls, PaintingThatFailsIsReportedOnceFreesItsObjectsAndPaintsOnceFixed) {
  testsupport::ScopedDialogs dialogs;
  Show();
  const auto before = testsupport::CountProcessObjects();
  auto* control = Add<TFailsToPaintOnce>(20, 20, 40, 30);
  Pump();
  ASSERT_TRUE(control->failed);
  EXPECT_EQ(testsupport::CountProcessObjects().gdi, before.gdi) << testsupport::DescribeSources();
  EXPECT_FALSE(GetUpdateRect(form->Handle(), nullptr, FALSE));
  control->Invalidate();
  Capture shot(form->Handle());
  EXPECT_EQ(shot.Count(RGB(0, 0, 255), control->BoundsRect()), 40 * 30);
  EXPECT_EQ(dialogs->Texts(testsupport::DialogKind::Exception),
            std::vector<std::string>{"painting failed on purpose"});
}

// --- TSpeedButton ---------------------------------------------------------

// Records the hooks a subclass sees, calling the base as subclasses must.
class TRecordingButton : public fw::TSpeedButton {
 public:
  explicit TRecordingButton(fw::TComponent* owner) : TSpeedButton(owner) {}
  void MouseEnter() override {
    events.push_back(MouseInControl() ? "enter" : "enter outside");
    TSpeedButton::MouseEnter();
  }
  void MouseLeave() override {
    events.push_back(MouseInControl() ? "leave inside" : "leave");
    TSpeedButton::MouseLeave();
  }
  std::vector<std::string> events;
};

TEST_F(StdCtrls, SpeedButtonClicksOnReleaseInsideAfterPress) {
  auto* button = Add<fw::TSpeedButton>(100, 100, 40, 30);
  int clicks = 0;
  button->OnClick = [&](fw::TComponent* sender) {
    EXPECT_EQ(sender, button);
    ++clicks;
  };
  Show();
  struct Case {
    const char* what;
    bool enabled;
    POINT down, up;
    int clicks;
  } cases[] = {
      {"press and release inside", true, {120, 115}, {125, 110}, 1},
      {"released outside", true, {120, 115}, {160, 115}, 0},
      {"pressed outside", true, {90, 115}, {120, 115}, 0},
      {"disabled", false, {120, 115}, {120, 115}, 0},
  };
  for (const Case& c : cases) {
    clicks = 0;
    button->SetEnabled(c.enabled);
    PointerTo(c.down.x, c.down.y);
    Button(true);
    PointerTo(c.up.x, c.up.y);
    Button(false);
    EXPECT_EQ(clicks, c.clicks) << c.what;
  }
  // Disabled while held down.
  button->SetEnabled(true);
  clicks = 0;
  PointerTo(120, 115);
  Button(true);
  EXPECT_TRUE(button->Pressed());
  button->SetEnabled(false);
  Button(false);
  EXPECT_EQ(clicks, 0);
  button->Click();
  EXPECT_EQ(clicks, 0);
}

TEST_F(StdCtrls, SpeedButtonMouseHooksAndFlatFrame) {
  auto* button = fw::Make<TRecordingButton>(form);
  button->SetParent(form);
  button->SetBounds(100, 100, 40, 30);
  button->SetFlat(true);
  Show();
  PointerTo(10, 10);
  button->events.clear();
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  auto frameCorner = [&] { return Capture(form->Handle()).At(139, 129); };
  EXPECT_EQ(frameCorner(), RGB(255, 255, 255));  // flat: no frame at rest

  PointerTo(120, 115);
  EXPECT_EQ(button->events, std::vector<std::string>{"enter"});
  EXPECT_TRUE(button->MouseInControl());
  EXPECT_EQ(frameCorner(), shadow);

  PointerTo(125, 118);  // still inside: nothing new
  PointerTo(20, 20);
  EXPECT_EQ(button->events, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_FALSE(button->MouseInControl());
  EXPECT_EQ(frameCorner(), RGB(255, 255, 255));

  PointerTo(120, 115);
  PostMessageA(form->Handle(), WM_MOUSELEAVE, 0, 0);
  Pump();
  EXPECT_EQ(button->events, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));
  EXPECT_EQ(frameCorner(), RGB(255, 255, 255));
}

TEST_F(StdCtrls, SpeedButtonDrawsGlyphWithoutItsTransparentColour) {
  // The test glyph: two 16 x 16 images on magenta, a black square (pixels
  // 4..11 both ways) in the first and a red one in the second.
  auto* button = Add<fw::TSpeedButton>(100, 100, 36, 36);
  button->LoadGlyph(fw::ThisModule(), "STDCTRLSGLYPH");
  EXPECT_EQ(button->NumGlyphs(), 2);
  Show();
  // A point of the button; an image's (0, 0) is centred at (10, 10).
  auto at = [&](int x, int y) { return Capture(form->Handle()).At(100 + x, 100 + y); };
  const COLORREF magenta = RGB(255, 0, 255);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF white = RGB(255, 255, 255);

  EXPECT_EQ(at(18, 18), RGB(0, 0, 0));
  EXPECT_EQ(at(11, 11), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(at(11, 24), GetSysColor(COLOR_BTNFACE));
  button->SetFlat(true);
  EXPECT_EQ(at(11, 11), white);  // the parent's background
  EXPECT_EQ(Capture(form->Handle()).Count(magenta), 0);

  // Disabled: the second image when there is one.
  button->SetEnabled(false);
  EXPECT_EQ(at(18, 18), RGB(255, 0, 0));
  // Else the shape of the only image in the shadow colour: one 32 x 16
  // image, so both squares, from (2, 10) on.
  button->SetNumGlyphs(1);
  Capture greyed(form->Handle());
  EXPECT_EQ(greyed.At(100 + 2 + 8, 100 + 10 + 8), shadow);
  EXPECT_EQ(greyed.At(100 + 2 + 24, 100 + 10 + 8), shadow);
  EXPECT_EQ(greyed.At(100 + 2 + 16, 100 + 10 + 8), white);
  EXPECT_EQ(greyed.Count(magenta) + greyed.Count(RGB(0, 0, 0)) + greyed.Count(RGB(255, 0, 0)), 0);
}

TEST_F(StdCtrls, SpeedButtonGlyphDrawnIntoBySubclassCode) {
  auto* button = Add<fw::TSpeedButton>(100, 100, 36, 36);
  button->SetFlat(true);
  Show();
  fw::TBitmap picture;
  picture.LoadFromResourceName(fw::ThisModule(), "STDCTRLSGLYPH");
  button->SetGlyph(&picture);
  auto centre = [&] { return Capture(form->Handle()).At(118, 118); };
  EXPECT_EQ(centre(), RGB(0, 0, 0));

  // As an image-button subclass refills it: empty, then draw a new picture.
  button->SetGlyph(nullptr);
  EXPECT_TRUE(button->GetGlyph().Empty());
  EXPECT_EQ(centre(), RGB(255, 255, 255));
  fw::TBitmap& glyph = button->GetGlyph();
  glyph.SetSize(16, 16);
  RECT all{0, 0, 16, 16}, square{4, 4, 12, 12};
  glyph.Canvas().Brush().Color = static_cast<fw::TColor>(RGB(0, 255, 0));
  glyph.Canvas().FillRect(all);
  glyph.Canvas().Brush().Color = static_cast<fw::TColor>(RGB(0, 0, 255));
  glyph.Canvas().FillRect(square);
  button->GlyphChanged();
  Capture shot(form->Handle());
  EXPECT_EQ(shot.At(118, 118), RGB(0, 0, 255));
  EXPECT_EQ(shot.Count(RGB(0, 255, 0)), 0);
}

TEST_F(StdCtrls, SpeedButtonCaptionBesideGlyph) {
  auto* button = Add<fw::TSpeedButton>(100, 100, 100, 30);
  button->SetText("Play");
  button->Font().SetColor(static_cast<fw::TColor>(RGB(0, 0, 200)));
  Show();
  const RECT area = button->BoundsRect();
  EXPECT_GT(Capture(form->Handle()).Count(RGB(0, 0, 200), area), 0);
  button->SetEnabled(false);
  EXPECT_EQ(Capture(form->Handle()).Count(RGB(0, 0, 200), area), 0);
}

}  // namespace
