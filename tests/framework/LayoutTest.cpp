// Form layouts: an extended layout, references resolved at once or after
// the whole form, handlers bound by name (a descendant's method taking the
// place of its ancestor's), and the errors a bad layout gives.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/Layout.h"
#include "fw/Services.h"
#include "testsupport/RecordingDialogs.h"

namespace {

std::vector<std::string> log;

class TProbe : public fw::TComponent {
 public:
  explicit TProbe(fw::TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TProbe"; }
  void SetValue(int v) {
    value = v;
    log.push_back(Name() + ".Value=" + std::to_string(v));
  }
  void Loaded() override {
    log.push_back(Name() + " loaded");
    TComponent::Loaded();
  }
  int value = 0;
  TProbe* link = nullptr;
  fw::TNotifyEvent OnFire;
};

const fw::ClassRegistration probeClass(
    "TProbe", "", [](fw::TComponent* owner) { return fw::Make<TProbe>(owner); },
    {
        {"Value", fw::Setter(&TProbe::SetValue)},
        {"Link",
         [](fw::TComponent& c, const fw::LayoutValue& v, fw::LayoutReader& r) {
           TProbe& probe = fw::Target<TProbe>(c, v, r);
           r.Reference(v, [&probe](fw::TComponent* other) {
             probe.link = dynamic_cast<TProbe*>(other);
             log.push_back(probe.Name() + ".Link=" + other->Name());
           });
         }},
        {"OnFire", [](fw::TComponent& c, const fw::LayoutValue& v,
                      fw::LayoutReader& r) { fw::Target<TProbe>(c, v, r).OnFire = r.Event(v); }},
    });

class TBaseTestForm : public fw::TForm {
 public:
  explicit TBaseTestForm(fw::TComponent* owner) : TForm(owner) {}
  const char* ClassName() const override { return "TBaseTestForm"; }
  fw::TNotifyEvent MethodAddress(const std::string& name) override {
    if (name == "FormCreate") return [this](fw::TComponent*) { FormCreate(); };
    if (name == "ProbeFire") return [this](fw::TComponent* s) { ProbeFire(s); };
    return TForm::MethodAddress(name);
  }
  void FormCreate() {
    log.push_back("FormCreate");
    if (failCreate) throw fw::EInvalidOperation("creation failed");
    log.push_back("FormCreate done");
  }
  virtual void ProbeFire(fw::TComponent* sender) { log.push_back("base fire " + sender->Name()); }
  static inline bool failCreate = false;
};

class TDerivedTestForm : public TBaseTestForm {
 public:
  explicit TDerivedTestForm(fw::TComponent* owner) : TBaseTestForm(owner) {}
  const char* ClassName() const override { return "TDerivedTestForm"; }
  fw::TNotifyEvent MethodAddress(const std::string& name) override {
    // Bound by name: the descendant's handler takes the ancestor's place.
    if (name == "ProbeFire") return [this](fw::TComponent* s) { DerivedFire(s); };
    return TBaseTestForm::MethodAddress(name);
  }
  void DerivedFire(fw::TComponent* sender) { log.push_back("derived fire " + sender->Name()); }
};

const fw::ClassRegistration baseFormClass("TBaseTestForm", "TForm", nullptr, {});
const fw::ClassRegistration derivedFormClass("TDerivedTestForm", "TBaseTestForm", nullptr, {});

TProbe* Probe(fw::TForm& form, const char* name) {
  return dynamic_cast<TProbe*>(form.FindComponent(name));
}

TEST(Layout, ExtendedLayoutLoadsInReadingOrderWithReferencesAfterTheWholeForm) {
  log.clear();
  fw::Owned<TDerivedTestForm> form(fw::CreateForm<TDerivedTestForm>(nullptr));
  std::vector<std::string> expected{
      "First.Value=1", "Second.Value=2", "Second.Link=First", "First.Value=10", "Third.Value=3",
      "Fourth.Value=4",
      // References to components made later, in the order they were read.
      "First.Link=Second", "Third.Link=Fourth",
      // Then every component learns it is loaded, and only then the form is created.
      "First loaded", "Second loaded", "Third loaded", "Fourth loaded", "FormCreate",
      "FormCreate done"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(form->Caption(), "Derived \"quoted\" \xC3\xA4");
  EXPECT_EQ(form->Name(), "DerivedTestForm");
  EXPECT_EQ(form->ClientWidth(), 200);
  EXPECT_EQ(Probe(*form, "First")->link, Probe(*form, "Second"));
  EXPECT_EQ(Probe(*form, "Third")->link, Probe(*form, "Fourth"));
  EXPECT_EQ(Probe(*form, "First")->value, 10);
  EXPECT_FALSE(form->Loading());
  EXPECT_FALSE(Probe(*form, "Third")->Loading());
}

TEST(Layout, HandlersAreBoundByNameToTheMostDerivedMethod) {
  log.clear();
  fw::Owned<TBaseTestForm> base(fw::CreateForm<TBaseTestForm>(nullptr));
  fw::Owned<TDerivedTestForm> derived(fw::CreateForm<TDerivedTestForm>(nullptr));
  log.clear();
  Probe(*base, "Second")->OnFire(Probe(*base, "Second"));
  Probe(*derived, "Second")->OnFire(Probe(*derived, "Second"));
  Probe(*derived, "Fourth")->OnFire(Probe(*derived, "Fourth"));
  std::vector<std::string> expected{"base fire Second", "derived fire Second",
                                    "derived fire Fourth"};
  EXPECT_EQ(log, expected);
  EXPECT_FALSE(Probe(*derived, "First")->OnFire);
}

TEST(Layout, ExceptionInTheCreationHandlerIsReportedAndTheFormStillMade) {
  testsupport::ScopedDialogs dialogs;
  log.clear();
  TBaseTestForm::failCreate = true;
  fw::Owned<TBaseTestForm> form(fw::CreateForm<TBaseTestForm>(nullptr));
  TBaseTestForm::failCreate = false;
  ASSERT_TRUE(form);
  EXPECT_EQ(dialogs->Texts(testsupport::DialogKind::Exception),
            std::vector<std::string>{"creation failed"});
  EXPECT_EQ(log.back(), "FormCreate");
  form->Show();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

// Reads a layout text into a fresh form and reports the error, if any, with
// the line the error carries.
std::pair<std::string, int> LayoutError(const std::string& text) {
  auto form = fw::MakeOwned<TBaseTestForm>();
  fw::LayoutReader reader(*form);
  try {
    reader.ReadText(text, "test");
    reader.Finish();
  } catch (const fw::EParserError& e) {
    return {e.what(), e.Line};
  }
  return {"", 0};
}

TEST(Layout, BadLayoutsNameTheirFaultAndLine) {
  struct Case {
    const char* text;
    const char* fault;
    int line = 1;
  } cases[] = {
      {"form f : TBaseTestForm { component p : TNoSuchClass { } }",
       "TNoSuchClass is not registered"},
      {"form f : TBaseTestForm { component p : TProbe { Colour = 3 } }",
       "TProbe has no property Colour"},
      {"form f : TBaseTestForm { component p : TProbe { Link = Nowhere } }",
       "No component named Nowhere"},
      {"form f : TBaseTestForm { component p : TProbe { Value = \"x\" } }", "number expected"},
      {"form f : TBaseTestForm { component p : TProbe { OnFire = NoSuchMethod } }",
       "No method NoSuchMethod"},
      {"form f : TBaseTestForm { component p : TProbe { Value = 1 }", "Missing }"},
      {"form f : TBaseTestForm { Caption = \"open }", "Unterminated text"},
      {"form f : TBaseTestForm { component p : TProbe { } component p : TProbe { } }",
       "exists already"},
      {"form f : TBaseTestForm { change Missing { } }", "No component Missing to change"},
      {"form f : TBaseTestForm extends { }", "Expected a name"},
      {"form f : TBaseTestForm { BorderStyle = bsRound }", "Unknown value bsRound"},
      {"form f : TBaseTestForm { BorderIcons = [biHelp biClose] }", "Unknown set element biClose"},
      // A value's own check is placed on the line of its property.
      {"form f : TBaseTestForm {\n  component p : TProbe {\n    Value = \"x\"\n  }\n}",
       "number expected", 3},
      {"form f : TBaseTestForm {\n  Caption = \"a\"\n  BorderStyle = 2\n}", "name expected", 3},
  };
  for (const Case& c : cases) {
    const auto [error, line] = LayoutError(c.text);
    EXPECT_NE(error.find(c.fault), std::string::npos) << c.text << " gave: " << error;
    EXPECT_NE(error.find("line " + std::to_string(c.line) + ":"), std::string::npos) << error;
    EXPECT_EQ(line, c.line) << error;
  }
}

TEST(Layout, AFormWithoutALayoutIsNotMade) {
  class TNoLayoutForm : public fw::TForm {
   public:
    explicit TNoLayoutForm(fw::TComponent* owner) : TForm(owner) {}
    const char* ClassName() const override { return "TNoLayoutForm"; }
  };
  EXPECT_THROW(fw::CreateForm<TNoLayoutForm>(nullptr), fw::EParserError);
}

}  // namespace
