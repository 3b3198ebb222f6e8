#pragma once
// Loading and saving the ID3v1 tag of a file on disk. Only the file's last bytes are touched, so
// any file size works and memory does not grow with it.
#include <optional>
#include <string>

#include "Id3v1Tag.h"
#include "fw/Exceptions.h"

namespace tageditor {

// A save was asked for a file that has no tag (any more): the record is not written, because
// appending one or writing into whatever the last bytes are would damage the file.
class ENoTagError : public fw::EInvalidOperation {
 public:
  explicit ENoTagError(const std::string& fileName);
};

// Opens the file for reading while other programs may go on reading and writing it. Empty when the
// file carries no tag (too short, no marker, or an APE tag's marker). Raises the framework's
// stream errors.
std::optional<Id3v1Tag> LoadTag(const std::string& fileName);

// Writes the texts as handed over (cut or blank-padded to each width) and the genre into the
// record, holding the file exclusively; fails with EFOpenError while another program has it open.
// Whether the record exists and has the v1.1 track form is decided by the file at this moment; a
// file without a tag raises ENoTagError and is left as it was. The length never changes. Answers
// the comment's width in the record as written (kTrackCommentWidth in the v1.1 form), so that the
// editor can show the comment as it went to disk. Genre -1 leaves the file's genre byte as it is.
int SaveTag(const std::string& fileName, const TagFields& fields);

}  // namespace tageditor
