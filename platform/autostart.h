// Starting Kalendo2 when the user logs on: a desktop entry in the user's
// XDG autostart folder, $XDG_CONFIG_HOME/autostart/Kalendo2.desktop
// ($XDG_CONFIG_HOME defaults to ~/.config). Its existence is the setting:
// the settings dialog shows whether the file is there and creates or
// removes it.
#pragma once

#include <optional>
#include <string>

namespace kalendo {

// The entry's path (UTF-8). $XDG_CONFIG_HOME counts only when it is an
// absolute path; otherwise $HOME/.config, and without $HOME the home
// folder of the user database. nullopt when no folder can be found.
std::optional<std::string> AutostartEntryPath();

// Whether a file lies at the entry's path.
bool AutostartEntryExists();

// The desktop entry that starts the executable: Exec= holds the path as
// one quoted argument, so blanks, quotes, "$", "`", "\" and "%" in the path
// survive the desktop's command-line parsing.
std::string AutostartDesktopEntry(const std::string& executablePath);

// Writes the entry (creating the autostart folder with mode 0700 when
// missing), replacing any file there. false when it cannot be written.
bool CreateAutostartEntry(const std::string& executablePath);

// Deletes the entry. true when no entry is left (also when there was none).
bool RemoveAutostartEntry();

}  // namespace kalendo
