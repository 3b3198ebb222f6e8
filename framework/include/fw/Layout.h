#pragma once
// Form layouts: a text resource per form class (RCDATA named after the class)
// that lists the form's properties and components. Components are made and
// their properties set in the order written. A layout may extend another
// class's layout, which is read first, and change components that the other
// one made. A reference to a component that is not made yet is resolved when
// the whole form is read, in the order the references were read; event
// handlers are bound by name to the methods that the root component
// publishes. A class's properties are set through Setter, EnumSetter,
// SetSetter, EventSetter and LinkSetter below, and a form finds its
// components with BindComponent.
//
//   // The header line: the form's name, its class, the class it extends.
//   form frmExample : TExampleForm extends TBaseForm {
//     Caption = "Example \"one\"\xFC"    // a text; escapes below
//     Hint = "joined "
//            "up"                       // texts in a row are one: "joined up"
//     Left = -16                        // a number, decimal or 0x hexadecimal
//     Align = alTop                     // a name: enumerators, colours, true/false
//     Anchors = [akLeft, akTop]         // a set of names
//     Items = ("one" "two")             // a list of texts
//     component Button1 : TSpeedButton {  // a new component of a registered class
//       OnClick = Button1Click          // a method the form publishes
//     }
//     change Title { Width = 307 }      // a component the extended layout made
//   }
//
// Blanks, line ends and commas only separate; "//" comments to the end of the
// line. Names are letters, digits, '_' and '.' (Font.Name), starting with a
// letter or '_'. Texts are UTF-8 on one line; the escapes are \n, \r, \t,
// \\, \" and \xHH, the character U+00HH ("\xFC" is U+00FC). A mistake raises
// EParserError naming the layout and the line.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
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
  std::string FindLayout(const std::string& className, HINSTANCE* module);
  // The root is loaded first and told last that it is.
  void BeginRoot();
  TComponent& root_;
  HINSTANCE module_ = nullptr;
  std::vector<Fixup> fixups_;
  std::vector<TComponent*> loaded_;
  std::string source_;
};

// Reads a whole form: layouts, references, Loaded.
FW_API void ReadLayout(TComponent& root);

template <typename T>
T& Target(TComponent& c, const LayoutValue& v, LayoutReader& r) {
  T* t = dynamic_cast<T*>(&c);
  if (!t) r.Fail(v.line, std::string("Property not supported by ") + c.ClassName());
  return *t;
}

// A setter for a property of class T: a bool from true or false, a
// std::string from a text, any other type from a number.
template <typename T, typename V>
PropertySetter Setter(void (T::*set)(V)) {
  return [set](TComponent& c, const LayoutValue& v, LayoutReader& r) {
    T& t = Target<T>(c, v, r);
    using Arg = std::decay_t<V>;
    if constexpr (std::is_same_v<Arg, bool>)
      (t.*set)(v.AsBool());
    else if constexpr (std::is_same_v<Arg, std::string>)
      (t.*set)(v.AsString());
    else
      (t.*set)(static_cast<Arg>(v.AsInt()));
  };
}

// The name a layout gives to one value of E: an enumerator, or one flag of a
// set.
template <typename E>
struct Named {
  std::string_view name;
  E value;
};

template <typename E, size_t N>
using NameTable = std::array<Named<E>, N>;

namespace layout_detail {
// Not a constant expression: a table check that reaches it does not compile,
// and the compiler's message shows the reason.
[[noreturn]] inline void TableFault(const char* /*reason*/) { throw 0; }

template <typename E, size_t N>
consteval NameTable<E, N> CheckedNames(const Named<E> (&names)[N]) {
  for (size_t i = 0; i < N; ++i)
    for (size_t j = 0; j < i; ++j) {
      if (names[i].name == names[j].name) TableFault("a name given twice");
      if (names[i].value == names[j].value) TableFault("a value named twice");
    }
  return std::to_array(names);
}
}  // namespace layout_detail

// The names of an enum's values, each paired with its enumerator, so that
// reordering the enum keeps what layouts mean. Checked when the table is
// made, at compile time: no name and no value twice.
//   EnumSetter(&TPanel::SetBevelOuter,
//              EnumNames<TBevelCut>({{"bvNone", TBevelCut::bvNone}, ...}))
template <typename E, size_t N>
consteval NameTable<E, N> EnumNames(const Named<E> (&names)[N]) {
  return layout_detail::CheckedNames(names);
}

// The names of a set's flags; each flag must be a single bit besides.
template <typename E, size_t N>
consteval NameTable<E, N> FlagNames(const Named<E> (&names)[N]) {
  for (const Named<E>& n : names) {
    const auto bits = static_cast<uint64_t>(n.value);
    if (bits == 0 || (bits & (bits - 1)) != 0) layout_detail::TableFault("not a single bit");
  }
  return layout_detail::CheckedNames(names);
}

// The enumerator a layout value names.
template <typename E, size_t N>
E NamedValue(const LayoutValue& v, LayoutReader& r, const NameTable<E, N>& names) {
  for (const Named<E>& n : names)
    if (v.AsIdent() == n.name) return n.value;
  r.Fail(v.line, "Unknown value " + v.text);
}

// The flags a layout set names, joined.
template <typename E, size_t N>
uint32_t NamedFlags(const LayoutValue& v, LayoutReader& r, const NameTable<E, N>& flags) {
  uint32_t bits = 0;
  for (const std::string& item : v.AsSet()) {
    auto it = std::find_if(flags.begin(), flags.end(),
                           [&item](const Named<E>& n) { return item == n.name; });
    if (it == flags.end()) r.Fail(v.line, "Unknown set element " + item);
    bits |= static_cast<uint32_t>(it->value);
  }
  return bits;
}

// A setter for an enum property of class T, by the names in the table.
template <typename T, typename E, size_t N>
PropertySetter EnumSetter(void (T::*set)(E), const NameTable<E, N>& names) {
  return [set, names](TComponent& c, const LayoutValue& v, LayoutReader& r) {
    (Target<T>(c, v, r).*set)(NamedValue(v, r, names));
  };
}

// A setter for a set property of class T (S holds the flags' bits).
template <typename T, typename S, typename E, size_t N>
PropertySetter SetSetter(void (T::*set)(S), const NameTable<E, N>& flags) {
  return [set, flags](TComponent& c, const LayoutValue& v, LayoutReader& r) {
    (Target<T>(c, v, r).*set)(static_cast<S>(NamedFlags(v, r, flags)));
  };
}

// A colour: a number, or one of the colour names.
FW_API TColor ColorValue(const LayoutValue& v, LayoutReader& r);

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
