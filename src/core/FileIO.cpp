#include "core/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

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
    // A directory or an unwritable target fails before anything is written.
    struct stat info {};
    bool exists = ::stat(path.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        return WriteResult::kCannotOpen;
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

bool ReadFileText(const std::string& path, std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    text.clear();
    // One allocation for the whole file: projects run to hundreds of
    // megabytes, and growing the text as it comes would copy it over and over.
    struct stat info {};
    if (::fstat(::fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        text.reserve(static_cast<size_t>(info.st_size));
    }
    char buf[1 << 16];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, file)) > 0) {
        text.append(buf, n);
    }
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
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
