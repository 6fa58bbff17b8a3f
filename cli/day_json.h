// The JSON object of one day of the month record (kalendo2-cli day). Keys
// come in groups, each written by one function in the object's order; a
// later group is appended after the last one.
#pragma once

#include "almanac/rekichu.h"
#include "astro/places.h"
#include "cli/json_writer.h"
#include "core/month_record.h"
#include "month/read_day.h"
#include "ui/model/view_state.h"
#include "ui/model/week_start.h"

namespace kalendo {

// The whole object of a day the reader accepted. The panes, lists and grid (with its lunisolar texts) and the
// moon's age are those of the view state the window draws, built by
// `views`, which keeps the grid's texts while the days written one after
// another show the same grid. `options`: the readings of "rekichu" where
// almanacs differ, the weekday the grid's rows begin on, and the place
// (--place) whose "sky" and then eclipse ("eclipse", absent on a day
// without one) follow every other key (sky_json.h, eclipse_json.h).
struct DayObjectOptions {
    RekichuReadings readings;
    WeekStart weekStart = WeekStart::Sunday;
    const NamedPlace* place = nullptr;
};
// What WriteDayObject asks of a day's reading.
DayQuestions DayObjectQuestions(const DayObjectOptions& options);
// `day` read with DayObjectQuestions; `rec` the record it was read on,
// computed for it (DayReader::LastRead), for the month around the day.
void WriteDayObject(JsonWriter& w, const DayOfAlmanac& day, const MonthRecord& rec, ViewBuilder& views,
                    const DayObjectOptions& options = {});

// {"date":"YYYY-MM-DD","accepted":false} for a date ComputeMonth refused,
// printed as it was given.
void WriteRefusedDayObject(JsonWriter& w, int y, int m, int d);

}  // namespace kalendo
