// A save writes back what nobody edited byte for byte: every entry of the
// file on disk that the table still holds, whatever its encoding, layout,
// comments and line ends; what is added or edited takes the file's ways.
#include "defs/schedule_file_image.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "defs/schedules.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

struct ImageCase {
    std::string file;   // as on disk
    std::string added;  // UTF-8 bytes of the entry a save adds after the others
    const char* why;
};

// Loads as the document does, with today 2024-06-15.
std::unique_ptr<MonthRecord> Loaded(const std::string& file) {
    auto rec = std::make_unique<MonthRecord>();
    rec->year[kToday] = 2024;
    rec->month[kToday] = 6;
    rec->day[kToday] = 15;
    std::string text = file;
    EXPECT_FALSE(ToDefinitionText(text, "Schedule.Def").has_value());
    EXPECT_FALSE(LoadSchedules(*rec, text).has_value());
    return rec;
}

// Saved unchanged, every file is its own bytes; with a schedule added, its
// bytes and then the new entry in the file's encoding and line ends; with
// the first schedule edited, the others keep their bytes.
TEST(ScheduleFileImage, UntouchedEntriesKeepTheirBytes) {
    const std::string utf8Signs = "記号 2024/07/01 1\n{\n〜 − ¢ £ ¬ ‖ —\n二行目\n}\n";
    const ImageCase kCases[] = {
        {";hdr\n" + utf8Signs + "; a comment of the user\n会議 2024/08/01 2\n",
         "追加                2024/09/01\t3\n{\n予定\n}\n",
         "UTF-8 whose signs CP932 maps to others; comments; a last line without its end"},
        {kBom + utf8Signs, "追加                2024/09/01\t3\n{\n予定\n}\n", "with the mark"},
        {"a 2024/07/01 1\r{\rx\ry\r}\r", "追加                2024/09/01\t3\r{\r予定\r}\r",
         "CR only"},
        {";h\r\nb    2024/7/1   1\r\n{\r\nx\r\n}\r\n",
         "追加                2024/09/01\t3\r\n{\r\n予定\r\n}\r\n", "CR LF, a layout of the user's"},
        {Cp932FromUtf8(";h\nc 2024/07/01 1\n{\nｶﾅ 漢字\n}\n"),
         "追加                2024/09/01\t3\n{\n予定\n}\n", "CP932"},
        {"", "追加                2024/09/01\t3\n{\n予定\n}\n", "an empty file gets the header"},
    };
    for (const ImageCase& c : kCases) {
        SCOPED_TRACE(c.why);
        const auto image = ReadScheduleFileImage(c.file);
        ASSERT_TRUE(image.has_value());
        auto rec = Loaded(c.file);
        const bool cp932 = image->encoding == FileEncoding::Cp932;
        const std::string added = cp932 ? Cp932FromUtf8(c.added) : c.added;
        const bool ended = c.file.empty() || c.file.back() == '\n' || c.file.back() == '\r';
        const std::string same = c.file.empty() ? "" : c.file + (ended ? "" : "\n");
        if (!c.file.empty()) {
            EXPECT_EQ(ScheduleFileBytesKeeping(*rec, *image), same);
        }

        CSchedule s{};
        CopyText(s.name, Cp932FromUtf8("追加").c_str());
        CopyText(s.text, Cp932FromUtf8("予定").c_str());
        s.year = 2024, s.month = 9, s.day = 1, s.displayPeriod = 3;
        ASSERT_TRUE(AddSchedule(*rec, s));
        const auto saved = ScheduleFileBytesKeeping(*rec, *image);
        ASSERT_TRUE(saved.has_value());
        ASSERT_TRUE(saved->ends_with(added)) << *saved;
        if (!c.file.empty()) {
            EXPECT_EQ(saved->substr(0, same.size()), same);
        }

        // The first entry edited: the bytes of every other one stay.
        if (rec->scheduleCount > 2) {
            CopyText(rec->tables.schedules[0].text, "edited");
            const auto edited = ScheduleFileBytesKeeping(*rec, *image);
            ASSERT_TRUE(edited.has_value());
            EXPECT_NE(edited->find(image->entries[1].bytes), std::string::npos);
            EXPECT_EQ(edited->find(image->entries[0].bytes), std::string::npos);
        }
    }
}

// A file the document refuses has no image (the save then writes the table).
TEST(ScheduleFileImage, RefusedFilesHaveNone) {
    for (const std::string& file : {std::string("a 2024/07/01 1\n\0", 16),
                                   "a 2024/07/01 1\n{\n" + std::string(1100, 'x') + "\n}\n"}) {
        EXPECT_FALSE(ReadScheduleFileImage(file).has_value());
    }
}

}  // namespace
}  // namespace kalendo
