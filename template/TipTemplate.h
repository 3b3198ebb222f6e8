#pragma once
// The frame that every tip window of the suite shares, and the values that
// the module, its tip window and the host exchange while the library is
// loaded.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "fw/Form.h"
#include "fw/WinControl.h"

namespace fw {
class TImageList;
class TMemo;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TStaticText;
}  // namespace fw

class THotSpeedButton;

// Module-wide values. They take these defaults when the library is loaded
// and keep what they are given until it is unloaded: neither ModulCreate
// nor ModulFree resets them.
extern int32_t Language;           // 1 = English, every other value German
extern int32_t WinVersionType;     // the host's number of the running Windows, 1..18
extern uint32_t ValidWinVersions;  // the WinVersionBit of every Windows the tip suits
extern bool TippShown;             // the window has been shown; changes count from then
extern bool TippChanged;           // the user changed a value; never cleared
extern bool TippSaved;             // the last change was saved with OK
extern bool DefaultsRestored;      // Undo has been pressed; never cleared
// The window message shared with the host, registered under "Tovrane" when
// the library is loaded; 0 if the registration failed.
extern const uint16_t HostMessage;

// What the host is told about the last save: 1 after Undo, 2 otherwise.
int32_t SaveKind();
// 1 shifted left by (type - 1) for the version types 1..18, else 0.
uint32_t WinVersionBit(int32_t winVersionType);

class TfrmTippTemplate : public fw::TForm {
 public:
  explicit TfrmTippTemplate(fw::TComponent* owner);
  const char* ClassName() const override { return "TfrmTippTemplate"; }

  // Made by the layout; bound by name when it has been read.
  fw::TPopupMenu* PopupMenu1 = nullptr;
  fw::TMenuItem* Fensterwechseln1 = nullptr;
  fw::TImageList* ImageList1 = nullptr;
  fw::TPanel* PanelRightBorder = nullptr;
  fw::TPanel* PanelLeftBorder = nullptr;
  fw::TPanel* PanelTopBorder = nullptr;
  fw::TPanel* PanelBottomBorder = nullptr;
  fw::TMemo* MemoHelpD = nullptr;
  fw::TStaticText* StaticTextTitle = nullptr;
  fw::TMemo* MemoHelpUS = nullptr;
  THotSpeedButton* HotSpeedButtonOK = nullptr;
  THotSpeedButton* HotSpeedButtonUndo = nullptr;
  THotSpeedButton* HotSpeedButtonInfo = nullptr;
  THotSpeedButton* HotSpeedButtonRegistry = nullptr;

  // The suite setting read at creation: lock a tip that does not suit the
  // running Windows.
  bool BSControl = true;
  // Key of the tip's help texts and registry path in the help library.
  int32_t HelpId = 0;

  // Published methods. A tip form replaces one by overriding it and calls
  // the template's: creation and Sprache first, OK and Undo last.
  virtual void Sprache(int32_t language);
  virtual void NeuStart();
  void WndProc(fw::TMessage& message) override;
  virtual void FormCreate(fw::TComponent* sender);
  virtual void FormShow(fw::TComponent* sender);
  virtual void Fensterwechseln1Click(fw::TComponent* sender);
  virtual void HotSpeedButtonUndoClick(fw::TComponent* sender);
  virtual void HotSpeedButtonOKClick(fw::TComponent* sender);
  virtual void HotSpeedButtonRegistryClick(fw::TComponent* sender);
  virtual void HotSpeedButtonInfoClick(fw::TComponent* sender);

  fw::TNotifyEvent MethodAddress(const std::string& name) override;
  void Loaded() override;

  // Ends the window: at once, or, while one of its own messages is being
  // handled (a host that frees the tip from a notice the tip sent from a
  // click), when the outermost of them is done.
  void Release();

 protected:
  ~TfrmTippTemplate() override;

 private:
  // Disables everything but the help, the title and the Info and Registry
  // buttons.
  void LockControls();
  // A HostMessage command from the host, after the form's own handling.
  void HandleHostMessage(fw::TMessage& message);

  // False once the object is gone: tells a message handler whether a
  // handler below it (a close that frees the form) ended the window.
  std::shared_ptr<bool> formAlive_ = std::make_shared<bool>(true);
  // This window's messages being handled at the moment, nested ones counted.
  int messageDepth_ = 0;
  // Command 0 asked for the end; it comes when the outermost message ends.
  bool endRequested_ = false;
};
