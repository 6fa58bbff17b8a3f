// The sky over the chosen place as the screens show it: the place the
// settings name, the detail dialog's lines and the printed footer's words.
// Texts are CP932.
#pragma once

#include <string>

#include "astro/places.h"
#include "astro/sky.h"
#include "ui/model/settings.h"

namespace kalendo {

// The place 「場所」 names: a listed place, or the user's own, named by its
// coordinates as the settings file writes them.
NamedPlace SettingsPlace(const AppSettings& s);

// "H:MM" JST, rounded to the nearest minute (6:50:36 shows 6:51; an event
// in the last half minute of the day shows 24:00).
std::string SkyClockText(double jdUt);

// The times of a kind: "6:51", two joined ("0:09・23:58"), or 「なし」.
std::string SkyTimesText(const SkyEvents& events);

// The detail dialog's lines (CR LF between them): the place, the sun's
// rise, transit with its altitude and set, dawn and dusk, the moon's rise,
// transit and set.
std::string SkyDetailText(const NamedPlace& place, const DaySky& sky);

// The printed page's footer for month y-m: the place's name and the
// sunrise and sunset of the 1st and the 15th:
// "東京 1日 日の出 6:51 日の入 16:39 15日 日の出 6:51 日の入 16:50".
std::string PrintFooterSkyText(const NamedPlace& place, int y, int m);

}  // namespace kalendo
