#include "MainTippU.h"

#include "HotSpeedButton.h"
#include "ZekHelp.h"
#include "fw/Exceptions.h"
#include "fw/ImageList.h"
#include "fw/Layout.h"
#include "fw/Memo.h"
#include "fw/Menus.h"
#include "fw/Panel.h"
#include "fw/Registry.h"
#include "fw/Services.h"
#include "fw/StaticText.h"

int32_t Language = 0;
int32_t WinVersionType = 0;
uint32_t ValidWinVersions = 0;
bool TippShown = false;
bool TippChanged = false;
bool TippSaved = false;
bool DefaultsRestored = false;

namespace {

uint16_t RegisterHostMessage() {
  UINT id = RegisterWindowMessageA("Tovrane");
  // Registered numbers lie in 0xC000..0xFFFF. Anything else is unusable;
  // 0 would make every WM_NULL look like a close command.
  return id <= 0xFFFF ? static_cast<uint16_t>(id) : 0;
}

constexpr const char* kSettingsKey = "SOFTWARE\\Tovrane\\Quindrel 2000";

// The help library owns its texts; copy at once, null being the empty text.
std::string HelpText(int32_t helpId, int32_t kind) {
  const char* text = GetHelpText(helpId, kind);
  return text ? text : "";
}

template <typename T>
void Bind(fw::TComponent& form, T*& field, const char* name) {
  field = dynamic_cast<T*>(form.FindComponent(name));
  if (!field) throw fw::EParserError(std::string(form.ClassName()) + ": the layout has no " + name);
}

}  // namespace

extern const uint16_t HostMessage = RegisterHostMessage();

int32_t SaveKind() { return DefaultsRestored ? 1 : 2; }

uint32_t WinVersionBit(int32_t winVersionType) {
  if (winVersionType < 1 || winVersionType > 18) return 0;
  return 1u << (winVersionType - 1);
}

TfrmTippTemplate::TfrmTippTemplate(fw::TComponent* owner) : TForm(owner) {}

void TfrmTippTemplate::Loaded() {
  Bind(*this, PopupMenu1, "PopupMenu1");
  Bind(*this, Fensterwechseln1, "Fensterwechseln1");
  Bind(*this, ImageList1, "ImageList1");
  Bind(*this, PanelRightBorder, "PanelRightBorder");
  Bind(*this, PanelLeftBorder, "PanelLeftBorder");
  Bind(*this, PanelTopBorder, "PanelTopBorder");
  Bind(*this, PanelBottomBorder, "PanelBottomBorder");
  Bind(*this, MemoHelpD, "MemoHelpD");
  Bind(*this, StaticTextTitle, "StaticTextTitle");
  Bind(*this, MemoHelpUS, "MemoHelpUS");
  Bind(*this, HotSpeedButtonOK, "HotSpeedButtonOK");
  Bind(*this, HotSpeedButtonUndo, "HotSpeedButtonUndo");
  Bind(*this, HotSpeedButtonInfo, "HotSpeedButtonInfo");
  Bind(*this, HotSpeedButtonRegistry, "HotSpeedButtonRegistry");
  TForm::Loaded();
}

fw::TNotifyEvent TfrmTippTemplate::MethodAddress(const std::string& name) {
  using Handler = void (TfrmTippTemplate::*)(fw::TComponent*);
  static const std::pair<const char*, Handler> handlers[] = {
      {"FormCreate", &TfrmTippTemplate::FormCreate},
      {"FormShow", &TfrmTippTemplate::FormShow},
      {"Fensterwechseln1Click", &TfrmTippTemplate::Fensterwechseln1Click},
      {"HotSpeedButtonUndoClick", &TfrmTippTemplate::HotSpeedButtonUndoClick},
      {"HotSpeedButtonOKClick", &TfrmTippTemplate::HotSpeedButtonOKClick},
      {"HotSpeedButtonRegistryClick", &TfrmTippTemplate::HotSpeedButtonRegistryClick},
      {"HotSpeedButtonInfoClick", &TfrmTippTemplate::HotSpeedButtonInfoClick},
  };
  for (const auto& [handlerName, handler] : handlers) {
    // Virtual: a tip form's override is what the layout binds.
    if (name == handlerName)
      return [this, handler](fw::TComponent* sender) { (this->*handler)(sender); };
  }
  return TForm::MethodAddress(name);
}

