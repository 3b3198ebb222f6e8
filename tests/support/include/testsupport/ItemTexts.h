#pragma once
// The texts of the items of a list box or combo box, top to bottom.
#include <string>
#include <vector>

namespace testsupport {

template <typename Box>
std::vector<std::string> ItemTexts(const Box& box) {
  std::vector<std::string> texts;
  for (int i = 0; i < box.Items().Count(); ++i) texts.push_back(box.Items().Strings(i));
  return texts;
}

}  // namespace testsupport
