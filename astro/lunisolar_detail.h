// The new-moon minute search behind MoonAge, open to the tests that compare
// it with the plain minute-by-minute scan.
#pragma once

namespace kalendo {

// The layout of the solar-term table: entry 0 is the sun at 285 deg in
// January of Y - 1 (小寒), and each entry is 15 deg on, whichever almanac
// mode places the terms on days.
inline constexpr double kFirstTermDeg = 285.0;
inline constexpr double kTermStepDeg = 15.0;

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
