#include "core/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <string>

#include "core/UserInterface.h"

namespace zav {

namespace {
bool WriteAll(int fd, const std::string& content) {
    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}
}  // namespace

WriteResult WriteFileSafely(const std::string& path, const std::string& content) {
    // A directory, a device or an unwritable target fails before anything
    // is written: the rename below would put a file in place of a device.
    struct stat info {};
    bool exists = ::stat(path.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        return WriteResult::kFolder;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        return WriteResult::kNotRegularFile;
    }
    if (exists && ::access(path.c_str(), W_OK) != 0) {
        return WriteResult::kCannotOpen;
    }
    // A name of this process's own: two programs saving the same file at once
    // (the shared conversions file, say) must not write into one temporary.
    // A file left under this name can only be from a process that died.
    static std::atomic<int> saveCount{0};
    std::string temp =
        path + ".zav-saving-" + std::to_string(::getpid()) + "-" + std::to_string(++saveCount);
    ::unlink(temp.c_str());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return WriteResult::kCannotOpen;
    }
    if (exists) {
        ::fchmod(fd, info.st_mode & 07777);
    }
    bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return WriteResult::kCannotWrite;
    }
    return WriteResult::kOk;
}

namespace {

ReadResult KindOf(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) {
        return ReadResult::kFolder;
    }
    return S_ISREG(info.st_mode) ? ReadResult::kOk : ReadResult::kNotRegularFile;
}

ReadResult OpenFailure() {
    return errno == ENOENT ? ReadResult::kMissing : ReadResult::kCannotOpen;
}

// Appends at most `size` bytes: the size the file had when it was opened.
bool ReadUpTo(int fd, size_t size, std::string& text) {
    char buf[1 << 16];
    while (text.size() < size) {
        ssize_t n = ::read(fd, buf, std::min(sizeof buf, size - text.size()));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            break;
        }
        text.append(buf, static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& text) {
    text.clear();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return OpenFailure();
    }
    if (ReadResult kind = KindOf(info); kind != ReadResult::kOk) {
        return kind;
    }
    // Non-blocking, and checked again once open: a FIFO put in the file's
    // place since the stat must not wait for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return OpenFailure();
    }
    ReadResult result = ::fstat(fd, &info) == 0 ? KindOf(info) : ReadResult::kCannotRead;
    if (result == ReadResult::kOk) {
        // One allocation for the whole file: projects run to hundreds of
        // megabytes, and growing the text as it comes would copy it over
        // and over.
        try {
            text.reserve(static_cast<size_t>(info.st_size));
        } catch (const std::exception&) {
            result = ReadResult::kTooLarge;
        }
    }
    if (result == ReadResult::kOk && !ReadUpTo(fd, static_cast<size_t>(info.st_size), text)) {
        result = ReadResult::kCannotRead;
    }
    ::close(fd);
    if (result != ReadResult::kOk) {
        text.clear();
        text.shrink_to_fit();
    }
    return result;
}

bool ReadFileText(const std::string& path, std::string& text) {
    return ReadWholeFile(path, text) == ReadResult::kOk;
}

std::string NotRegularFileMessage(const std::string& path, bool isFolder) {
    return path + (isFolder ? " is a folder, not a file." : " is not a regular file.");
}

std::string ReadFailureMessage(ReadResult result, const std::string& path,
                               const std::string& cannotOpen) {
    switch (result) {
        case ReadResult::kFolder:
            return NotRegularFileMessage(path, true);
        case ReadResult::kNotRegularFile:
            return NotRegularFileMessage(path, false);
        case ReadResult::kTooLarge:
            return path + " is too large to read.";
        default:
            return cannotOpen;
    }
}

bool ReadUserFile(const std::string& path, std::string& text, UserInterface& ui,
                  const std::string& cannotOpen) {
    ReadResult result = ReadWholeFile(path, text);
    if (result != ReadResult::kOk) {
        ui.ShowMessage(ReadFailureMessage(result, path, cannotOpen));
        return false;
    }
    return true;
}

}  // namespace zav

namespace zav {
std::string ProgramDirectory() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) {
        return "./";
    }
    std::string path(buf, static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}
}  // namespace zav
