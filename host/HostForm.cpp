#include "HostForm.h"

#include <cstdio>

#include "Host.h"
#include "fw/Application.h"
#include "fw/Edit.h"
#include "fw/Exceptions.h"
#include "fw/Label.h"
#include "fw/Layout.h"
#include "fw/Memo.h"
#include "fw/Services.h"

namespace host {
namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollInterval = 500;
constexpr size_t kLogLines = 300;

template <typename T>
T* Part(fw::TComponent& form, const char* name) {
  auto* part = dynamic_cast<T*>(form.FindComponent(name));
  if (!part) throw fw::EParserError(std::string("THostForm: the layout has no ") + name);
  return part;
}

const fw::ClassRegistration hostFormClass("THostForm", "TForm", nullptr, {});

}  // namespace

THostForm::THostForm(fw::TComponent* owner) : TForm(owner) {
  OnClose = [](fw::TComponent*, fw::TCloseAction&) { fw::Application().Terminate(); };
}

void THostForm::Attach(Host& host) {
  host_ = &host;
  labelModule_ = Part<fw::TLabel>(*this, "LabelModule");
  labelAnswers_ = Part<fw::TLabel>(*this, "LabelAnswers");
  labelTip_ = Part<fw::TLabel>(*this, "LabelTip");
  editWParam_ = Part<fw::TEdit>(*this, "EditWParam");
  editLParam_ = Part<fw::TEdit>(*this, "EditLParam");
  memoLog_ = Part<fw::TMemo>(*this, "MemoLog");
  // Beside the tip window as the command line places it.
  const CreateArgs& a = host.GetOptions().create;
  SetLeft(a.left + a.width + 16);
  SetTop(a.top);
}

fw::TNotifyEvent THostForm::MethodAddress(const std::string& name) {
  // The handlers run only once the window is attached to its host.
  auto bind = [this](auto action) -> fw::TNotifyEvent {
    return [this, action](fw::TComponent*) {
      if (host_) action(*host_);
    };
  };
  if (name == "CreateClick") return bind([](Host& h) { h.Create(h.GetOptions().create); });
  if (name == "SaveClick") return bind([](Host& h) { h.Save(); });
  if (name == "FreeClick") return bind([](Host& h) { h.Free(); });
  if (name == "SendClick") return bind([this](Host&) { SendClick(); });
  if (name == "ShowTipClick") return bind([](Host& h) { h.Send(200, 0); });
  if (name == "CloseTipClick") return bind([](Host& h) { h.Send(0, 0); });
  if (name == "ScreenshotClick") return bind([](Host& h) { h.Screenshot("tip.bmp"); });
  return TForm::MethodAddress(name);
}

void THostForm::SendClick() {
  uint32_t wparam, lparam;
  try {
    wparam = ParseNumber(editWParam_->Text());
    lparam = ParseNumber(editLParam_->Text());
  } catch (const UsageError& e) {
    fw::ShowMessage(std::string("WParam and LParam: ") + e.what());
    return;
  }
  host_->Send(wparam, lparam);
}

void THostForm::CreateWnd() {
  TForm::CreateWnd();
  SetTimer(Handle(), kPollTimer, kPollInterval, nullptr);
}

void THostForm::WndProc(fw::TMessage& m) {
  if (host_ && host_->HostMessage() != 0 && m.Msg == host_->HostMessage()) {
    // From this thread a broadcast is a plain call; from anywhere else the
    // system says the sender waits.
    bool foreign = (InSendMessageEx(nullptr) & ISMEX_SEND) != 0;
    host_->Broadcast(m.WParam, m.LParam, foreign);
  } else if (m.Msg == WM_TIMER && m.WParam == kPollTimer) {
    PollModule();
    return;
  }
  TForm::WndProc(m);
}

void THostForm::PollModule() {
  if (!host_) return;
  std::string answers = "No module loaded";
  if (auto a = host_->Poll())
    answers = "ModulChanged " + std::to_string(a->changed) + "    ModulNr " + std::to_string(a->nr);
  HWND tip = host_->TipWindow();
  char tipText[64] = "Tip window: none";
  if (tip) std::snprintf(tipText, sizeof tipText, "Tip window: %p", static_cast<void*>(tip));
  labelTip_->SetText(tipText);
  labelModule_->SetText("Module: " +
                        (host_->Loaded() ? host_->ModulePath() : std::string("(unloaded)")));
  if (answers == answers_) return;
  answers_ = answers;
  labelAnswers_->SetText(answers);
  // Scripts compare their transcript; the polling would make it depend on timing.
  if (!host_->Scripted()) host_->Say("poll: " + answers);
}

void THostForm::ModuleChanged() { PollModule(); }

void THostForm::AddLog(const std::string& line) {
  if (!memoLog_) return;
  log_.push_back(line);
  while (log_.size() > kLogLines) log_.pop_front();
  std::vector<std::string> lines(log_.begin(), log_.end());
  memoLog_->SetLines(lines);
  if (memoLog_->HandleAllocated()) {
    SendMessageW(memoLog_->Handle(), EM_SETSEL, -1, -1);
    SendMessageW(memoLog_->Handle(), EM_SCROLLCARET, 0, 0);
  }
}

}  // namespace host
