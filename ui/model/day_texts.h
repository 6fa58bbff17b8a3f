// The texts that describe the selected (target) day: the six information
// panes of the month view, the officer and mansion explanations opened by a
// double-click on their panes, the frame title (today, not the selected
// day) and the two texts of the detail dialog (詳細な暦情報). All of them
// are code page 932 and come from the month record as the last
// ComputeMonth left it; nothing here computes a calendar of its own.
//
// Precondition of every function but FrameTitle: the record describes a
// target date (a ComputeMonth has been accepted).
#pragma once

#include <string>

#include "core/month_record.h"

namespace kalendo {

// "%4d/%s%2d年%2d月%2d日": year, era name, era year, month, day.
std::string DatePaneText(const MonthRecord& rec);

// " 旧歴 %2d月%2d日 %s" (" 旧歴 閏%2d月%2d日 %s" in a leap month, with the
// positive month number) and the rokuyo name.
std::string OldCalendarPaneText(const MonthRecord& rec);

// "%s%sの年 %s": the stem and branch of the Gregorian year and the
// traditional name of the Gregorian month ("甲子の年 睦月" for January 1984).
std::string YearSignPaneText(const MonthRecord& rec);

// " 月齢:" and the moon's age at noon with one decimal, then "[新月]",
// "[上弦]", "[満月]" or "[下弦]" on the day of a principal phase. Computes
// the age (MoonAgeAtNoon); the record is not written.
std::string MoonPaneText(const MonthRecord& rec);
// The same for an age already computed for the target date.
std::string MoonPaneText(const MonthRecord& rec, double ageDays);

// A pane whose double-click opens the memo dialog "詳細" with its detail
// title and text (an empty detail title opens nothing).
struct DetailPane {
    std::string text;
    std::string detailTitle;
    std::string detailText;
    friend bool operator==(const DetailPane&, const DetailPane&) = default;
};

// The day officer (十二直): its name; "十二直：name（reading）"; its
// description. A day without an officer (-1) gets empty strings in every
// place (the title then reads "十二直：（）").
DetailPane OfficerPane(const MonthRecord& rec);

// The lunar mansion (二十八宿): its name; "二十八宿：name（reading）"; its
// description.
DetailPane MansionPane(const MonthRecord& rec);

// "KalendoⅡ [ %4d/%2d/%2d(%s) ]" with today's date and weekday name.
std::string FrameTitle(const MonthRecord& rec);

// The detail dialog's two texts, each at most 1023 bytes: built piece by
// piece (a line, or the moon line with its phase mark), and a piece that
// does not fit whole ends the text there.
struct DetailTexts {
    // Date with era, month name, old-calendar date, rokuyo, officer,
    // mansion, the signs of year, month and day, the moon's age with its
    // phase mark, and the sun's longitude at 0 h ("太陽黄径 : %3.1f"), CR LF
    // between lines; in the precise almanac a last line says so. Computes the moon's age like MoonPaneText.
    std::string almanac;
    // The holiday of the target day, then every calendar note on it, each
    // name followed by CR LF.
    std::string events;
};
DetailTexts BuildDetailTexts(const MonthRecord& rec);

}  // namespace kalendo
