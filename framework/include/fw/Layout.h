#pragma once
// Form layouts: a text resource per form class that lists the form's
// properties and components. A layout may extend another class's layout
// and change components that the other one made. A reference to a
// component that is not made yet is resolved when the whole form is read,
// in the order the references were read; event handlers are bound by name
// to the methods that the root component publishes. A class's properties
// are set through Setter, EventSetter and LinkSetter below, and a form finds
// its components with BindComponent.
//
//   form frmExample : TExampleForm extends TBaseForm {
//     Caption = "Example"
//     Anchors = [akLeft, akTop]
//     component Button1 : TSpeedButton {
//       Left = 16
//       OnClick = Button1Click
//     }
//     change Title { Width = 307 }
//   }
//
// Texts are UTF-8; "\xFC" in a text is the character U+00FC.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "fw/Api.h"
#include "fw/Component.h"
#include "fw/Exceptions.h"
#include "fw/Graphics.h"

namespace fw {

struct FW_API LayoutValue {
  enum class Kind { Number, String, Ident, Set, List };
  Kind kind = Kind::Number;
  int64_t number = 0;
  std::string text;                // String and Ident
  std::vector<std::string> items;  // Set (identifiers) and List (strings)
  int line = 0;

  int32_t AsInt() const;
  const std::string& AsString() const;
  const std::string& AsIdent() const;
  bool AsBool() const;
  const std::vector<std::string>& AsSet() const;
  const std::vector<std::string>& AsList() const;
};

class LayoutReader;
using PropertySetter =
    std::function<void(TComponent& target, const LayoutValue& value, LayoutReader& reader)>;
using ComponentFactory = std::function<TComponent*(TComponent* owner)>;

struct PropertyDef {
  const char* name;
  PropertySetter set;
};

// Makes a class known to the layout reader for as long as the object lives;
// a module registers its classes with static objects, so they go away with it.
class FW_API ClassRegistration {
 public:
  ClassRegistration(std::string className, std::string parentClass, ComponentFactory factory,
                    std::vector<PropertyDef> properties);
  ~ClassRegistration();
  ClassRegistration(const ClassRegistration&) = delete;
  ClassRegistration& operator=(const ClassRegistration&) = delete;

 private:
  std::string name_;
};

// Binaries whose resources hold layouts, searched newest first.
FW_API void RegisterResourceModule(HINSTANCE module);
FW_API void UnregisterResourceModule(HINSTANCE module);

class FW_API LayoutReader {
 public:
  explicit LayoutReader(TComponent& root) : root_(root) {}
  TComponent& Root() { return root_; }
  // The binary whose resources hold the layout being read: pictures named
  // in it come from there too.
  HINSTANCE ResourceModule() const { return module_; }
  void SetResourceModule(HINSTANCE module) { module_ = module; }

  // Reads the layout of the class and of the classes it extends.
  void ReadClass(const std::string& className);
  // Reads one layout text (tests and tools); `source` names it in errors.
  void ReadText(const std::string& text, const std::string& source);
  // Resolves the deferred references and tells every component it is loaded.
  void Finish();

  // Calls apply with the named component now if it exists, else when the
  // form has been read.
  void Reference(const LayoutValue& value, std::function<void(TComponent*)> apply);
  TNotifyEvent Event(const LayoutValue& value);
  [[noreturn]] void Fail(int line, const std::string& message) const;

 private:
  struct Fixup {
    std::string name;
    int line;
    std::function<void(TComponent*)> apply;
  };
  std::string FindLayout(const std::string& className, std::string* extends, HINSTANCE* module);
  TComponent& root_;
  HINSTANCE module_ = nullptr;
  std::vector<Fixup> fixups_;
  std::vector<TComponent*> loaded_;
  std::string source_;
};

// Reads a whole form: layouts, references, Loaded.
FW_API void ReadLayout(TComponent& root);

// Helpers for property setters.
FW_API int EnumValue(const LayoutValue& v, LayoutReader& r,
                     std::initializer_list<std::pair<const char*, int>> names);
FW_API uint32_t SetValue(const LayoutValue& v, LayoutReader& r,
                         std::initializer_list<std::pair<const char*, uint32_t>> names);
FW_API TColor ColorValue(const LayoutValue& v, LayoutReader& r);

// A setter for a property of class T: the value converted by `convert`
// (a member of LayoutValue) handed to T's member setter.
template <typename T, typename V>
PropertySetter Setter(void (T::*set)(V)) {
  return [set](TComponent& c, const LayoutValue& v, LayoutReader& r) {
    T* t = dynamic_cast<T*>(&c);
    if (!t) r.Fail(v.line, std::string("Property not supported by ") + c.ClassName());
    using Arg = std::decay_t<V>;
    if constexpr (std::is_same_v<Arg, bool>)
      (t->*set)(v.AsBool());
    else if constexpr (std::is_same_v<Arg, std::string>)
      (t->*set)(v.AsString());
    else
      (t->*set)(static_cast<Arg>(v.AsInt()));
  };
}

template <typename T>
T& Target(TComponent& c, const LayoutValue& v, LayoutReader& r) {
  T* t = dynamic_cast<T*>(&c);
  if (!t) r.Fail(v.line, std::string("Property not supported by ") + c.ClassName());
  return *t;
}

// A setter for an event property of class T: the handler the layout names,
// one of the methods the root component publishes.
template <typename T>
PropertySetter EventSetter(TNotifyEvent T::*event) {
  return [event](TComponent& c, const LayoutValue& v, LayoutReader& r) {
    Target<T>(c, v, r).*event = r.Event(v);
  };
}

// A setter for a link of class T to another component of the form, which
// must be a Partner (`kind` says what that is in the error, as "a label").
// The partner may be made further down the layout, so the link is made
// when the reader has it.
template <typename Partner, typename T>
PropertySetter LinkSetter(const char* kind, void (T::*set)(Partner*)) {
  return [kind, set](TComponent& c, const LayoutValue& v, LayoutReader& r) {
    T& target = Target<T>(c, v, r);
    r.Reference(v, [&target, &r, v, kind, set](TComponent* component) {
      auto* partner = dynamic_cast<Partner*>(component);
      if (!partner) r.Fail(v.line, v.text + " is not " + kind);
      (target.*set)(partner);
    });
  };
}

// Points a form's field at the component of that name that its layout
// made; raises EParserError when the layout has none of that class.
template <typename T>
void BindComponent(TComponent& root, T*& field, const char* name) {
  field = dynamic_cast<T*>(root.FindComponent(name));
  if (!field) throw EParserError(std::string(root.ClassName()) + ": the layout has no " + name);
}

}  // namespace fw
