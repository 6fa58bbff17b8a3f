// Which astronomy the almanac is computed from. Standard is the shipped
// almanac with its own truncated series; Precise takes the longitudes from a
// modern ephemeris with ΔT applied. The tables of a year differ between the
// two, so anything that keeps them must keep the mode beside the year, and a
// month record remembers the mode it was computed in.
#pragma once

namespace kalendo {

enum class AlmanacMode { Standard, Precise };

}  // namespace kalendo
