// The new-moon minute search behind MoonAge, open to the tests that compare
// it with the plain minute-by-minute scan.
#pragma once

namespace kalendo {

// A clock time in JST; the hour may pass 23 when the search runs on past
// the end of the day.
struct ClockMinute {
    int hour;
    int minute;
};

// The new moon within the JST day (y, m, d): the first minute from 0 h 0 min
// at which SunLongitude - MoonLongitude (second 0, no reduction) lies in
// [-0.1, 0.1] degrees, as a scan minute by minute would find it. The day
// must be a new-moon day of the new-moon table.
ClockMinute NewMoonMinute(int y, int m, int d);

// Forgets the new-moon minutes MoonAge remembers (see longitude_memo.h).
void ForgetNewMoonMinutes();

}  // namespace kalendo
