// What every fuzz target shares: the recording platform (so that a fatal
// error throws FatalExit instead of ending the fuzzer), the shipped
// definition files loaded into a month record, and resets that make each
// input start from the same state as the one before it.
//
// A target reports a broken property with FuzzCheck, which aborts: libFuzzer
// keeps the input as a crash like any sanitizer report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/month_record.h"
#include "platform/recording_platform.h"

namespace kalendo::fuzz {

// The recording platform, installed for the life of the process. Its
// message list is emptied by StartInput.
RecordingPlatform& Platform();

// To be called first for every input: forgets the messages of the input
// before, so that a long run does not grow.
void StartInput();

// A fresh record (never on the stack: it is about 7 MB).
std::unique_ptr<MonthRecord> EmptyRecord();

// A record holding the five shipped definition files (CP932, as they lie
// beside the executables), computed for (y, m, d); today is 2024-06-15.
std::unique_ptr<MonthRecord> ShippedRecord(int y, int m, int d);

// The input as bytes.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input as the document hands a definition file to its reader
// (ToDefinitionText: a UTF-8 file converted to CP932); nullopt when the
// document refuses it (a character CP932 cannot hold). Checks that only a
// UTF-8 file is refused, and that what one becomes is CP932 characters
// throughout.
std::optional<std::string> DefinitionText(const std::uint8_t* data, std::size_t size);

// Returns slots [0, used) of a table to their initial contents, as a
// freshly started program has them, so that a field a line leaves unread
// keeps the same value for every run of an input.
void ResetEntries(DefinitionEntry* table, int used);
void ResetSchedules(CSchedule* table, int used);
void ResetEras(MonthRecord& rec, int used);

// Aborts with the message when ok is false.
void FuzzCheck(bool ok, const char* what);

}  // namespace kalendo::fuzz
