#include "defs/schedule_file_image.h"

#include <memory>

#include "defs/schedules.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

// One physical line: [begin, textEnd) its text, [textEnd, end) its line end.
struct RawLine {
    std::size_t begin, textEnd, end;
};

// Lines end at LF, CR LF or a lone CR, as the line reader's do.
std::vector<RawLine> SplitLines(std::string_view bytes, std::size_t from) {
    std::vector<RawLine> lines;
    std::size_t begin = from;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        const std::size_t textEnd = i;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        lines.push_back({begin, textEnd, i + 1});
        begin = i + 1;
    }
    if (begin < bytes.size()) lines.push_back({begin, bytes.size(), bytes.size()});
    return lines;
}

// What the reading loop sees of a line: blank once cut at ';' (the
// structure bytes ';', '{', '}' and white space are ASCII, which neither
// a CP932 lead byte nor any byte of a UTF-8 sequence can be mistaken for
// at the start of a line or before a ';').
bool BlankBeforeComment(std::string_view text) {
    for (const char c : text) {
        if (c == ';') return true;
        if (c != ' ' && c != '\t' && c != '\v' && c != '\f') return false;
    }
    return true;
}

}  // namespace

std::optional<ScheduleFileImage> ReadScheduleFileImage(std::string_view fileBytes) {
    std::string text(fileBytes);
    if (ToDefinitionText(text, "Schedule.Def")) return std::nullopt;
    auto rec = std::make_unique<MonthRecord>();
    if (LoadSchedules(*rec, text)) return std::nullopt;

    ScheduleFileImage image;
    image.encoding = DefinitionFileEncoding(fileBytes);
    const std::size_t start =
        image.encoding == FileEncoding::Utf8WithByteOrderMark ? kUtf8ByteOrderMark.size() : 0;
    const std::vector<RawLine> lines = SplitLines(fileBytes, start);
    const auto lineEndOf = [&](const RawLine& l) {
        return std::string(fileBytes.substr(l.textEnd, l.end - l.textEnd));
    };
    bool lineEndSeen = false;
    bool noteLineEndSeen = false;
    // The same walk as the reading loop (TextBlockMode::WholeLines): entry
    // lines begin entries; blank and comment lines and note blocks belong to
    // the entry before them (or the preamble).
    std::size_t entryBegin = 0;  // where the current entry's bytes begin (0: preamble)
    int entries = 0;
    const auto close = [&](std::size_t at) {
        if (entries == 0) {
            image.preamble = std::string(fileBytes.substr(0, at));
        } else {
            image.entries.back().bytes = std::string(fileBytes.substr(entryBegin, at - entryBegin));
        }
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const RawLine& l = lines[i];
        const std::string_view t = fileBytes.substr(l.begin, l.textEnd - l.begin);
        if (!lineEndSeen && l.end > l.textEnd) {
            image.lineEnd = lineEndOf(l);
            lineEndSeen = true;
        }
        if (BlankBeforeComment(t)) continue;
        if (t[0] == '{') {
            // The note: up to a line that is exactly "}" (or the end).
            while (++i < lines.size()) {
                const RawLine& n = lines[i];
                if (fileBytes.substr(n.begin, n.textEnd - n.begin) == "}") break;
                const bool lastOfNote = i + 1 < lines.size() &&
                    fileBytes.substr(lines[i + 1].begin, lines[i + 1].textEnd - lines[i + 1].begin) == "}";
                if (!noteLineEndSeen && !lastOfNote && n.end > n.textEnd) {
                    image.noteLineEnd = lineEndOf(n);
                    noteLineEndSeen = true;
                }
            }
            continue;
        }
        close(l.begin);
        entryBegin = l.begin;
        image.entries.push_back({rec->tables.schedules[entries], ""});
        ++entries;
    }
    close(fileBytes.size());
    if (entries != rec->scheduleCount) return std::nullopt;
    if (!noteLineEndSeen) image.noteLineEnd = image.lineEnd == "\n" ? "\r\n" : image.lineEnd;
    // A last line without its line end gets one, so that what follows it in
    // a save begins a line of its own.
    std::string& last = image.entries.empty() ? image.preamble : image.entries.back().bytes;
    if (!last.empty() && last.back() != '\n' && last.back() != '\r') last += image.lineEnd;
    return image;
}

std::optional<std::string> ScheduleFileBytesKeeping(const MonthRecord& rec,
                                                    const ScheduleFileImage& image) {
    const bool utf8 = image.encoding != FileEncoding::Cp932;
    std::string out;
    if (!image.preamble.empty() || !image.entries.empty()) {
        out = image.preamble;
    } else {
        std::string header;
        for (const char* p = kScheduleFileHeader; *p != '\0'; ++p) {
            *p == '\n' ? header.append(image.lineEnd) : header.append(1, *p);
        }
        std::optional<std::string> bytes = DefinitionFileBytes(header, image.encoding);
        if (!bytes) return std::nullopt;
        out = std::move(*bytes);  // with the byte-order mark the file had
    }
    std::vector<bool> used(image.entries.size(), false);
    for (int i = 0; i < rec.scheduleCount; ++i) {
        const CSchedule& s = rec.tables.schedules[i];
        if (IsScheduleBeforeToday(rec, s)) continue;
        std::size_t k = 0;
        while (k < image.entries.size() && (used[k] || !SameScheduleValues(image.entries[k].values, s))) ++k;
        if (k < image.entries.size()) {
            used[k] = true;
            out += image.entries[k].bytes;
            continue;
        }
        std::string entry;
        AppendScheduleEntry(entry, s, image.lineEnd, image.noteLineEnd);
        if (utf8) {
            const std::optional<std::string> bytes = Utf8FromCp932Exact(entry);
            if (!bytes) return std::nullopt;
            out += *bytes;
        } else {
            out += entry;
        }
    }
    return ReadableAs(std::move(out), image.encoding, image.lineEnd);
}

}  // namespace kalendo
