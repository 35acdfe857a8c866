#include "FileReplacement.h"

#include "Descriptor.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporary file of a write is "<name>.~<pid>.<n>"; when its process was killed it stays
// behind. Only leftovers of this very file, of processes that no longer run, are removed, so
// a write going on in another running copy of the program is never disturbed.
void RemoveLeftovers(const std::string& target) {
    const std::string prefix = BaseNameOf(target) + ".~";
    const std::string directory = DirectoryOf(target);
    DIR* listing = ::opendir(directory.c_str());
    if (listing == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix)) {
            continue;
        }
        const std::string_view rest = name.substr(prefix.size());
        const auto dot = rest.find('.');
        const auto allDigits = [](std::string_view text) {
            return !text.empty() && text.size() <= 10 &&
                   std::all_of(text.begin(), text.end(),
                               [](char c) { return c >= '0' && c <= '9'; });
        };
        if (dot == std::string_view::npos || !allDigits(rest.substr(0, dot)) ||
            !allDigits(rest.substr(dot + 1))) {
            continue;
        }
        const long long pid = std::stoll(std::string(rest.substr(0, dot)));
        if (pid <= 0 || pid > INT_MAX || pid == ::getpid()) {
            continue;
        }
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) {
            continue; // running, or someone else's process
        }
        const std::string leftover = directory + "/" + std::string(name);
        struct stat info {};
        if (::lstat(leftover.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            ::unlink(leftover.c_str());
        }
    }
    ::closedir(listing);
}

// The file that a write replaces: the settings file itself, or the regular file its
// symbolic link points at. Nothing else is ever renamed over: a device, a FIFO or a
// directory in its place, or a link to one, or a link to nothing, is left alone.
// Empty when there is nothing that may be replaced.
std::string WriteTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? path : std::string();
    }
    if (S_ISREG(info.st_mode)) {
        return path;
    }
    if (!S_ISLNK(info.st_mode)) {
        return {};
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return {};
    }
    std::string target = resolved;
    std::free(resolved);
    if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {};
    }
    return target;
}

} // namespace

bool FileReplacement::Replace(const std::string& path, const std::vector<std::string>& lines) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return false;
    }
    // A file that is a symbolic link stays one: the new file replaces its target.
    const std::string target = WriteTarget(path);
    if (target.empty()) {
        return false;
    }
    RemoveLeftovers(target);
    static unsigned counter = 0;
    std::string temporary;
    Descriptor file(-1);
    for (int attempt = 0; attempt < 100 && file.Get() < 0; ++attempt) {
        temporary = target + ".~" + std::to_string(::getpid()) + "." + std::to_string(++counter);
        file.Reset(
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
        if (file.Get() < 0 && errno != EEXIST) {
            break;
        }
    }
    if (file.Get() < 0) {
        return false;
    }

    // The file keeps the permissions it had.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(file.Get(), old.st_mode & 07777);
    }

    constexpr std::size_t kChunk = 1 << 16;
    std::string buffer;
    buffer.reserve(kChunk);
    bool ok = true;
    for (const std::string& line : lines) {
        if (!buffer.empty() && buffer.size() + line.size() + 2 > kChunk) {
            ok = ok && WriteAll(file.Get(), buffer.data(), buffer.size());
            buffer.clear();
        }
        buffer += line;
        buffer += "\r\n";
    }
    ok = ok && WriteAll(file.Get(), buffer.data(), buffer.size());
    ok = ok && ::fsync(file.Get()) == 0;
    ok = file.Close() && ok;
    // Checked again at the last moment: something may have taken the file's place meanwhile.
    ok = ok && WriteTarget(path) == target;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself must survive a crash too.
    Descriptor directory(::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0) {
        ::fsync(directory.Get());
    }
    return true;
}
