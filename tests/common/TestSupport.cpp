#include "TestSupport.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zav::test {

void SetTimeZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
}

ScopedTimeZone::ScopedTimeZone(const char* zone) {
    const char* previous = std::getenv("TZ");
    m_hadPrevious = previous != nullptr;
    m_previous = previous ? previous : "";
    SetTimeZone(zone);
}

ScopedTimeZone::~ScopedTimeZone() {
    if (m_hadPrevious) {
        SetTimeZone(m_previous.c_str());
    } else {
        unsetenv("TZ");
        tzset();
    }
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zav-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    m_path = made ? made : pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::File(const std::string& name) const {
    return m_path + "/" + name;
}

DocumentEnvironment EnvironmentIn(const TempDir& dir) {
    DocumentEnvironment env;
    env.programDir = dir.Path() + "/";
    env.applyWorkingDirectory = false;
    return env;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string DataPath(const std::string& name) {
    return std::string(ZAV_TEST_DATA_DIR) + "/" + name;
}

::testing::AssertionResult SameLines(const std::string& expected, const std::string& actual) {
    std::istringstream a(expected);
    std::istringstream b(actual);
    std::string la;
    std::string lb;
    for (int line = 1;; ++line) {
        bool moreA = static_cast<bool>(std::getline(a, la));
        bool moreB = static_cast<bool>(std::getline(b, lb));
        if (!moreA && !moreB) {
            break;
        }
        if (moreA != moreB || la != lb) {
            return ::testing::AssertionFailure()
                   << "line " << line
                   << " differs:\n  expected: " << (moreA ? "\"" + la + "\"" : "(end)")
                   << "\n  actual:   " << (moreB ? "\"" + lb + "\"" : "(end)");
        }
    }
    if (expected != actual) {
        return ::testing::AssertionFailure() << "texts differ in their line ends";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace zav::test
