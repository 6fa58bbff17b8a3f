// Whole-file reading and crash-safe replacement. Paths are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalendo {

// The file's bytes; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file with `bytes`: written to a new file beside it, flushed
// to disk, then renamed over it, so a crash or a full disk leaves either the
// old or the new file, never a mix. false (old file intact) on failure.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace kalendo
