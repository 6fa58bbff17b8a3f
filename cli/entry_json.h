// The objects kalendo2-cli writes for the entries of the record's tables
// (holidays, generated holidays, notes, user entries, schedules): one
// field table per kind of object, read by one writer, so that the day and
// the year objects cannot drift apart.
#pragma once

#include <span>
#include <type_traits>

#include "cli/json_writer.h"
#include "core/month_record.h"

namespace kalendo {

// One key of an entry object and where its value lives: an integer member
// of the entry, a CP932 text member, a member of the date the entry got for
// the year (the record's, not the file's), or, with none, the entry's index
// in its table.
template <class Entry>
struct EntryField {
    const char* key;
    int Entry::*number = nullptr;
    char (Entry::*text)[kTextBytes] = nullptr;
    int EvaluatedDate::*evaluated = nullptr;
};

inline constexpr EntryField<DefinitionEntry> Evaluated(const char* key, int EvaluatedDate::*member) {
    return {key, nullptr, nullptr, member};
}

// {"index","name"}: an entry as the day object lists it.
template <class Entry>
inline constexpr EntryField<Entry> kIndexAndNameFields[] = {
    {"index"}, {"name", nullptr, &Entry::name}};

// The year object's tables, keys in their printed order.
inline constexpr EntryField<DefinitionEntry> kHolidayFields[] = {
    {"index"},
    {"name", nullptr, &DefinitionEntry::name},
    {"fromYear", &DefinitionEntry::fromYear},
    {"toYear", &DefinitionEntry::toYear},
    {"expression", nullptr, &DefinitionEntry::expression},
    Evaluated("month", &EvaluatedDate::month),
    Evaluated("day", &EvaluatedDate::day)};
inline constexpr EntryField<DefinitionEntry> kNoteFields[] = {
    {"index"},
    {"name", nullptr, &DefinitionEntry::name},
    {"expression", nullptr, &DefinitionEntry::expression},
    Evaluated("year", &EvaluatedDate::year),
    Evaluated("month", &EvaluatedDate::month),
    Evaluated("day", &EvaluatedDate::day),
    Evaluated("oldCalendar", &EvaluatedDate::oldCalendar),
    Evaluated("leapFlag", &EvaluatedDate::leapFlag)};
inline constexpr EntryField<DefinitionEntry> kUserEntryFields[] = {
    {"index"},
    {"name", nullptr, &DefinitionEntry::name},
    {"fromYear", &DefinitionEntry::fromYear},
    {"expression", nullptr, &DefinitionEntry::expression},
    {"displayPeriod", &DefinitionEntry::displayPeriod},
    Evaluated("year", &EvaluatedDate::year),
    Evaluated("month", &EvaluatedDate::month),
    Evaluated("day", &EvaluatedDate::day)};
inline constexpr EntryField<CSchedule> kScheduleFields[] = {
    {"index"},
    {"name", nullptr, &CSchedule::name},
    {"year", &CSchedule::year},
    {"month", &CSchedule::month},
    {"day", &CSchedule::day},
    {"displayPeriod", &CSchedule::displayPeriod},
    {"text", nullptr, &CSchedule::text}};

// The object of entry `index` of a table, with the fields in table order;
// `date` is the entry's evaluated date, for the fields that name one.
template <class Entry>
void WriteEntryObject(JsonWriter& w, std::type_identity_t<std::span<const EntryField<Entry>>> fields,
                      const Entry& e, int index, const EvaluatedDate* date = nullptr) {
    w.BeginObject();
    for (const EntryField<Entry>& f : fields) {
        w.Key(f.key);
        if (f.number != nullptr) {
            w.Int(e.*f.number);
        } else if (f.text != nullptr) {
            w.Cp932(e.*f.text);
        } else if (f.evaluated != nullptr) {
            w.Int(date->*f.evaluated);
        } else {
            w.Int(index);
        }
    }
    w.EndObject();
}

}  // namespace kalendo
