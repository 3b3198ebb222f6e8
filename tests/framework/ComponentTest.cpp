// Ownership, removal notices and the exception report of the message
// dispatch.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "fw/Application.h"
#include "fw/Component.h"
#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/Services.h"
#include "testsupport/RecordingDialogs.h"

namespace {

std::vector<std::string> events;

class Tracked : public fw::TComponent {
 public:
  explicit Tracked(fw::TComponent* owner, std::string name = {}) : TComponent(owner) {
    SetName(std::move(name));
  }
  const char* ClassName() const override { return "Tracked"; }
  void Notification(fw::TComponent* c, fw::TOperation op) override {
    if (op == fw::TOperation::opRemove)
      events.push_back(Name() + " hears " + c->Name() + " (" + c->ClassName() + ") go");
    if (c == partner && op == fw::TOperation::opRemove) partner = nullptr;
    TComponent::Notification(c, op);
  }
  void Link(Tracked* other) {
    partner = other;
    FreeNotification(other);
  }
  Tracked* partner = nullptr;

 protected:
  void BeforeDestruction() override {
    events.push_back(Name() + " ends");
    TComponent::BeforeDestruction();
  }
};

TEST(Components, OwnerFreesOwnedLastFirstAfterItsOwnNotices) {
  events.clear();
  auto root = fw::MakeOwned<Tracked>("root");
  auto* a = fw::Make<Tracked>(root.get(), "a");
  auto* b = fw::Make<Tracked>(root.get(), "b");
  fw::Make<Tracked>(a, "a1");
  ASSERT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(root->Components(0), a);
  EXPECT_EQ(root->Components(1), b);
  EXPECT_EQ(root->FindComponent("B"), b);  // names compare without regard to case
  root.reset();
  std::vector<std::string> expected{"root ends", "b ends", "a ends", "a1 ends"};
  EXPECT_EQ(events, expected);
}

TEST(Components, OneWhoseConstructorThrowsNeverJoinsItsOwner) {
  class Unfinished : public Tracked {
   public:
    explicit Unfinished(fw::TComponent* owner) : Tracked(owner, "unfinished") {
      throw fw::EInvalidOperation("constructor failed on purpose");
    }
  };
  auto root = fw::MakeOwned<Tracked>("root");
  fw::Make<Tracked>(root.get(), "kept");
  EXPECT_THROW(fw::Make<Unfinished>(root.get()), fw::EInvalidOperation);
  EXPECT_EQ(root->ComponentCount(), 1);
  events.clear();
  root.reset();
  EXPECT_EQ(events, (std::vector<std::string>{"root ends", "kept ends"}));
}

TEST(Components, LinkedComponentHearsOfRemovalWhileTheOtherIsWhole) {
  events.clear();
  auto holder = fw::MakeOwned<Tracked>("holder");
  auto target = fw::MakeOwned<Tracked>("target");
  holder->Link(target.get());
  target.reset();
  EXPECT_EQ(holder->partner, nullptr);
  // The class name is still the derived one: the notice comes before any
  // destructor has run.
  std::vector<std::string> expected{"target ends", "holder hears target (Tracked) go"};
  EXPECT_EQ(events, expected);
}

TEST(Components, OwnerTellsItsComponentsWhenOneOfThemIsFreedAlone) {
  events.clear();
  auto root = fw::MakeOwned<Tracked>("root");
  fw::Make<Tracked>(root.get(), "watcher");
  auto* leaving = fw::Make<Tracked>(root.get(), "leaving");
  fw::Free(leaving);
  EXPECT_EQ(root->ComponentCount(), 1);
  std::vector<std::string> expected{"leaving ends", "root hears leaving (Tracked) go",
                                    "watcher hears leaving (Tracked) go"};
  EXPECT_EQ(events, expected);
}

TEST(Components, UnlinkedComponentsHearNothing) {
  events.clear();
  auto holder = fw::MakeOwned<Tracked>("holder");
  auto target = fw::MakeOwned<Tracked>("target");
  holder->Link(target.get());
  holder->RemoveFreeNotification(target.get());
  holder->partner = nullptr;
  target.reset();
  std::vector<std::string> expected{"target ends"};
  EXPECT_EQ(events, expected);
}

// A window whose handling of one message fails.
class Faulty : public fw::TForm {
 public:
  explicit Faulty(fw::TComponent* owner) : TForm(owner) {}
  const char* ClassName() const override { return "TFaultyForm"; }
  static constexpr UINT kFail = WM_APP + 7;
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == kFail) throw fw::EInvalidOperation("handler failed on purpose");
    TForm::WndProc(m);
  }
};

TEST(Dispatch, ExceptionInAHandlerReachesTheErrorBoxAndTheWindowGoesOn) {
  testsupport::ScopedDialogs dialogs;
  auto form = fw::MakeOwned<Faulty>();
  form->SetBounds(10, 10, 200, 100);
  HWND window = form->Handle();
  PostMessageA(window, Faulty::kFail, 0, 0);
  fw::Application().ProcessMessages();
  ASSERT_EQ(dialogs->Texts(testsupport::DialogKind::Exception).size(), 1u);
  EXPECT_EQ(dialogs->Texts(testsupport::DialogKind::Exception)[0], "handler failed on purpose");
  // Still answering messages.
  form->SetText("still here");
  char text[32] = {};
  GetWindowTextA(window, text, sizeof text);
  EXPECT_STREQ(text, "still here");
  PostMessageA(window, Faulty::kFail, 0, 0);
  fw::Application().ProcessMessages();
  EXPECT_EQ(dialogs->Texts(testsupport::DialogKind::Exception).size(), 2u);
}

TEST(Dispatch, FreeingAWindowFromItsOwnHandlerIsSafe) {
  static constexpr UINT kEnd = WM_APP + 9;
  class SelfEnding : public fw::TForm {
   public:
    explicit SelfEnding(fw::TComponent* owner) : TForm(owner) {}
    const char* ClassName() const override { return "TSelfEndingForm"; }
    void WndProc(fw::TMessage& m) override {
      TForm::WndProc(m);
      if (m.Msg == kEnd) fw::Free(this);  // nothing of this object is used afterwards
    }
  };
  auto* form = fw::Make<SelfEnding>(nullptr);
  HWND window = form->Handle();
  SendMessageA(window, kEnd, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(fw::TWinControl::FromHandle(window), nullptr);
}

}  // namespace
