#include "core/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>

#include "core/Pages.h"
#include "core/UserInterface.h"

namespace zav {

namespace {

const FileFaults* g_faults = nullptr;

// The errno the test seam wants this step to fail with, or 0.
int FaultFor(WriteStep step, int index = 0) {
    return g_faults != nullptr && g_faults->beforeStep ? g_faults->beforeStep(step, index) : 0;
}

// Runs a step's system call unless the seam fails it first; -1 with errno
// set on failure, as the call itself reports it.
template <typename Call>
auto Step(WriteStep step, int index, Call call) -> decltype(call()) {
    if (int error = FaultFor(step, index)) {
        errno = error;
        return -1;
    }
    return call();
}

// Writes every byte; `writes` counts the write calls of one save, for the
// test seam.
bool WriteAll(int fd, const char* p, size_t left, int& writes) {
    const size_t chunk =
        g_faults != nullptr && g_faults->writeChunk > 0 ? g_faults->writeChunk : left;
    while (left > 0) {
        ssize_t n = Step(WriteStep::kWrite, writes++,
                         [&] { return ::write(fd, p, std::min(left, chunk)); });
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

void SetFileFaults(const FileFaults* faults) {
    g_faults = faults;
}

namespace {
// Thrown from a piece writer whose save was cancelled, out through the
// writer's own formatting, to WriteFileSafely.
struct SaveCancelled {};
}  // namespace

void PieceWriter::Send() {
    if (m_progress.Cancelled()) {
        throw SaveCancelled{};
    }
    // After a failed write the rest is dropped as it comes: the save has
    // failed and the old file stays.
    m_failed = m_failed || !WriteAll(m_fd, m_text.data(), m_text.size(), m_writes);
    m_sent += m_text.size();
    m_progress.Report(m_sent, std::max(m_sent, m_expected));
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
    m_failed = m_failed || !WriteAll(m_fd, text.data(), text.size(), m_writes);
    m_sent += text.size();
    m_progress.Report(m_sent, std::max(m_sent, m_expected));
}

WriteResult WriteFileSafely(const std::string& path, const std::function<void(PieceWriter&)>& write,
                            Progress& progress) {
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
    int fd = Step(WriteStep::kOpen, 0, [&] {
        return ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    });
    if (fd < 0) {
        return WriteResult::kCannotOpen;
    }
    if (exists) {
        ::fchmod(fd, info.st_mode & 07777);
    }
    std::string text;
    PieceWriter out(text, progress);
    out.m_fd = fd;
    bool ok = true;
    try {
        write(out);
        out.Send();
        ok = !out.m_failed && Step(WriteStep::kSync, 0, [&] { return ::fsync(fd); }) == 0;
    } catch (const SaveCancelled&) {
        ::close(fd);
        std::remove(temp.c_str());
        return WriteResult::kCancelled;
    } catch (...) {
        ::close(fd);
        std::remove(temp.c_str());
        throw;
    }
    // The descriptor is released even when close reports a failure.
    const int closeFault = FaultFor(WriteStep::kClose);
    const bool closed = ::close(fd) == 0 && closeFault == 0;
    ok = closed && ok;
    if (!ok ||
        Step(WriteStep::kRename, 0, [&] { return std::rename(temp.c_str(), path.c_str()); }) != 0) {
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

// The most a file read may hold: the machine's memory. A larger file (a
// sparse one costs nothing to make) is refused before anything is
// allocated, which the system might grant and then fail to back.
size_t ReadLimit() {
    if (g_faults != nullptr && g_faults->readLimit > 0) {
        return g_faults->readLimit;
    }
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) {
        return SIZE_MAX;
    }
    return static_cast<size_t>(pages) * static_cast<size_t>(pageSize);
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
    m_status = ReadResult::kOk;
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
    if (result == ReadResult::kOk && static_cast<size_t>(info.st_size) > ReadLimit()) {
        result = ReadResult::kTooLarge;
    }
    if (result != ReadResult::kOk) {
        ::close(fd);
        return result;
    }
    m_fd = fd;
    m_size = static_cast<size_t>(info.st_size);
    if (g_faults != nullptr && g_faults->afterSizeTaken) {
        g_faults->afterSizeTaken(path);
    }
    return ReadResult::kOk;
}

void InputFile::Fail(ReadResult why) {
    m_status = why;
    m_size = m_read;
    Close();
}

// At the size the file had when it was opened: one byte more means it is
// being written meanwhile.
void InputFile::CheckEnded() {
    char more = 0;
    ssize_t n = 0;
    do {
        n = ::read(m_fd, &more, 1);
    } while (n < 0 && errno == EINTR);
    if (n != 0) {
        Fail(n < 0 ? ReadResult::kCannotRead : ReadResult::kChanged);
        return;
    }
    Close();
}

bool InputFile::ReadMore(std::string& text, size_t count) {
    count = std::min(count, Left());
    if (m_fd >= 0 && Left() == 0) {
        CheckEnded();  // an empty file has nothing more to give from the start
    }
    if (m_fd < 0 || count == 0) {
        return !Failed();
    }
    const size_t start = text.size();
    if (start + count > text.capacity()) {
        // The room is taken before the text fills it, so that it can be
        // asked for in one go.
        text.reserve(std::max(start + count, 2 * text.capacity()));
        PrepareReserved(text);
    }
    text.resize(start + count);
    size_t got = 0;
    while (got < count) {
        ssize_t n = ::read(m_fd, text.data() + start + got, count - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            // Cut short since it was opened, or unreadable: what was read is
            // not the whole file.
            text.resize(start + got);
            m_read += got;
            Fail(n < 0 ? ReadResult::kCannotRead : ReadResult::kChanged);
            return false;
        }
        got += static_cast<size_t>(n);
    }
    m_read += got;
    if (m_read == m_size) {
        CheckEnded();
    }
    return !Failed();
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
    if (result == ReadResult::kOk) {
        file.ReadMore(text, file.Size());
        result = file.Status();
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
        case ReadResult::kChanged:
            return path + " changed while it was being read; open it again once it is complete.";
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
