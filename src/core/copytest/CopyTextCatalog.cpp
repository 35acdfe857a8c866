#include "CopyTextCatalog.h"

#include "CopyTextReader.h"
#include "Cp1250.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::vector<CopyTextEntry> CopyTextCatalog::List(const std::string& dir) {
    std::vector<CopyTextEntry> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (path.extension() != ".txt" || !it->is_regular_file(error)) {
            continue;
        }
        std::string title = CopyTextReader::TitleOf(path.string());
        if (title.empty()) {
            title = Cp1250::FromUtf8(path.stem().string());
        }
        entries.push_back({path.string(), std::move(title)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const CopyTextEntry& a, const CopyTextEntry& b) { return a.path < b.path; });
    return entries;
}
