#include "io/ProjectGuard.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>

#include "core/FileIO.h"
#include "io/CZAVDoc.h"

namespace zav {

namespace {

const char* const kRecoverySuffix = ".recovery";

// "<folder>/.<name><suffix>" for "<folder>/<name>".
std::string HiddenBeside(const std::string& projectPath, const char* suffix) {
    const size_t slash = projectPath.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return projectPath.substr(0, nameStart) + "." + projectPath.substr(nameStart) + suffix;
}

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        return std::string();
    }
    return name;
}

bool ReadHolder(const std::string& lockPath, ProjectLock::Holder& holder) {
    std::string text;
    if (ReadWholeFile(lockPath, text) != ReadResult::kOk) {
        return false;
    }
    const size_t line = text.find('\n');
    try {
        holder.pid = std::stol(text.substr(0, line));
    } catch (...) {
        return false;
    }
    if (line != std::string::npos) {
        holder.host = text.substr(line + 1);
        while (!holder.host.empty() && (holder.host.back() == '\n' || holder.host.back() == '\r')) {
            holder.host.pop_back();
        }
    }
    return true;
}

// A process on another host cannot be looked at: its lock counts.
bool HolderAlive(const ProjectLock::Holder& holder) {
    if (holder.host != HostName()) {
        return true;
    }
    if (holder.pid <= 0) {
        return false;
    }
    return ::kill(static_cast<pid_t>(holder.pid), 0) == 0 || errno == EPERM;
}

}  // namespace

std::string RecoveryPath(const std::string& projectPath) {
    return HiddenBeside(projectPath, kRecoverySuffix);
}

std::string LockPath(const std::string& projectPath) {
    return HiddenBeside(projectPath, ".lock");
}

bool WriteRecovery(const CZAVDoc& doc, const std::string& recoveryPath, Progress& progress) {
    if (recoveryPath.empty() || recoveryPath == doc.PathName()) {
        return false;
    }
    return WriteFileSafely(
               recoveryPath, [&doc](PieceWriter& out) { doc.WriteProject(out); }, progress) ==
           WriteResult::kOk;
}

void RemoveFileIfPresent(const std::string& path) {
    if (!path.empty()) {
        std::remove(path.c_str());
    }
}

std::string ProjectOfRecovery(const std::string& recoveryPath) {
    const size_t slash = recoveryPath.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string suffix = kRecoverySuffix;
    if (recoveryPath.size() < nameStart + 1 + suffix.size() + 1 || recoveryPath[nameStart] != '.' ||
        recoveryPath.compare(recoveryPath.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return std::string();
    }
    return recoveryPath.substr(0, nameStart) +
           recoveryPath.substr(nameStart + 1, recoveryPath.size() - suffix.size() - nameStart - 1);
}

int64_t FileModifiedTime(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return -1;
    }
    return static_cast<int64_t>(info.st_mtime);
}

std::string FormatFileTime(int64_t seconds) {
    if (seconds < 0) {
        return "missing";
    }
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm fields{};
    ::gmtime_r(&time, &fields);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &fields);
    return text;
}

std::string RecoveryQuestion(const std::string& projectPath, int64_t recoveryTime,
                             int64_t projectTime) {
    return "ZAV stopped before changes to " + projectPath +
           " were saved, and kept them in a recovery file.\n\nRecovery file written: " +
           FormatFileTime(recoveryTime) + "\nProject file saved: " + FormatFileTime(projectTime) +
           "\n\nRecover the changes? Yes opens the project with them (save it to keep them); No "
           "deletes the recovery file; Cancel keeps it for the next start.";
}

std::string ProjectLock::OpenTwiceQuestion(const std::string& projectPath, const Holder& holder) {
    return projectPath + " is open in another running copy of ZAV (process " +
           std::to_string(holder.pid) + " on " +
           (holder.host.empty() ? "this computer" : holder.host) +
           ").\n\nOpen it read-only? Yes opens it read-only (it can be saved only under another "
           "name); No opens it anyway; Cancel does not open it.";
}

bool ProjectLock::HeldByOther(const std::string& projectPath, Holder* holder) {
    Holder found;
    if (!ReadHolder(LockPath(projectPath), found)) {
        return false;
    }
    const bool mine = found.pid == static_cast<long>(::getpid()) && found.host == HostName();
    if (holder != nullptr) {
        *holder = found;
    }
    return !mine && HolderAlive(found);
}

bool ProjectLock::Acquire(const std::string& projectPath) {
    Release();
    const std::string path = LockPath(projectPath);
    const std::string text =
        std::to_string(static_cast<long>(::getpid())) + "\n" + HostName() + "\n";
    if (WriteFileSafely(path, text) != WriteResult::kOk) {
        return false;
    }
    m_path = path;
    return true;
}

void ProjectLock::Release() {
    if (m_path.empty()) {
        return;
    }
    Holder holder;
    if (ReadHolder(m_path, holder) && holder.pid == static_cast<long>(::getpid()) &&
        holder.host == HostName()) {
        std::remove(m_path.c_str());
    }
    m_path.clear();
}

}  // namespace zav
