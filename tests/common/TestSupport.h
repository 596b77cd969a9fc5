// Helpers shared by the test programs: time-zone switching, scratch folders,
// a document in one, whole-file reading and writing, and one line-by-line
// text comparison.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ScriptedUserInterface.h"
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

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
// Folder of the test data files (tests/data in the source tree).
std::string DataPath(const std::string& name);

// Compares two texts line by line and reports the first lines that differ.
::testing::AssertionResult SameLines(const std::string& expected, const std::string& actual);

}  // namespace zav::test
