// Which astronomy the almanac is computed from. Standard is the shipped
// almanac with its own truncated series; Precise takes the longitudes from a
// modern ephemeris with ΔT applied. The tables of a year differ between the
// two, so anything that keeps them must keep the mode beside the year.
#pragma once

namespace kalendo {

enum class AlmanacMode { Standard, Precise };

// The mode the month computation and the day questions use; Standard until
// set. One process-wide value, like the display-mode flag.
inline AlmanacMode& CurrentAlmanacMode() {
    static AlmanacMode mode = AlmanacMode::Standard;
    return mode;
}

}  // namespace kalendo
