#include "Ombrik63.h"

#include <windows.h>

#include <utility>

#include "ModulCreateExport.h"
#include "TagEditorForm.h"
#include "TipTemplate.h"
#include "fw/Bitmap.h"
#include "fw/Component.h"
#include "fw/Layout.h"
#include "fw/LongString.h"
#include "fw/SysUtils.h"

TFormOmbrik63* ModuleForm = nullptr;

namespace {

// The forms' layouts and pictures come from this library's own resources.
struct ResourceModule {
  ResourceModule() { fw::RegisterResourceModule(fw::ThisModule()); }
  ~ResourceModule() { fw::UnregisterResourceModule(fw::ThisModule()); }
  ResourceModule(const ResourceModule&) = delete;
  ResourceModule& operator=(const ResourceModule&) = delete;
};
const ResourceModule resourceModule;

// However the window ends (ModulFree, or host command 0 from inside its own
// message handling), the exports must not reach it afterwards: the module
// asks the window for its removal notice.
class TipWatcher final : public fw::TComponent {
 public:
  TipWatcher() : TComponent(nullptr) {}
  ~TipWatcher() override = default;

  void Notification(fw::TComponent* component, fw::TOperation operation) override {
    TComponent::Notification(component, operation);
    // A window that ModulCreate replaced may end after the new one exists.
    if (operation == fw::TOperation::opRemove && component == ModuleForm) ModuleForm = nullptr;
  }
};
TipWatcher tipWatcher;

int32_t CreateTip(int32_t left, int32_t top, int32_t width, int32_t height, int32_t winVersionType,
                  int32_t language, const char* caption, const char* hint,
                  uint32_t validWinVersions, int32_t helpId) {
  // The host cannot tell success from failure: whatever fails ends the
  // steps there, and what was done before stays done.
  try {
    // Held for the call only; the window keeps copies of its own.
    fw::LongString captionText = fw::LongString::Share(caption);
    fw::LongString hintText = fw::LongString::Share(hint);

    // Before the window exists: its creation handler tests and locks with them.
    Language = language;
    WinVersionType = winVersionType;
    ValidWinVersions = validWinVersions;

    // There is one tip window. An earlier one that the host did not free
    // would be out of ModulFree's reach and outlive the library's code.
    if (ModuleForm) std::exchange(ModuleForm, nullptr)->Release();
    ModuleForm = fw::CreateForm<TFormOmbrik63>(nullptr);
    ModuleForm->FreeNotification(&tipWatcher);

    // Showing fills the title from the caption and loads the help by HelpId.
    ModuleForm->SetCaption(fw::AnsiToUtf8(captionText.str()));
    ModuleForm->SetBounds(left, top, width, height);
    ModuleForm->SetTag(winVersionType);
    ModuleForm->SetHint(fw::AnsiToUtf8(hintText.str()));
    ModuleForm->HelpId = helpId;
    ModuleForm->Show();
    ModuleForm->Sprache(Language);
  } catch (...) {
  }
  return 0;
}

}  // namespace

OMBRIK_DEFINE_MODUL_CREATE(OMBRIK_REGISTER, CreateTip)

extern "C" int32_t ModulFree() {
  // The window may have ended itself already (host command 0).
  if (!ModuleForm) return 1;
  try {
    // Forgotten at once. A host may free the tip while handling a notice
    // that the tip sent from inside its own message handling (OK clicked);
    // the window then ends when that message is done, not under it.
    std::exchange(ModuleForm, nullptr)->Release();
  } catch (...) {
    return 0;
  }
  return 1;
}

extern "C" int32_t ModulSaveChanges() {
  if (!ModuleForm) return 0;
  // As if the user had pressed OK, even on a disabled button; a failed
  // save reaches the host as the framework's exception.
  ModuleForm->HotSpeedButtonOKClick(nullptr);
  return 1;
}

// Runs before the library's static objects are destroyed, so the layout
// classes are still registered.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // A window left open when the host unloads the library would keep
  // running this library's code after it is gone. At process exit
  // (reserved set) windows go with the process.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr && ModuleForm) {
    try {
      fw::Free(ModuleForm);
    } catch (...) {
    }
  }
  return TRUE;
}
