#include "ZekHelp.h"

namespace {

struct HelpEntry {
  std::int32_t help_id;
  const char* german;
  const char* english;
  const char* registry_path;  // null: the tip has no setting of its own
};

// Texts are Windows-1252; non-ASCII characters are written as escapes.
constexpr HelpEntry kEntries[] = {
    {zekhelp::kTagEditorHelpId,
     "MP3 ID Tag: zeigt und \xE4ndert das ID3v1-Tag am Ende einer MP3-Datei.\r\n"
     "W\xE4hlen Sie links Laufwerk und Verzeichnis und dann in der Liste eine *.mp3-Datei. "
     "Die Felder zeigen Titel, K\xFCnstler, Album, Jahr, Kommentar und Genre.\r\n"
     "Nach dem \xC4ndern schreibt OK die Werte in die Datei. "
     "R\xFC"
     "ckg\xE4ngig stellt die Werte wieder her, wie sie aus der Datei gelesen wurden.\r\n"
     "Die Wiedergabe-Schaltfl\xE4"
     "che spielt die Datei mit dem daf\xFCr eingestellten Programm ab.",
     "MP3 ID Tag: shows and edits the ID3v1 tag at the end of an MP3 file.\r\n"
     "Pick the drive and the directory on the left, then an *.mp3 file in the list. "
     "The fields show title, artist, album, year, comment and genre.\r\n"
     "After editing, OK saves the values into the file. "
     "Undo restores the values as they were read from the file.\r\n"
     "The play button plays the file with the program set up for it.",
     "HKEY_CURRENT_USER\\SOFTWARE\\Tovrane\\Quindrel 2000"},
    {zekhelp::kHelpIdWithoutRegistryPath,
     "Dieser Tipp hat keine eigene Einstellung in der Registrierung.",
     "This tip has no setting of its own in the registry.", nullptr},
};

}  // namespace

extern "C" const char* ZEKHELP_STDCALL GetHelpText(std::int32_t HelpId, std::int32_t HelpTextKind) {
  for (const HelpEntry& entry : kEntries) {
    if (entry.help_id != HelpId) continue;
    switch (HelpTextKind) {
      case zekhelp::kGermanHelp:
        return entry.german;
      case zekhelp::kEnglishHelp:
        return entry.english;
      case zekhelp::kRegistryPath:
        return entry.registry_path;
      default:
        return nullptr;
    }
  }
  return nullptr;
}
