#pragma once
// The framework's string list: strings with an optional object pointer each
// (never owned). A sorted list keeps the locale's order without regard to
// case, and there Duplicates decides what an equal string does.
#include <string>
#include <vector>

#include "fw/Api.h"

namespace fw {

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class FW_API TStringList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // Index checks raise ERangeError.
  const std::string& operator[](int i) const { return Strings(i); }
  const std::string& Strings(int i) const;
  void SetStrings(int i, const std::string& s);
  void* Objects(int i) const;
  void SetObjects(int i, void* object);

  bool Sorted() const { return sorted_; }
  // Turning sorting on sorts what is there; duplicates already present stay.
  void SetSorted(bool sorted);
  // Applies to sorted lists only, as an unsorted list never searches.
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates d) { duplicates_ = d; }

  // Answer the index of the string; on a sorted list with dupIgnore, that of
  // the equal string already there. dupError raises EInvalidOperation.
  int Add(const std::string& s) { return AddObject(s, nullptr); }
  int AddObject(const std::string& s, void* object);
  // Not on a sorted list (EInvalidOperation); 0 <= i <= Count().
  void Insert(int i, const std::string& s) { InsertObject(i, s, nullptr); }
  void InsertObject(int i, const std::string& s, void* object);
  void Delete(int i);
  void Clear() { items_.clear(); }

  // Without regard to case; -1 when absent.
  int IndexOf(const std::string& s) const;
  // Binary search on a sorted list, a walk otherwise. index receives the
  // position of the string or, on a sorted list, where it would go.
  bool Find(const std::string& s, int& index) const;

  // Each string followed by CR LF.
  std::string Text() const;
  // Splits at CR LF, LF or CR; replaces the list's strings.
  void SetText(const std::string& text);

 private:
  struct Item {
    std::string text;
    void* object;
  };
  void CheckIndex(int i, int limit) const;

  std::vector<Item> items_;
  bool sorted_ = false;
  TDuplicates duplicates_ = TDuplicates::dupIgnore;
};

}  // namespace fw
