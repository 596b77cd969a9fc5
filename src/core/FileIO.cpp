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

void PieceWriter::Send() {
    // After a failed write the rest is dropped as it comes: the save has
    // failed and the old file stays.
    m_failed = m_failed || !WriteAll(m_fd, m_text);
    m_text.clear();
}

WriteResult WriteFileSafely(const std::string& path, const std::string& content) {
    return WriteFileSafely(path, [&content](PieceWriter& out) { out.PassWhole(content); });
}

void PieceWriter::PassWhole(const std::string& text) {
    if (m_fd < 0) {
        m_text += text;
        return;
    }
    Send();
    m_failed = m_failed || !WriteAll(m_fd, text);
}

WriteResult WriteFileSafely(const std::string& path,
                            const std::function<void(PieceWriter&)>& write) {
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
    std::string text;
    PieceWriter out(text);
    out.m_fd = fd;
    bool ok = true;
    try {
        write(out);
        out.Send();
        ok = !out.m_failed && ::fsync(fd) == 0;
    } catch (...) {
        ::close(fd);
        std::remove(temp.c_str());
        throw;
    }
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

}  // namespace

void InputFile::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

ReadResult InputFile::Open(const std::string& path) {
    Close();
    m_size = 0;
    m_read = 0;
    m_failed = false;
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
    if (result != ReadResult::kOk) {
        ::close(fd);
        return result;
    }
    m_fd = fd;
    m_size = static_cast<size_t>(info.st_size);
    return ReadResult::kOk;
}

bool InputFile::ReadMore(std::string& text, size_t count) {
    count = std::min(count, Left());
    if (Left() == 0) {
        Close();  // an empty file has nothing more to give from the start
    }
    if (m_fd < 0 || count == 0) {
        return !m_failed;
    }
    const size_t start = text.size();
    text.resize(start + count);
    size_t got = 0;
    while (got < count) {
        ssize_t n = ::read(m_fd, text.data() + start + got, count - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            text.resize(start + got);
            m_read += got;
            // A file cut short since it was opened simply ends here, as it
            // always did; an error ends it too but is told.
            m_failed = n < 0;
            m_size = m_read;
            Close();
            return !m_failed;
        }
        got += static_cast<size_t>(n);
    }
    m_read += got;
    if (m_read == m_size) {
        Close();
    }
    return true;
}

ReadResult ReadWholeFile(const std::string& path, std::string& text) {
    text.clear();
    InputFile file;
    ReadResult result = file.Open(path);
    if (result == ReadResult::kOk) {
        // One allocation for the whole file: projects run to hundreds of
        // megabytes, and growing the text as it comes would copy it over
        // and over.
        try {
            text.reserve(file.Size());
        } catch (const std::exception&) {
            result = ReadResult::kTooLarge;
        }
    }
    if (result == ReadResult::kOk && !file.ReadMore(text, file.Size())) {
        result = ReadResult::kCannotRead;
    }
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
