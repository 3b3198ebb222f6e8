#pragma once
// Components own the components created with them as owner and free them
// with themselves; any component may ask another to say when it goes away.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fw/Api.h"

namespace fw {

class TComponent;
template <typename T, typename... Args>
T* Make(TComponent* owner, Args&&... args);

enum class TOperation { opInsert, opRemove };

// An event handler: the component that raised the event, or none.
using TNotifyEvent = std::function<void(TComponent* sender)>;

class FW_API TComponent {
 public:
  // The owner is known from here on; the component joins its list once whole (Make).
  explicit TComponent(TComponent* owner) : owner_(owner) {}
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  virtual const char* ClassName() const { return "TComponent"; }

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(index); }
  TComponent* FindComponent(const std::string& name) const;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t tag) { tag_ = tag; }

  bool Loading() const { return loading_; }
  bool Destroying() const { return destroying_; }

  // Links this component and another so that each hears of the other's end.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);
  // Told of components joining or leaving; the owner passes it on to all it owns.
  virtual void Notification(TComponent* component, TOperation operation);

  // The component that a layout nests this one in (a control's parent, a
  // menu entry's menu).
  virtual void SetParentComponent(TComponent*) {}
  // Handlers published by name for layouts to bind events to.
  virtual TNotifyEvent MethodAddress(const std::string&) { return {}; }

  // The layout loader brackets the reading of a form with these.
  virtual void BeginLoading() { loading_ = true; }
  virtual void Loaded() { loading_ = false; }

 protected:
  virtual ~TComponent();
  // Runs while the whole object is still alive, most derived first; every
  // override ends by calling its base. Frees the owned components last.
  virtual void BeforeDestruction();

 private:
  friend FW_API void Free(TComponent* component);
  template <typename T, typename... Args>
  friend T* Make(TComponent* owner, Args&&... args);
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::string name_;
  int32_t tag_ = 0;
  bool loading_ = false;
  bool destroying_ = false;
};

// The one way a component ends: removal notices while it is whole, then
// its owned components, then the object itself. Null is allowed.
FW_API void Free(TComponent* component);

// Creates a component; an owner frees it with itself, otherwise the caller
// holds it (see Owned below). It joins the owner only when its constructor has
// finished: one that throws leaves nothing in the owner's list.
template <typename T, typename... Args>
T* Make(TComponent* owner, Args&&... args) {
  T* component = new T(owner, std::forward<Args>(args)...);
  if (owner) owner->InsertComponent(component);
  return component;
}

struct ComponentDeleter {
  void operator()(TComponent* c) const { Free(c); }
};
template <typename T>
using Owned = std::unique_ptr<T, ComponentDeleter>;

template <typename T, typename... Args>
Owned<T> MakeOwned(Args&&... args) {
  return Owned<T>(new T(nullptr, std::forward<Args>(args)...));
}

}  // namespace fw
