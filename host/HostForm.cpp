#include "HostForm.h"

#include <algorithm>
#include <cstdio>

#include "Host.h"
#include "fw/Application.h"
#include "fw/Canvas.h"
#include "fw/Menus.h"

namespace host {
namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollInterval = 500;
constexpr size_t kLogLines = 40;

}  // namespace

THostForm::THostForm(fw::TComponent* owner, Host& host) : TForm(owner), host_(host) {
  const CreateArgs& a = host.GetOptions().create;
  SetCaption("Tip host");
  SetBounds(a.left + a.width + 16, a.top, 460, 420);

  auto* menu = fw::Make<fw::TPopupMenu>(this);
  AddCommand(menu, "Create\tF2", VK_F2,
             [this](fw::TComponent*) { host_.Create(host_.GetOptions().create); });
  AddCommand(menu, "Save\tF3", VK_F3, [this](fw::TComponent*) { host_.Save(); });
  AddCommand(menu, "Free\tF4", VK_F4, [this](fw::TComponent*) { host_.Free(); });
  AddCommand(menu, "Show tip (send 200, 0)\tF5", VK_F5,
             [this](fw::TComponent*) { host_.Send(200, 0); });
  AddCommand(menu, "Close tip (send 0, 0)\tF6", VK_F6,
             [this](fw::TComponent*) { host_.Send(0, 0); });
  AddCommand(menu, "Move tip to 1, 1 (send 10, 0 and 11, 0)\tF7", VK_F7, [this](fw::TComponent*) {
    host_.Send(10, 0);
    host_.Send(11, 0);
  });
  AddCommand(menu, "Screenshot of the tip (tip.bmp)\tF8", VK_F8,
             [this](fw::TComponent*) { host_.Screenshot("tip.bmp"); });
  SetPopupMenu(menu);
  OnClose = [](fw::TComponent*, fw::TCloseAction&) { fw::Application().Terminate(); };
}

void THostForm::AddCommand(fw::TPopupMenu* menu, const char* caption, WORD key,
                           fw::TNotifyEvent action) {
  auto* item = fw::Make<fw::TMenuItem>(menu);
  item->SetCaption(caption);
  item->SetShortCut(key);
  item->OnClick = std::move(action);
  menu->Items().Add(item);
}

void THostForm::CreateWnd() {
  TForm::CreateWnd();
  SetTimer(Handle(), kPollTimer, kPollInterval, nullptr);
}

void THostForm::WndProc(fw::TMessage& m) {
  if (m.Msg == host_.HostMessage() && host_.HostMessage() != 0) {
    // From this thread a broadcast is a plain call; from anywhere else the
    // system says the sender waits.
    bool foreign = (InSendMessageEx(nullptr) & ISMEX_SEND) != 0;
    host_.Broadcast(m.WParam, m.LParam, foreign);
  } else if (m.Msg == WM_TIMER && m.WParam == kPollTimer) {
    PollModule();
    return;
  }
  TForm::WndProc(m);
}

void THostForm::PollModule() {
  std::string answers = "no module loaded";
  if (auto a = host_.Poll())
    answers = "ModulChanged " + std::to_string(a->changed) + "    ModulNr " + std::to_string(a->nr);
  if (answers == answers_) return;
  answers_ = answers;
  // Scripts compare their transcript; the polling would make it depend on timing.
  if (!host_.Scripted()) host_.Say("poll: " + answers);
  Invalidate();
}

void THostForm::ModuleChanged() {
  PollModule();
  Invalidate();
}

void THostForm::AddLog(const std::string& line) {
  log_.push_back(line);
  while (log_.size() > kLogLines) log_.pop_front();
  if (HandleAllocated()) Invalidate();
}

void THostForm::PaintWindow(HDC dc) {
  TForm::PaintWindow(dc);
  fw::TCanvas canvas(dc);
  canvas.Font() = Font();
  canvas.Brush().Color = Color();
  const int lineHeight = canvas.TextHeight("Xg") + 2;
  int y = 8;
  auto line = [&](const std::string& text) {
    canvas.TextOut(8, y, text);
    y += lineHeight;
  };
  line("Module: " + (host_.Loaded() ? host_.ModulePath() : std::string("(unloaded)")));
  line(answers_);
  char tip[64];
  std::snprintf(tip, sizeof tip, "Tip window: %p", static_cast<void*>(host_.TipWindow()));
  line(host_.TipWindow() ? tip : "Tip window: none");
  line("Right click for the commands; F2 create, F3 save, F4 free.");
  y += lineHeight / 2;
  RECT client;
  GetClientRect(Handle(), &client);
  size_t fits = static_cast<size_t>(std::max<long>(0, (client.bottom - y) / lineHeight));
  size_t first = log_.size() > fits ? log_.size() - fits : 0;
  for (size_t i = first; i < log_.size(); ++i) line(log_[i]);
  canvas.Detach();
}

}  // namespace host
