// The files kept beside a project while it is open, each named after it and
// hidden, so that neither is ever taken for the project nor written over it:
//
// - the recovery file ".<name>.recovery": the project as it stood at the
//   last autosave, written only while it has unsaved changes and removed
//   on a normal save or close, so one found at start-up means a crash;
// - the lock file ".<name>.lock": the process id and host of the program
//   that has the project open. A lock whose process is gone is stale and
//   taken over.
#pragma once

#include <cstdint>
#include <string>

#include "core/Progress.h"

namespace zav {

class CZAVDoc;

std::string RecoveryPath(const std::string& projectPath);
std::string LockPath(const std::string& projectPath);

// Writes the document's project text to `recoveryPath` (never the project's
// own path), formatted as it is written, as a save does. False when it could
// not be written or was cancelled; the recovery file written before is then
// left as it was.
bool WriteRecovery(const CZAVDoc& doc, const std::string& recoveryPath,
                   Progress& progress = NoProgress());
void RemoveFileIfPresent(const std::string& path);
// The project a recovery file stands for: the path without its hidden dot
// and ".recovery" ("" when `recoveryPath` is no recovery file's name).
std::string ProjectOfRecovery(const std::string& recoveryPath);
// When the file was last written, as seconds since 1970; -1 when missing.
int64_t FileModifiedTime(const std::string& path);

// A file time as "2026-12-08 14:05:09 UTC" (the same on every machine),
// "missing" for -1.
std::string FormatFileTime(int64_t seconds);
// What the program asks at start-up on finding the recovery file of
// `projectPath`: Yes recovers, No deletes the recovery file, Cancel keeps it.
std::string RecoveryQuestion(const std::string& projectPath, int64_t recoveryTime,
                             int64_t projectTime);

class ProjectLock {
public:
    ProjectLock() = default;
    ~ProjectLock() { Release(); }
    ProjectLock(const ProjectLock&) = delete;
    ProjectLock& operator=(const ProjectLock&) = delete;

    struct Holder {
        long pid = 0;
        std::string host;
    };
    // Whether another running program holds the project's lock; stale
    // locks (their process gone on this host) do not count.
    static bool HeldByOther(const std::string& projectPath, Holder* holder = nullptr);
    // Takes the lock for this process (over a stale one, or over another
    // program's when the person chose to open anyway). False when the
    // lock file could not be written: the project still opens.
    bool Acquire(const std::string& projectPath);
    // Removes the lock file when this process still holds it.
    void Release();
    bool Held() const { return !m_path.empty(); }
    // What the program asks on opening a project another copy holds: Yes
    // opens it read-only, No opens it anyway, Cancel does not open it.
    static std::string OpenTwiceQuestion(const std::string& projectPath, const Holder& holder);

private:
    std::string m_path;
};

}  // namespace zav
