// A stand-in tip module for the host's tests, with the real module's five
// exports and conventions. It prints what it receives (ModulCreate's
// arguments, with the long strings' stored length and reference count, and
// every HostMessage), answers ModulChanged and ModulNr from values that
// HostMessage commands set, and fails a save or a free when told to.
//
// Commands besides the protocol's (WParam, LParam):
//   7001 n  ModulChanged answers n      7002 n  ModulNr answers n
//   7003 1  the next save raises EFOpenError
//   7004 1  the next free answers 0
//   7005    raise ERangeError in the window procedure
//   7006    ShowMessage("Hallo vom Stub")
//   7007    ask a Yes/No confirmation and print the answer
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "ModulCreateExport.h"
#include "fw/Exceptions.h"
#include "fw/Form.h"
#include "fw/LongString.h"
#include "fw/Services.h"

namespace {

const UINT hostMessage = RegisterWindowMessageA("Tovrane");
int32_t changedAnswer = 0;
int32_t nrAnswer = 2;
bool saveFails = false;
bool freeFails = false;

void Say(const std::string& line) {
  std::fputs(("stub " + line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

std::string Escaped(const char* p, int32_t length) {
  std::string out;
  for (int32_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(p[i]);
    if (c < 0x20 || c > 0x7E || c == '"') {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// A long string as it arrived: its text by the stored length, that length
// and the reference count, or null for the empty text.
std::string Describe(const char* p) {
  if (!p) return "null";
  int32_t length = fw::LStrLength(p);
  bool terminated = p[length] == '\0';
  return "\"" + Escaped(p, length) + "\" length " + std::to_string(length) + " references " +
         std::to_string(fw::LStrRefCount(p)) + (terminated ? "" : " unterminated");
}

class TStubTip : public fw::TForm {
 public:
  explicit TStubTip(fw::TComponent* owner) : TForm(owner) {}
  const char* ClassName() const override { return "TStubTip"; }
  void WndProc(fw::TMessage& m) override;

 protected:
  void BeforeDestruction() override;
};

TStubTip* tip = nullptr;

void TStubTip::BeforeDestruction() {
  if (tip == this) tip = nullptr;
  TForm::BeforeDestruction();
}

void TStubTip::WndProc(fw::TMessage& m) {
  TForm::WndProc(m);
  // The save notice comes back to the sender's own window too.
  if (m.Msg != hostMessage || m.WParam == 9999) return;
  const auto l = static_cast<int32_t>(m.LParam);
  // As the pointer-sized values arrived: a 32-bit pattern widened with its
  // sign on x86_64 would show here.
  Say("message " + std::to_string(static_cast<uintptr_t>(m.WParam)) + " " +
      std::to_string(static_cast<uintptr_t>(m.LParam)));
  switch (m.WParam) {
    case 0:
      Close();
      fw::Free(this);
      return;
    case 10:
      SetLeft(l);
      break;
    case 11:
      SetTop(l);
      break;
    case 12:
      SetWidth(l);
      break;
    case 13:
      SetHeight(l);
      break;
    case 200:
      Show();
      break;
    case 7001:
      changedAnswer = l;
      break;
    case 7002:
      nrAnswer = l;
      break;
    case 7003:
      saveFails = l != 0;
      break;
    case 7004:
      freeFails = l != 0;
      break;
    case 7005:
      throw fw::ERangeError();
    case 7006:
      fw::ShowMessage("Hallo vom Stub");
      break;
    case 7007:
      Say("answer " + std::to_string(fw::MessageDlg("Neu starten?", fw::TMsgDlgType::mtConfirmation,
                                                    fw::mbYes | fw::mbNo, 0)));
      break;
    default:
      break;
  }
}

int32_t CreateTip(int32_t left, int32_t top, int32_t width, int32_t height, int32_t winVersionType,
                  int32_t language, const char* caption, const char* hint,
                  uint32_t validWinVersions, int32_t helpId) {
  char valid[16];
  std::snprintf(valid, sizeof valid, "0x%X", validWinVersions);
  Say("create left " + std::to_string(left) + " top " + std::to_string(top) + " width " +
      std::to_string(width) + " height " + std::to_string(height) + " wintype " +
      std::to_string(winVersionType) + " lang " + std::to_string(language) + " valid " + valid +
      " helpid " + std::to_string(helpId));
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof directory, directory);
  Say("directory " + Escaped(directory, static_cast<int32_t>(strlen(directory))));
  Say("caption " + Describe(caption));
  Say("hint " + Describe(hint));
  try {
    if (tip) fw::Free(tip);
    tip = fw::Make<TStubTip>(nullptr);
    tip->SetCaption(caption ? caption : "");
    tip->SetBounds(left, top, width, height);
    tip->SetColor(0x00C08020);  // RGB 20 80 C0, for the screenshot test
    tip->Show();
  } catch (...) {
  }
  return 0;
}

}  // namespace

// The module's register convention on i686. Built with STUB_CALLER_POPS it
// forgets to remove the pushed arguments, as a module built with the wrong
// convention would.
#if defined(__i386__) && defined(STUB_CALLER_POPS)
#define STUB_REGISTER __attribute__((regparm(3)))
#elif defined(__i386__)
#define STUB_REGISTER __attribute__((regparm(3), stdcall))
#else
#define STUB_REGISTER
#endif
OMBRIK_DEFINE_MODUL_CREATE(STUB_REGISTER, CreateTip)

extern "C" int32_t ModulChanged() { return changedAnswer; }
extern "C" int32_t ModulNr() { return nrAnswer; }

extern "C" int32_t ModulSaveChanges() {
  if (!tip) return 0;
  if (saveFails) {
    saveFails = false;
    throw fw::EFOpenError(
        "Datei \"C:\\Musik\\Lied.mp3\" kann nicht ge\xF6"
        "ffnet werden");
  }
  changedAnswer = 2;
  // As the real tip sends it: a window that stopped answering is passed over.
  SendMessageTimeoutA(HWND_BROADCAST, hostMessage, 9999, nrAnswer, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                      5000, nullptr);
  return 1;
}

extern "C" int32_t ModulFree() {
  if (freeFails) {
    freeFails = false;
    return 0;
  }
  if (tip) fw::Free(tip);
  return 1;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // Unloaded with its window open: the window must not outlive the code.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr && tip) fw::Free(tip);
  return TRUE;
}
