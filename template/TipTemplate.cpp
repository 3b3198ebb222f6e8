#include "TipTemplate.h"

#include <exception>
#include <iterator>

#include "HotSpeedButton.h"
#include "ShutdownPrivilege.h"
#include "ZekHelp.h"
#include "fw/Exceptions.h"
#include "fw/Handle.h"
#include "fw/ImageList.h"
#include "fw/Layout.h"
#include "fw/Memo.h"
#include "fw/Menus.h"
#include "fw/Panel.h"
#include "fw/Registry.h"
#include "fw/Services.h"
#include "fw/StaticText.h"
#include "fw/SysUtils.h"

int32_t Language = 0;
int32_t WinVersionType = 0;
uint32_t ValidWinVersions = 0;
bool TippShown = false;
bool TippChanged = false;
bool TippSaved = false;
bool DefaultsRestored = false;

namespace {

uint16_t RegisterHostMessage() {
  UINT id = RegisterWindowMessageW(L"Tovrane");
  // Registered numbers lie in 0xC000..0xFFFF. Anything else is unusable;
  // 0 would make every WM_NULL look like a close command.
  return id <= 0xFFFF ? static_cast<uint16_t>(id) : 0;
}

constexpr const char* kSettingsKey = "SOFTWARE\\Tovrane\\Quindrel 2000";
// The registry editor opens at the key it finds in "LastKey" here.
constexpr const char* kRegeditKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

// Commands and notices of the message protocol.
constexpr uint32_t kCloseCommand = 0;
constexpr uint32_t kSetLeftCommand = 10;
constexpr uint32_t kSetTopCommand = 11;
constexpr uint32_t kSetWidthCommand = 12;
constexpr uint32_t kSetHeightCommand = 13;
constexpr uint32_t kShowCommand = 200;
constexpr WPARAM kSwitchWindowNotice = 200;
constexpr WPARAM kSavedNotice = 9999;

// The names of the version types 1 to 13, bit 0x1 first; the types above
// have bits but no names.
constexpr const char* kWinVersionNames[] = {
    "Windows 98 Standard Edition",
    "Windows 98 Standard Edition A",
    "Windows 98 Second Edition",
    "Windows 95",
    "Windows 95 A",
    "Windows 95 B",
    "Windows 95 B OEM Service Release 2",
    "Windows 95 B OEM Service Release 2.1",
    "Windows 95 C OEM Service Release 2.5 C",
    "Windows NT",
    "Windows 2000",
    "Windows 98 ME",
    "Windows XP",
};

// Commands and their arguments are 32-bit numbers from 0 to 0x7FFFFFFF;
// a negative one, or one that does not fit 32 bits, is refused.
uint32_t CommandValue(uint64_t value) {
  if (value > 0x7FFFFFFF) throw fw::ERangeError();
  return static_cast<uint32_t>(value);
}

// The help library owns its texts; copy at once, null being the empty text.
std::string HelpText(int32_t helpId, int32_t kind) {
  const char* text = GetHelpText(helpId, kind);
  return text ? fw::AnsiToUtf8(text) : "";
}

// How long a notice waits for a top-level window of another program that does
// not answer before it goes on to the next one.
constexpr UINT kNoticeWaitMs = 5000;

// A notice to every top-level window. A plain SendMessage to all of them would
// wait for ever on one window whose program has stopped handling messages, and
// with it the user's save. The system passes over a window it knows as hung at
// once and one that does not answer within kNoticeWaitMs; every other window
// has handled the notice when this returns. Windows of this thread (the tip's
// own, a host's) are called directly, as with SendMessage.
void Broadcast(WPARAM command, LPARAM argument) {
  SendMessageTimeoutW(HWND_BROADCAST, HostMessage, command, argument,
                      SMTO_NORMAL | SMTO_ABORTIFHUNG, kNoticeWaitMs, nullptr);
}

}  // namespace

extern const uint16_t HostMessage = RegisterHostMessage();

int32_t SaveKind() { return DefaultsRestored ? 1 : 2; }

uint32_t WinVersionBit(int32_t winVersionType) {
  if (winVersionType < 1 || winVersionType > 18) return 0;
  return 1u << (winVersionType - 1);
}

TfrmTippTemplate::TfrmTippTemplate(fw::TComponent* owner) : TForm(owner) {}

TfrmTippTemplate::~TfrmTippTemplate() { *formAlive_ = false; }

void TfrmTippTemplate::Loaded() {
  fw::BindComponent(*this, PopupMenu1, "PopupMenu1");
  fw::BindComponent(*this, Fensterwechseln1, "Fensterwechseln1");
  fw::BindComponent(*this, ImageList1, "ImageList1");
  fw::BindComponent(*this, PanelRightBorder, "PanelRightBorder");
  fw::BindComponent(*this, PanelLeftBorder, "PanelLeftBorder");
  fw::BindComponent(*this, PanelTopBorder, "PanelTopBorder");
  fw::BindComponent(*this, PanelBottomBorder, "PanelBottomBorder");
  fw::BindComponent(*this, MemoHelpD, "MemoHelpD");
  fw::BindComponent(*this, StaticTextTitle, "StaticTextTitle");
  fw::BindComponent(*this, MemoHelpUS, "MemoHelpUS");
  fw::BindComponent(*this, HotSpeedButtonOK, "HotSpeedButtonOK");
  fw::BindComponent(*this, HotSpeedButtonUndo, "HotSpeedButtonUndo");
  fw::BindComponent(*this, HotSpeedButtonInfo, "HotSpeedButtonInfo");
  fw::BindComponent(*this, HotSpeedButtonRegistry, "HotSpeedButtonRegistry");
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
                                    : "\xC3\x84nderungen werden gespeichert");
  HotSpeedButtonUndo->SetHint(english ? "Restore defaults"
                                      : "Setzt alles wieder auf die Standartwerte");
  HotSpeedButtonRegistry->SetHint(english ? "Registry Lookup"
                                          : "Wert in der Registry nachschlagen");
  HotSpeedButtonInfo->SetHint(english ? "Valid to ..." : "G\xC3\xBCltig f\xC3\xBCr ... ");
  Fensterwechseln1->SetCaption(english ? "Change Window" : "Fenster wechseln");
  MemoHelpD->SetVisible(!english);
  MemoHelpUS->SetVisible(english);
}

