// Why a file could not be read or written, in words: the messages of the
// definition files that cannot be read and of the saves that fail name the
// file and the reason, so that the user knows what to change (a folder
// where the file should be, a link that loops, a read-only file, a full
// disk) rather than only that something went wrong.
#pragma once

#include <string>

namespace kalendo {

// Why a file could not be written, in Japanese words for the reasons a
// user can act on (permissions, space, a missing folder), else strerror's
// text as the C library gives it. CP932.
std::string FileErrorReason(int error);

// Why a file could not be read (ReadWholeFile's error): missing, a folder,
// a loop of links, too large, no regular file, no permission, no memory;
// else as FileErrorReason. CP932.
std::string FileReadErrorReason(int error);

// "祝日定義ファイルが開けません（ファイルではなくフォルダーです）: /path/祝日.Def":
// the file's own message (CP932; a period at its end dropped), the reason
// and the path (UTF-8). UTF-8, since the path may hold what CP932 cannot.
std::string UnreadableFileMessage(const char* messageCp932, const std::string& pathUtf8, int error);

// A failed save's message (formatCp932 takes the reason and the path:
// kScheduleWriteErrorFormat, kSettingsWriteErrorFormat). UTF-8.
std::string WriteErrorMessage(const char* formatCp932, const std::string& pathUtf8, int error);

}  // namespace kalendo
