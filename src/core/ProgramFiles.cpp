#include "core/ProgramFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "core/FileIO.h"
#include "core/UserInterface.h"

namespace zav {

namespace {
const char* const kTableName = "unitConversions.txt";

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string InstalledDataFolder(const std::string& programDir) {
    return ParentFolder(programDir) + "share/zav/";
}

// mkdir -p: every missing folder on the way, as the person's own.
bool MakeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return IsFolder(folder);
}
}  // namespace

std::string UserDataHome(const char* xdgDataHome, const char* home) {
    // Relative values are to be ignored: they would follow the working
    // directory, which the program moves.
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') {
        return WithSlash(xdgDataHome);
    }
    if (home != nullptr && home[0] == '/') {
        return WithSlash(home) + ".local/share/";
    }
    return "";
}

std::string UserDataHome() {
    return UserDataHome(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string ParentFolder(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return WithSlash(path) + "../";
    }
    return path.substr(0, slash + 1);
}

ConversionsLocation ChooseConversions(const ConversionsFacts& facts) {
    const std::string beside = facts.programDir + kTableName;
    const bool installed = facts.installedTableExists;
    if ((facts.programDirWritable && !installed) || facts.userDataHome.empty()) {
        return {beside, "", false};
    }
    ConversionsLocation location{facts.userDataHome + "zav/" + kTableName, "", true};
    if (installed) {
        location.seedFrom = InstalledDataFolder(facts.programDir) + kTableName;
    } else if (facts.besideTableExists) {
        location.seedFrom = beside;
    }
    return location;
}

ConversionsLocation LocateConversions(const std::string& programDir,
                                      const std::string& userDataHome) {
    ConversionsFacts facts;
    facts.programDir = WithSlash(programDir);
    facts.programDirWritable = ::access(facts.programDir.c_str(), W_OK) == 0;
    facts.installedTableExists = Exists(InstalledDataFolder(facts.programDir) + kTableName);
    facts.besideTableExists = Exists(facts.programDir + kTableName);
    facts.userDataHome = userDataHome;
    return ChooseConversions(facts);
}

std::string ConversionsCopyFailedMessage(const ConversionsLocation& location) {
    if (location.seedFrom.empty()) {
        return "Unable to create the folder for " + location.path + ".";
    }
    return "Unable to copy the standard conversions from " + location.seedFrom + " to " +
           location.path + ".";
}

bool PrepareConversionsFile(const ConversionsLocation& location, UserInterface& ui) {
    if (!location.perUser || Exists(location.path)) {
        return true;
    }
    bool made = MakeFolders(ParentFolder(location.path));
    if (made && !location.seedFrom.empty()) {
        std::string text;
        made = ReadFileText(location.seedFrom, text) &&
               WriteFileSafely(location.path, text) == WriteResult::kOk;
    }
    if (!made) {
        ui.ShowMessage(ConversionsCopyFailedMessage(location));
    }
    return made;
}

std::string ProgramFolder(const std::string& programDir, const std::string& name) {
    const std::string beside = ParentFolder(WithSlash(programDir)) + name;
    if (IsFolder(beside)) {
        return beside;
    }
    const std::string installed = InstalledDataFolder(WithSlash(programDir)) + name;
    return IsFolder(installed) ? installed : beside;
}

}  // namespace zav
