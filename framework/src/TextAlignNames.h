#pragma once
// The layout names of a horizontal alignment, one table for the labels and
// the static texts that both publish it.
#include "fw/Layout.h"
#include "fw/TextAlign.h"

namespace fw {

inline constexpr auto alignmentNames =
    EnumNames<TAlignment>({{"taLeftJustify", TAlignment::taLeftJustify},
                           {"taRightJustify", TAlignment::taRightJustify},
                           {"taCenter", TAlignment::taCenter}});

}  // namespace fw
