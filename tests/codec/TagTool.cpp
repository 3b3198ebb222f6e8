// Command-line access to LoadTag and SaveTag, for checks against other programs' tags.
//   tagtool load <file>...         prints one block of name=value lines per file
//   tagtool save {<file> <title> <artist> <album> <year> <comment> <genre>}...
//   tagtool genres                 prints byte=name for the genre bytes other programs name
// Failures print the exception's message to stderr and exit with 1.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "GenreTable.h"
#include "TagFile.h"

namespace {

int Load(int count, char** files) {
  for (int i = 0; i < count; ++i) {
    const auto tag = tageditor::LoadTag(files[i]);
    std::printf("file=%s\npresent=%d\n", files[i], tag ? 1 : 0);
    if (tag) {
      std::printf("title=%s\nartist=%s\nalbum=%s\nyear=%s\ncomment=%s\ngenre=%d\ntrack=%d\n",
                  tag->Title.c_str(), tag->Artist.c_str(), tag->Album.c_str(), tag->Year.c_str(),
                  tag->Comment.c_str(), tag->Genre, tag->HasTrack ? tag->Track : 0);
    }
    std::printf("\n");
  }
  return 0;
}

constexpr int kSaveArgs = 7;

int Save(int count, char** a) {
  for (; count >= kSaveArgs; count -= kSaveArgs, a += kSaveArgs)
    tageditor::SaveTag(a[0], tageditor::TagFields{a[1], a[2], a[3], a[4], a[5], std::atoi(a[6])});
  return 0;
}

int Genres() {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string_view name = tageditor::PeerGenreName(byte);
    if (!name.empty()) std::printf("%d=%.*s\n", byte, static_cast<int>(name.size()), name.data());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 2 && std::strcmp(argv[1], "genres") == 0) return Genres();
    if (argc >= 3 && std::strcmp(argv[1], "load") == 0) return Load(argc - 2, argv + 2);
    if (argc > 2 && (argc - 2) % kSaveArgs == 0 && std::strcmp(argv[1], "save") == 0)
      return Save(argc - 2, argv + 2);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  std::fprintf(
      stderr,
      "usage: tagtool load <file>...\n"
      "       tagtool save {<file> <title> <artist> <album> <year> <comment> <genre>}...\n");
  return 2;
}