void TfrmTippTemplate::WndProc(fw::TMessage& message) {
  // A handler of this window may wait in a message box or broadcast while
  // the host's command 0 arrives; the end then waits until the outermost
  // of this window's messages is done, so that no frame below still uses
  // the window. Exceptions go on to the framework's dispatch, which
  // reports them.
  const std::shared_ptr<bool> alive = formAlive_;
  ++messageDepth_;
  std::exception_ptr failure;
  try {
    TForm::WndProc(message);
    if (HostMessage != 0 && message.Msg == HostMessage) HandleHostMessage(message);
  } catch (...) {
    failure = std::current_exception();
  }
  // A close that frees the form leaves nothing to count.
  if (*alive && --messageDepth_ == 0 && endRequested_ && !Destroying()) {
    endRequested_ = false;
    // Last: nothing of the window is touched after this.
    fw::Free(this);
  }
  if (failure) std::rethrow_exception(failure);
}

void TfrmTippTemplate::Release() {
  if (messageDepth_ > 0) {
    endRequested_ = true;
    return;
  }
  fw::Free(this);
}

void TfrmTippTemplate::HandleHostMessage(fw::TMessage& message) {
  // Both are checked before the command is looked at, for every command.
  uint32_t command = CommandValue(static_cast<uint64_t>(message.WParam));
  uint32_t argument = CommandValue(static_cast<uint64_t>(static_cast<uintptr_t>(message.LParam)));
  int value = static_cast<int>(argument);
  switch (command) {
    case kCloseCommand:
      // Destroyed by WndProc once this message is done, whether the close
      // and its report worked or not.
      endRequested_ = true;
      try {
        Close();
      } catch (...) {
        fw::ShowMessage("e");
      }
      break;
    case kSetLeftCommand:
      SetLeft(value == 0 ? 1 : value);
      break;
    case kSetTopCommand:
      SetTop(value == 0 ? 1 : value);
      break;
    case kSetWidthCommand:
      SetWidth(value);
      break;
    case kSetHeightCommand:
      SetHeight(value);
      break;
    case kShowCommand:
      Show();
      break;
    default:
      break;  // 100 is accepted and has no effect here; others are ignored.
  }
}

void TfrmTippTemplate::HotSpeedButtonOKClick(fw::TComponent*) {
  // Saved before the notice goes out: a host that asks while handling it
  // sees the saved state.
  TippSaved = true;
  Broadcast(kSavedNotice, SaveKind());
}

void TfrmTippTemplate::HotSpeedButtonUndoClick(fw::TComponent*) { DefaultsRestored = true; }

void TfrmTippTemplate::HotSpeedButtonInfoClick(fw::TComponent*) {
  std::string text = Language == 1 ? "Valid for:" : "G\xC3\xBCltig f\xC3\xBCr:";
  text += "\r\n\r\n";
  for (size_t bit = 0; bit < std::size(kWinVersionNames); ++bit) {
    if (ValidWinVersions & (1u << bit)) {
      text += kWinVersionNames[bit];
      text += "\r\n";
    }
  }
  fw::ShowMessage(text);
}

void TfrmTippTemplate::HotSpeedButtonRegistryClick(fw::TComponent*) {
  {
    fw::TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    // A key that can be neither opened nor made fails the write below with
    // the registry error, and the editor is not started at a stale key.
    registry.OpenKey(kRegeditKey, true);
    registry.WriteString("LastKey", HelpText(HelpId, zekhelp::kRegistryPath));
  }
  // Whether the editor started is not reported.
  fw::Shell().Execute(Handle(), nullptr, L"regedit.exe", L"", L"", SW_SHOW);
}

void TfrmTippTemplate::Fensterwechseln1Click(fw::TComponent*) { Broadcast(kSwitchWindowNotice, 0); }

void TfrmTippTemplate::NeuStart() {
  if (fw::MessageDlg("Um diese \xC3\x84nderung zu aktivieren, ist ein Neustart des Systems "
                     "erforderlich. Soll der Neustart jetzt durchgef\xC3\xBChrt werden ?",
                     fw::TMsgDlgType::mtConfirmation, fw::mbYes | fw::mbNo, 0) != fw::mrYes)
    return;
  // Windows NT and 2000 restart only with the shutdown privilege enabled.
  bool restarted = Tag() == 10 || Tag() == 11 ? ExitWindowsPrivileged(EWX_REBOOT)
                                              : fw::System().ExitSystem(EWX_REBOOT, 0) != FALSE;
  if (restarted) {
    Close();
  } else {
    fw::ShowMessage(
        "Das System l\xC3\xA4\xC3\x9Ft sich zur Zeit nicht neu starten. Bitte f\xC3\xBChren Sie "
        "sp\xC3\xA4ter "
        "manuell einen Neustart durch");
  }
}

namespace {
const fw::ClassRegistration templateClass("TfrmTippTemplate", "TForm", nullptr, {});
}  // namespace
