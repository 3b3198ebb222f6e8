#pragma once
// What a plain program must do at least to show a directory's files in the
// order the tip's file list shows them: walk the pattern with the wide
// functions, order the names by the locale's sort keys without regard to
// case (equal keys by their UTF-16 units, so that twins such as A.mp3 and
// a.mp3 keep one order), and append them to the list box with its drawing
// held back. The glyph is the item's data.
#include <windows.h>

// Empties the list and fills it; answers the number of names.
size_t FillFileList(HWND list, const wchar_t* pattern, LPARAM glyph);
