#pragma once
// Replaces a file's whole contents so that a crash leaves either the whole old file or the
// whole new one: a new file beside the old one, renamed over it once it is safely on the disk.
// Only a regular file, or the regular file a symbolic link points at, is ever replaced;
// leftovers of writes whose process was killed are removed first.

#include <string>
#include <vector>

class FileReplacement {
public:
    // Writes `lines`, each ended by CR LF; false when the file could not be replaced, and
    // then the old file is left as it was.
    [[nodiscard]] static bool Replace(const std::string& path,
                                      const std::vector<std::string>& lines);
};