void TfrmTippTemplate::FormCreate(fw::TComponent*) {
  {
    fw::TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    registry.OpenKey(kSettingsKey, true);
    BSControl = true;
    if (registry.ValueExists("BSControl")) BSControl = registry.ReadBool("BSControl");
  }

  // The layout is drawn at 96 dpi and the framework scaled it to the
  // screen when it was read; tips are laid out by the host in design
  // pixels, so that scaling is undone.
  int dpi = fw::ScreenPixelsPerInch();
  if (dpi != 96) {
    fw::ShowMessage("Big");
    ScaleBy(96, dpi);
    Refresh();
  }

  if ((ValidWinVersions & WinVersionBit(WinVersionType)) == 0 && BSControl) LockControls();

  StaticTextTitle->SetText(Caption());
}

void TfrmTippTemplate::FormShow(fw::TComponent*) {
  TippShown = true;
  StaticTextTitle->SetText(Caption());
  MemoHelpD->SetText(HelpText(HelpId, zekhelp::kGermanHelp));
  MemoHelpUS->SetText(HelpText(HelpId, zekhelp::kEnglishHelp));
}

void TfrmTippTemplate::LockControls() {
  // Menus and the image list are no controls and stay usable, so F12
  // still switches windows; the tip form's own controls are owned here too.
  for (int i = 0; i < ComponentCount(); ++i) {
    if (auto* control = dynamic_cast<fw::TControl*>(Components(i))) control->SetEnabled(false);
  }
  StaticTextTitle->SetEnabled(true);
  MemoHelpD->SetEnabled(true);
  MemoHelpUS->SetEnabled(true);
  HotSpeedButtonInfo->SetEnabled(true);
  HotSpeedButtonRegistry->SetEnabled(true);
}

void TfrmTippTemplate::Sprache(int32_t language) {
  Language = language;
  bool english = language == 1;
  HotSpeedButtonOK->SetHint(english ? "Changes will be saved immediately"
                                    : "\xC4nderungen werden gespeichert");
  HotSpeedButtonUndo->SetHint(english ? "Restore defaults"
                                      : "Setzt alles wieder auf die Standartwerte");
  HotSpeedButtonRegistry->SetHint(english ? "Registry Lookup"
                                          : "Wert in der Registry nachschlagen");
  HotSpeedButtonInfo->SetHint(english ? "Valid to ..." : "G\xFCltig f\xFCr ... ");
  Fensterwechseln1->SetCaption(english ? "Change Window" : "Fenster wechseln");
  MemoHelpD->SetVisible(!english);
  MemoHelpUS->SetVisible(english);
}

void TfrmTippTemplate::WndProc(fw::TMessage& message) {
  TForm::WndProc(message);
  // Last: a command may end the window, and nothing of it is used after.
  if (HostMessage != 0 && message.Msg == HostMessage) HandleHostMessage(message);
}

void TfrmTippTemplate::HandleHostMessage(fw::TMessage&) {
  // The commands of the message protocol (close, place, size, show) are
  // dispatched here.
}

void TfrmTippTemplate::HotSpeedButtonOKClick(fw::TComponent*) {
  // Saved before the notice goes out: a host that asks while handling it
  // sees the saved state.
  TippSaved = true;
  SendMessageA(HWND_BROADCAST, HostMessage, 9999, SaveKind());
}

void TfrmTippTemplate::HotSpeedButtonUndoClick(fw::TComponent*) { DefaultsRestored = true; }

void TfrmTippTemplate::HotSpeedButtonInfoClick(fw::TComponent*) {}

void TfrmTippTemplate::HotSpeedButtonRegistryClick(fw::TComponent*) {}

void TfrmTippTemplate::Fensterwechseln1Click(fw::TComponent*) {}

void TfrmTippTemplate::NeuStart() {}

namespace {
const fw::ClassRegistration templateClass("TfrmTippTemplate", "TForm", nullptr, {});
}  // namespace
