#include "fw/StringList.h"

#include <algorithm>
#include <string>

#include "fw/Exceptions.h"
#include "fw/SysUtils.h"

namespace fw {

void TStringList::CheckIndex(int i, int limit) const {
  if (i < 0 || i >= limit)
    throw ERangeError("List index out of bounds (" + std::to_string(i) + ")");
}

const std::string& TStringList::Strings(int i) const {
  CheckIndex(i, Count());
  return items_[i].text;
}

void TStringList::SetStrings(int i, const std::string& s) {
  if (sorted_) throw EInvalidOperation("Operation not allowed on sorted string list");
  CheckIndex(i, Count());
  items_[i].text = s;
}

void* TStringList::Objects(int i) const {
  CheckIndex(i, Count());
  return items_[i].object;
}

void TStringList::SetObjects(int i, void* object) {
  CheckIndex(i, Count());
  items_[i].object = object;
}

void TStringList::SetSorted(bool sorted) {
  if (sorted && !sorted_) {
    std::stable_sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
      return AnsiCompareText(a.text, b.text) < 0;
    });
  }
  sorted_ = sorted;
}

int TStringList::AddObject(const std::string& s, void* object) {
  int index = Count();
  if (sorted_ && Find(s, index)) {
    switch (duplicates_) {
      case TDuplicates::dupIgnore:
        return index;
      case TDuplicates::dupError:
        throw EInvalidOperation("String list does not allow duplicates");
      case TDuplicates::dupAccept:
        break;
    }
  }
  items_.insert(items_.begin() + index, Item{s, object});
  return index;
}

void TStringList::InsertObject(int i, const std::string& s, void* object) {
  if (sorted_) throw EInvalidOperation("Operation not allowed on sorted string list");
  CheckIndex(i, Count() + 1);
  items_.insert(items_.begin() + i, Item{s, object});
}

void TStringList::Delete(int i) {
  CheckIndex(i, Count());
  items_.erase(items_.begin() + i);
}

int TStringList::IndexOf(const std::string& s) const {
  int index;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
  if (!sorted_) {
    for (int i = 0; i < Count(); ++i) {
      if (AnsiCompareText(items_[i].text, s) == 0) {
        index = i;
        return true;
      }
    }
    index = Count();
    return false;
  }
  // Lower bound; with dupAccept the first of several equal strings.
  int lo = 0, hi = Count();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (AnsiCompareText(items_[mid].text, s) < 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  index = lo;
  return lo < Count() && AnsiCompareText(items_[lo].text, s) == 0;
}

std::string TStringList::Text() const {
  std::string text;
  for (const auto& item : items_) {
    text += item.text;
    text += "\r\n";
  }
  return text;
}

void TStringList::SetText(const std::string& text) {
  std::vector<Item> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(Item{text.substr(start, end - start), nullptr});
    if (end < text.size() && text[end] == '\r') ++end;
    if (end < text.size() && text[end] == '\n') ++end;
    start = end;
  }
  Clear();
  // A sorted list keeps its order and its duplicate rule.
  if (sorted_) {
    for (auto& line : lines) AddObject(line.text, nullptr);
  } else {
    items_ = std::move(lines);
  }
}

}  // namespace fw
