// The user's folders and what the running user may do in a folder: the
// home folder, XDG base folders given by the environment, creating a folder
// with its parents, and whether a folder takes new files. Paths are UTF-8.
#pragma once

#include <optional>
#include <string>

namespace kalendo {

// The value of an environment variable that holds a folder, when it is an
// absolute path; nullopt when it is unset, empty or relative (the XDG base
// directory rules ignore relative paths).
std::optional<std::string> AbsoluteEnvironmentPath(const char* name);

// $HOME when it is an absolute path, else the home folder the user
// database gives the running user; nullopt when neither is absolute.
std::optional<std::string> HomeFolder();

// Creates the folder and every missing parent (mode 0700 for each folder it
// creates, as the XDG rules ask of base folders). true when a folder is
// there afterwards.
bool MakeFolders(const std::string& path);

// Whether the running user (its effective ids) may create files in the
// folder: write and search permission, on a file system mounted for
// writing. The super-user passes on every writable mount, whatever the
// folder's mode.
bool FolderTakesNewFiles(const std::string& folder);

// Whether anything (a file, a folder, a symbolic link to one) is at path.
bool PathExists(const std::string& path);

}  // namespace kalendo
