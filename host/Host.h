#pragma once
// What the host does with a tip module, shared by its window and its
// scripts: every call and its answer, and every HostMessage broadcast it
// receives, become one line on stdout (and in the host window's log).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "HostOptions.h"
#include "TipModule.h"
#include "fw/Component.h"

namespace host {

class THostForm;

class Host {
 public:
  // startDir: the directory the host was started in; relative file names
  // of scripts are taken from there, whatever the tip does to the current one.
  Host(Options options, std::string startDir);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  const Options& GetOptions() const { return options_; }
  // The message number registered as "Tovrane", shared with every tip.
  UINT HostMessage() const { return hostMessage_; }
  THostForm& Form() { return *form_; }

  // One line of the transcript, written and flushed at once.
  void Say(const std::string& line);
  bool Scripted() const { return options_.Scripted(); }

  // Loading and unloading; the first load happens in the constructor. A
  // path names another module to load from now on.
  void Load(const std::string& path);
  void Unload();
  bool Loaded() const { return module_ != nullptr; }
  const std::string& ModulePath() const { return modulePath_; }

  // The five exports. Each prints its result line; failures of the calls
  // are printed, not raised.
  void Create(const CreateArgs& args);
  void Changed();
  void Nr();
  void Save();
  void Free();
  // HostMessage to the tip window, the values as 32-bit patterns.
  void Send(uint32_t wparam, uint32_t lparam);
  void Window();
  void Screenshot(const std::string& file);

  struct Answers {
    int32_t changed;
    int32_t nr;
  };
  // Asks ModulChanged and ModulNr without printing; none while no module.
  std::optional<Answers> Poll();

  // The tip window while it exists: the framework window that ModulCreate
  // made in this thread, or one with the caption it was given.
  HWND TipWindow();

  // A HostMessage that reached the host window; foreign when another
  // thread or process sent it.
  void Broadcast(WPARAM wparam, LPARAM lparam, bool foreign);

  // What confirmation dialogs answer in scripts: an fw::mr* value, or
  // mrNone for the cautious default (No, else Cancel, else OK).
  int DialogAnswer() const { return dialogAnswer_; }
  void SetDialogAnswer(int answer) { dialogAnswer_ = answer; }

  // A file name of a script, relative to the start directory.
  std::string ScriptPath(const std::string& file) const;

 private:
  bool Require();
  void Fail(const std::string& command);

  Options options_;
  std::string startDir_;
  std::string modulePath_;
  std::string lastCaption_;
  UINT hostMessage_ = 0;
  std::unique_ptr<TipModule> module_;
  fw::Owned<THostForm> form_;
  HWND tipWindow_ = nullptr;
  int dialogAnswer_ = 0;
};

}  // namespace host
