// The definition files' common line syntax: the line reader, ';' comments,
// text blocks between a "{" line and a "}" line, and the common reading
// loop that the holiday, calendar-note, user and schedule readers share.
// Files are read at the edge; these functions see their bytes (CP932).
#pragma once

#include <optional>
#include <string_view>

#include "core/load_problem.h"
#include "core/month_record.h"

namespace kalendo {

// A file's bytes as the line reader consumes them, with the number (from
// 1) of the file's line the next byte stands in.
class ByteStream {
public:
    explicit ByteStream(std::string_view bytes) : bytes_(bytes) {}
    int Get() { return pos_ < bytes_.size() ? static_cast<unsigned char>(bytes_[pos_++]) : -1; }
    int Peek() const { return pos_ < bytes_.size() ? static_cast<unsigned char>(bytes_[pos_]) : -1; }
    bool AtEnd() const { return pos_ >= bytes_.size(); }
    int Line() const { return line_; }
    void EndLine() { ++line_; }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// Reads the next line into buffer (NUL-terminated, at most 1023 bytes);
// false at the end of the file. LF, CR LF and a lone CR each end a line (the
// terminator is not kept); after 1023 bytes the rest of the physical line
// is the next line (a terminator right after them ends the line); a last line without terminator is returned. A double-byte
// character that would straddle the 1023rd byte begins the next line (the
// line then holds 1022 bytes), so no line ends in half a character and none
// begins with a trail byte that could read as "{" or "}".
bool ReadDefinitionLine(ByteStream& file, char (&buffer)[kTextBytes]);

// Gives the tables a definitionsStamp of their own, after a holiday or note
// file has been read into them.
void StampDefinitions(SlotTables& tables);

// How a file's text blocks are read.
enum class TextBlockMode {
    None,       // no text blocks: a "{" line is an entry line (祝日.Def)
    FirstWord,  // each block line reduced to its first word; a line beginning
                // with "}" closes the block (暦日.Def, Usr.Def)
    WholeLines, // each block line kept whole; only a line that is exactly "}"
                // closes the block (Schedule.Def: notes survive byte for byte).
                // The file is written back, so nothing of it may be cut: a
                // line over 1023 bytes (kLineTooLongFormat) and a text over
                // 1023 bytes (kTextTooLongFormat) are problems.
};

// What the common loop fills: one table of one file.
class DefinitionSink {
public:
    virtual ~DefinitionSink() = default;
    virtual int Capacity() const = 0;
    // Parses an entry line (already cut at ';', not blank) into slot index.
    virtual void ParseEntry(int index, const char* line) = 0;
    // Stores a text block (lines joined with CR LF, at most 1023 bytes, cut
    // at a character boundary) for slot index, the entry read last.
    virtual void StoreText(int index, const char* text) = 0;
};

// The common reading loop. Returns the number of entry lines in `count`.
// A UTF-8 byte-order mark at the start of the file is skipped; every other
// byte is read as CP932, whatever it is (the document hands over a UTF-8
// file already converted to CP932: defs/file_encoding.h).
// In WholeLines mode a line or a text the record cannot hold whole is a
// problem (above); in the other modes a long line is split and a long text
// cut, as the files have always been read.
// More entry lines than the sink's capacity is the problem "定義ファイル %s
// の定義数が上限 %d 件を超えています" with fileNameCp932 and the capacity.
std::optional<LoadProblem> ReadDefinitionFile(std::string_view bytes, TextBlockMode mode,
                                              const char* fileNameCp932, DefinitionSink& sink,
                                              int& count);

}  // namespace kalendo
