#pragma once
// Puts a recording service in place for a scope and keeps a handle on it,
// while the framework owns it.
#include <memory>
#include <utility>

#include "fw/Services.h"

namespace testsupport {

template <typename Recorder, typename S, std::unique_ptr<S> (*Set)(std::unique_ptr<S>)>
class Installed {
 public:
  template <typename... Args>
  explicit Installed(Args&&... args)
      : Installed(Tag{}, std::make_unique<Recorder>(std::forward<Args>(args)...)) {}
  Installed(const Installed&) = delete;
  Installed& operator=(const Installed&) = delete;

  Recorder& operator*() const { return *recorder_; }
  Recorder* operator->() const { return recorder_; }

 private:
  struct Tag {};
  Installed(Tag, std::unique_ptr<Recorder> r) : recorder_(r.get()), scope_(std::move(r)) {}

  Recorder* recorder_;
  fw::ScopedService<S, Set> scope_;
};

}  // namespace testsupport
