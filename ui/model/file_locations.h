// Where the program's files are: the one place that decides it, for the
// window, the document and kalendo2-cli alike.
//
// A portable copy keeps everything beside its executable, as it always
// did: the five definition files, the settings file and the help page. An
// installed copy cannot, and should not: its folder belongs to the package
// (not writable by the user, and replaced by every update), so each user's
// own files live in $XDG_DATA_HOME/Kalendo2/ (by default
// ~/.local/share/Kalendo2/):
//   - Kalendo2.Ini (the settings), Usr.Def and Schedule.Def are the user's.
//     The window creates Usr.Def and Schedule.Def there from the shipped
//     templates on its first start (CreateUserFiles); the settings file
//     appears at its first exit.
//   - 元号.Def, 祝日.Def and 暦日.Def are read from there only when the user
//     put a copy there, else from the program's folder, so that a package
//     update with a new holiday or era reaches every user who did not.
//   - Help/index.html is always the program folder's.
//
// A copy is portable when its folder takes new files for the running user
// and it is not marked as installed (kInstalledMarkerName in its folder,
// placed there by the install rules). The marker matters for two reasons:
// the super-user may write into any folder, so writability alone would put
// root's settings and schedules into /usr/lib/kalendo2; and a copy
// installed into a prefix the user owns would have its Schedule.Def
// overwritten by the next install.
#pragma once

#include <functional>
#include <string>

#include "ui/model/document.h"  // DefinitionPaths

namespace kalendo {

// The file the install rules put beside the installed executables.
inline constexpr char kInstalledMarkerName[] = "kalendo2.installed";

// The user folder's name under the XDG data folder.
inline constexpr char kUserFolderName[] = "Kalendo2";

// What the decision depends on, gathered at the edge (GatherLocationFacts)
// or written down by a test.
struct LocationFacts {
    std::string executablePath;          // full path, UTF-8
    bool programFolderWritable = false;  // the running user may create files there
    bool installedMarker = false;        // kInstalledMarkerName lies in that folder
    std::string home;                    // the home folder; "" when none is known
    std::string xdgDataHome;             // $XDG_DATA_HOME as set; "" when unset
};

struct FileLocations {
    bool portable = false;      // everything beside the executable
    std::string executable;     // the executable's full path
    std::string programFolder;  // the executable's folder, ending with "/"
    // The user's folder, ending with "/": the program folder when portable;
    // "" when installed and no home folder is known (the files are then
    // read from the program folder and every write fails with its message).
    std::string userFolder;
    DefinitionPaths definitions;  // where each of the five files is read
    std::string scheduleFile;     // where schedule changes are saved
    std::string settingsFile;     // read at start-up, written at exit
    std::string helpPage;         // <program folder>Help/index.html
};

// The user folder of an installed copy: "$XDG_DATA_HOME/Kalendo2/" when
// that variable is an absolute path, else "<home>/.local/share/Kalendo2/";
// "" when neither is known. Trailing "/" of either are dropped first.
std::string UserFolderFor(const LocationFacts& facts);

// The decision itself. `exists` answers whether a file lies at a path; it
// is asked only about the five definition files in the user folder. For an
// installed copy each definition file is read from the user folder when it
// exists there, else from the program folder; the schedule file is saved
// and the settings file kept in the user folder. The settings file is
// named after the executable (SettingsPathFromExecutable), so the window
// "Kalendo2" keeps "Kalendo2.Ini". `facts.executablePath` must hold a "/".
FileLocations LocateFiles(const LocationFacts& facts,
                          const std::function<bool(const std::string&)>& exists);

// The facts of this process: the platform's executable path (fatal
// without one, as LocateAppPaths), whether its folder takes new files,
// the marker, $HOME (or the user database's home) and $XDG_DATA_HOME.
LocationFacts GatherLocationFacts();

// LocateFiles on this process's facts and file system. Writes nothing.
FileLocations FindFileLocations();

// The window's first start as an installed copy: creates the user folder
// when missing and copies the shipped Usr.Def and Schedule.Def into it
// when the user has none yet, then reads them from there. A copy that
// fails leaves that file read from the program folder (schedule changes
// still go to scheduleFile, where saving then fails with its message);
// nothing is shown here. A portable copy has nothing to create.
void CreateUserFiles(FileLocations& locations);

// "ヘルプ(&H)": the help page (UTF-8 path) opened with the desktop's default
// handler; when none can be started (no browser installed, no desktop), a
// message says so and gives the page's path, so that it can be opened by
// hand.
void OpenHelpPage(const std::string& helpPage);

}  // namespace kalendo
