#pragma once
// Layout setters for the browsing controls' links to other components. The
// partner may be declared further down the layout, so the link is made
// when the reader has it; a partner of the wrong class fails the layout.
#include <string>

#include "fw/Layout.h"

namespace filectrl {

template <typename Partner, typename Control>
fw::PropertySetter LinkProperty(const char* kind, void (Control::*set)(Partner*)) {
  return [kind, set](fw::TComponent& c, const fw::LayoutValue& v, fw::LayoutReader& r) {
    Control& control = fw::Target<Control>(c, v, r);
    r.Reference(v, [&control, &r, v, kind, set](fw::TComponent* target) {
      auto* partner = dynamic_cast<Partner*>(target);
      if (!partner) r.Fail(v.line, v.text + " is not " + kind);
      (control.*set)(partner);
    });
  };
}

}  // namespace filectrl
