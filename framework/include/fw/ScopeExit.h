#pragma once
// Runs an action when the scope ends, however it ends: the one way to put
// back what a piece of work changed for its duration (a flag, the screen
// cursor, the error mode, the current directory). The action runs during
// unwinding and must not throw.
//
//   fw::ScopeExit restore([&] { busy_ = false; });
#include <utility>

namespace fw {

template <typename Action>
class [[nodiscard]] ScopeExit {
 public:
  explicit ScopeExit(Action action) : action_(std::move(action)) {}
  ~ScopeExit() { action_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Action action_;
};

}  // namespace fw
