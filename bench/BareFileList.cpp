#include "BareFileList.h"

#include <algorithm>
#include <string>
#include <vector>

#include "fw/Handle.h"

namespace {

struct Keyed {
  std::string key;
  std::wstring name;
};

// A name is at most MAX_PATH characters; its key fits the buffer.
std::string SortKey(const std::wstring& name) {
  char key[16 * MAX_PATH];
  const int bytes =
      LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, name.data(),
                   static_cast<int>(name.size()), reinterpret_cast<LPWSTR>(key), sizeof key);
  return std::string(key, static_cast<size_t>(bytes));
}

}  // namespace

size_t FillFileList(HWND list, const wchar_t* pattern, LPARAM glyph) {
  std::vector<Keyed> names;
  WIN32_FIND_DATAW data;
  fw::FindHandle search(FindFirstFileW(pattern, &data));
  if (search) {
    constexpr DWORD kLeftOut =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
      if (data.dwFileAttributes & kLeftOut) continue;
      std::wstring name = data.cFileName;
      names.push_back({SortKey(name), std::move(name)});
    } while (FindNextFileW(search.get(), &data));
  }
  std::sort(names.begin(), names.end(), [](const Keyed& a, const Keyed& b) {
    return a.key != b.key ? a.key < b.key : a.name < b.name;
  });
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  SendMessageW(list, LB_INITSTORAGE, names.size(), 0);
  for (const Keyed& name : names) {
    const auto at = SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(name.name.c_str()));
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), glyph);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  return names.size();
}
