// Cutting a path into the pieces the program shows and tests.
#pragma once

#include <string>

namespace model {

// The text after the last "."; the whole path when it has none.
std::string FileExtension(const std::string& path);

// The file's name without folder and extension: the text between the last separator ("\" or
// "/") and the last "."; "" for "".
std::string FileBaseName(const std::string& path);

// The path up to its last separator, without it ("/" for a file at the root); "" for a bare name.
std::string FolderOf(const std::string& path);

// A name the program loads: extension "tpw" in any letter case, and no NUL, which would make the
// system open another file than the one named.
bool IsRecordingFile(const std::string& path);

}  // namespace model
