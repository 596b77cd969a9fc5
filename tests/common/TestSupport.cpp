#include "TestSupport.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
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

ScopedWriteFault::ScopedWriteFault(WriteStep step, int index, int error, size_t chunk) {
    m_faults.writeChunk = chunk;
    m_faults.beforeStep = [this, step, index, error](WriteStep now, int nowIndex) {
        if (now != step || nowIndex != index || m_fired > 0) {
            return 0;
        }
        ++m_fired;
        return error;
    };
    SetFileFaults(&m_faults);
}

ScopedWriteFault::~ScopedWriteFault() {
    SetFileFaults(nullptr);
}

std::string SaveFault::Describe() const {
    static const char* const kSteps[] = {"open", "write", "fsync", "close", "rename"};
    return std::string(kSteps[static_cast<int>(step)]) +
           (step == WriteStep::kWrite ? " #" + std::to_string(index) : std::string()) + " fails (" +
           std::strerror(error) + ")";
}

std::vector<SaveFault> EverySaveFault() {
    const std::pair<WriteStep, int> steps[] = {{WriteStep::kOpen, 0},  {WriteStep::kWrite, 0},
                                               {WriteStep::kWrite, 1}, {WriteStep::kWrite, 2},
                                               {WriteStep::kSync, 0},  {WriteStep::kClose, 0},
                                               {WriteStep::kRename, 0}};
    std::vector<SaveFault> faults;
    for (const auto& [step, index] : steps) {
        for (int error : {ENOSPC, EIO, EACCES}) {
            faults.push_back({step, index, error});
        }
    }
    return faults;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
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
