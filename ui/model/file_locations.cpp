#include "ui/model/file_locations.h"

#include <cstdlib>
#include <optional>
#include <string_view>

#include "platform/file_io.h"
#include "platform/platform.h"
#include "platform/text_codec.h"
#include "platform/user_folders.h"
#include "ui/model/model_texts.h"
#include "ui/model/settings.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string FileName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// The user's copy when there is one, else the program's.
std::string UserCopyOr(const std::string& userPath, const std::string& programPath,
                       const std::function<bool(const std::string&)>& exists) {
    return exists(userPath) ? userPath : programPath;
}

// Copies the shipped file to the user's path; on success the file is read
// from there.
void CopyTemplate(std::string& readPath, const std::string& userPath) {
    if (readPath == userPath) return;
    const std::optional<std::string> bytes = ReadWholeFile(readPath);
    if (bytes && WriteFileAtomically(userPath, *bytes)) readPath = userPath;
}

}  // namespace

std::string UserFolderFor(const LocationFacts& facts) {
    std::string dataHome;
    if (!facts.xdgDataHome.empty() && facts.xdgDataHome.front() == '/') {
        dataHome = WithoutTrailingSlashes(facts.xdgDataHome);
    } else if (!facts.home.empty() && facts.home.front() == '/') {
        dataHome = WithoutTrailingSlashes(facts.home) + "/.local/share";
    } else {
        return "";
    }
    if (dataHome != "/") dataHome += '/';
    return dataHome + kUserFolderName + "/";
}

FileLocations LocateFiles(const LocationFacts& facts,
                          const std::function<bool(const std::string&)>& exists) {
    FileLocations loc;
    const std::string& exe = facts.executablePath;
    loc.executable = exe;
    loc.programFolder = exe.substr(0, exe.rfind('/') + 1);
    loc.helpPage = HelpPagePathFromExecutable(exe);
    loc.portable = facts.programFolderWritable && !facts.installedMarker;

    const DefinitionPaths shipped = DefinitionPathsIn(loc.programFolder);
    const std::string settingsName = FileName(SettingsPathFromExecutable(exe));
    loc.userFolder = loc.portable ? loc.programFolder : UserFolderFor(facts);
    if (loc.userFolder.empty()) {
        loc.definitions = shipped;
        loc.scheduleFile = shipped.schedules;
        loc.settingsFile = loc.programFolder + settingsName;
        return loc;
    }
    const DefinitionPaths own = DefinitionPathsIn(loc.userFolder);
    loc.definitions = {
        UserCopyOr(own.eras, shipped.eras, exists),
        UserCopyOr(own.holidays, shipped.holidays, exists),
        UserCopyOr(own.notes, shipped.notes, exists),
        UserCopyOr(own.userEntries, shipped.userEntries, exists),
        UserCopyOr(own.schedules, shipped.schedules, exists),
    };
    loc.scheduleFile = own.schedules;
    loc.settingsFile = loc.userFolder + settingsName;
    return loc;
}

LocationFacts GatherLocationFacts() {
    LocationFacts facts;
    facts.executablePath = LocateAppPaths().executable;
    const std::string folder = facts.executablePath.substr(0, facts.executablePath.rfind('/') + 1);
    facts.programFolderWritable = FolderTakesNewFiles(folder);
    facts.installedMarker = PathExists(folder + kInstalledMarkerName);
    facts.home = HomeFolder().value_or("");
    const char* xdgDataHome = std::getenv("XDG_DATA_HOME");
    facts.xdgDataHome = xdgDataHome != nullptr ? xdgDataHome : "";
    return facts;
}

FileLocations FindFileLocations() { return LocateFiles(GatherLocationFacts(), PathExists); }

void CreateUserFiles(FileLocations& locations) {
    if (locations.portable || locations.userFolder.empty()) return;
    if (!MakeFolders(WithoutTrailingSlashes(locations.userFolder))) return;
    const DefinitionPaths own = DefinitionPathsIn(locations.userFolder);
    CopyTemplate(locations.definitions.userEntries, own.userEntries);
    CopyTemplate(locations.definitions.schedules, own.schedules);
}

void OpenHelpPage(const std::string& helpPage) {
    if (ThePlatform().OpenWithDefaultHandler(helpPage)) return;
    ThePlatform().ShowMessage(FormatText(kHelpNotOpenedFormat, Cp932FromUtf8(helpPage).c_str()));
}

}  // namespace kalendo
