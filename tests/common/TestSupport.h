// Helpers shared by the test programs: time-zone switching, scratch folders,
// a document in one, whole-file reading and writing, and one line-by-line
// text comparison.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedUserInterface.h"
#include "core/FileIO.h"
#include "io/CZAVDoc.h"

namespace zav::test {

// Sets TZ and has the C library read it, as a program started in that zone
// would; tests switch zones to show that no result follows them.
void SetTimeZone(const char* zone);

// Restores the zone a test binary runs in (from ctest's environment) when it
// goes out of scope.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone);
    ~ScopedTimeZone();

private:
    std::string m_previous;
    bool m_hadPrevious;
};

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return m_path; }
    // Path of a file inside the folder (the name is appended with a '/').
    std::string File(const std::string& name) const;

private:
    std::string m_path;
};

// A document environment for tests: the conversions file lives in `dir`,
// and the working directory is left alone.
DocumentEnvironment EnvironmentIn(const TempDir& dir);

// A fixture with a document whose conversions file lives in a scratch
// folder and whose messages and questions go to the scripted person.
class DocumentTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedUserInterface ui;
    CZAVDoc doc{ui, EnvironmentIn(dir)};
};

// Fails one step of the first safe write that reaches it while it lives,
// with `error` as the system would, and cuts writes into `chunk` bytes so
// that a save takes several. `index` picks the write (from 0) when the step
// is kWrite.
class ScopedWriteFault {
public:
    ScopedWriteFault(WriteStep step, int index, int error, size_t chunk = 4);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
    // How many times the step was failed: 0 or 1.
    int Fired() const { return m_fired; }

private:
    FileFaults m_faults;
    int m_fired = 0;
};

// One way for a save to fail: a step (the write numbered `index`) and the
// errno it fails with.
struct SaveFault {
    WriteStep step;
    int index;
    int error;
    std::string Describe() const;
};
// Every step of a save (the first, second and third write of a save cut in
// 4-byte pieces) failed with ENOSPC, EIO and EACCES in turn.
std::vector<SaveFault> EverySaveFault();

// The names of the entries of a folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
// Folder of the test data files (tests/data in the source tree).
std::string DataPath(const std::string& name);

// Compares two texts line by line and reports the first lines that differ.
::testing::AssertionResult SameLines(const std::string& expected, const std::string& actual);

}  // namespace zav::test
