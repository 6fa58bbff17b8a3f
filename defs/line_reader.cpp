// The definition files' line reader and common reading loop.
#include "defs/line_reader.h"

#include <cstdio>
#include <cstring>

#include "core/cp932.h"
#include "defs/defs_texts.h"

namespace kalendo {
namespace {

constexpr int kMaxLineBytes = kTextBytes - 1;  // 1023 bytes + NUL

// The white space that scanf's "%s" and " " skip in the C locale.
bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsBlankLine(const char* line) {
    for (const char* p = line; *p != '\0'; ++p) {
        if (!IsBlank(static_cast<unsigned char>(*p))) return false;
    }
    return true;
}

// The length of the longest prefix of s[0, len) that ends at a character
// boundary, walking characters from the start.
std::size_t WholeCharacters(const char* s, std::size_t len) {
    std::size_t i = 0;
    while (i < len) {
        const std::size_t width = IsCp932LeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
        if (i + width > len) break;
        i += width;
    }
    return i;
}

// The text of one block, built in place: pieces are appended until the
// first one that does not fit, which is cut at a character boundary; after
// that the text is full and later pieces are dropped, so a cut text is
// always a prefix of the uncut one. A line of invalid CP932 may end in a
// lone lead byte: a full text never keeps such a half character.
class BlockText {
public:
    void Append(const char* bytes, std::size_t len) {
        if (full_) return;
        const std::size_t room = kMaxLineBytes - length_;
        const std::size_t n = Cp932FitLength(bytes, len, room);
        std::memcpy(text_ + length_, bytes, n);
        length_ += n;
        if (n < len) {
            full_ = true;
            length_ = WholeCharacters(text_, length_);
        }
        text_[length_] = '\0';
    }
    const char* Text() const { return text_; }
    bool Full() const { return full_; }

private:
    char text_[kTextBytes] = {};
    std::size_t length_ = 0;
    bool full_ = false;
};

// The first word of a block line, as " %s" reads it: the first run of
// non-white bytes after any white space. A line that holds no word is kept
// unchanged.
void FirstWord(const char* line, const char*& begin, std::size_t& len) {
    const char* p = line;
    while (*p != '\0' && IsBlank(static_cast<unsigned char>(*p))) ++p;
    if (*p == '\0') {
        begin = line;
        len = std::strlen(line);
        return;
    }
    const char* q = p;
    while (*q != '\0' && !IsBlank(static_cast<unsigned char>(*q))) ++q;
    begin = p;
    len = static_cast<std::size_t>(q - p);
}

bool ClosesBlock(const char* line, TextBlockMode mode) {
    if (mode == TextBlockMode::WholeLines) return std::strcmp(line, "}") == 0;
    return line[0] == '}';
}

// Reads the lines after a "{" line up to the closing line (or the end of the
// file, keeping what was read) into text. Lines are joined with CR LF.
// Returns the number of the first line the reader had to split, else 0.
int ReadTextBlock(ByteStream& file, TextBlockMode mode, char (&line)[kTextBytes],
                  BlockText& text) {
    bool first = true;
    int split = 0;
    for (;;) {
        const int lineNumber = file.Line();
        if (!ReadDefinitionLine(file, line)) return split;
        if (split == 0 && file.Line() == lineNumber && !file.AtEnd()) split = lineNumber;
        if (ClosesBlock(line, mode)) return split;
        if (!first) text.Append("\r\n", 2);
        first = false;
        if (mode == TextBlockMode::WholeLines) {
            text.Append(line, std::strlen(line));
        } else {
            const char* word = nullptr;
            std::size_t len = 0;
            FirstWord(line, word, len);
            text.Append(word, len);
        }
    }
}

LoadProblem Problem(const char* format, const char* fileNameCp932, int line, int limit) {
    char message[kTextBytes];
    std::snprintf(message, sizeof message, format, fileNameCp932, line, limit);
    return LoadProblem{message};
}

}  // namespace

bool ReadDefinitionLine(ByteStream& file, char (&buffer)[kTextBytes]) {
    if (file.AtEnd()) return false;
    int length = 0;
    bool trailNext = false;  // the byte before began a double-byte character
    while (length < kMaxLineBytes) {
        const int c = file.Peek();
        if (c < 0) break;
        // A character whose trail byte would not fit is left for the next line.
        const bool lead = !trailNext && IsCp932LeadByte(static_cast<unsigned char>(c));
        if (lead && length == kMaxLineBytes - 1) break;
        file.Get();
        if (c == '\n') {
            file.EndLine();
            break;
        }
        if (c == '\r') {
            file.EndLine();
            // CR LF, or a lone CR (the old Macintosh line end): swallowing
            // whatever byte follows a CR would eat the first byte of every
            // line of a CR-only file.
            if (file.Peek() == '\n') file.Get();
            break;
        }
        buffer[length++] = static_cast<char>(c);
        trailNext = lead;
    }
    // A full line whose terminator comes next ends there: its terminator
    // is no empty line of its own.
    if (length == kMaxLineBytes && (file.Peek() == '\n' || file.Peek() == '\r')) {
        if (file.Get() == '\r' && file.Peek() == '\n') file.Get();
        file.EndLine();
    }
    buffer[length] = '\0';
    return true;
}

std::optional<LoadProblem> ReadDefinitionFile(std::string_view bytes, TextBlockMode mode,
                                              const char* fileNameCp932, DefinitionSink& sink,
                                              int& count) {
    ByteStream file(WithoutUtf8ByteOrderMark(bytes));
    char line[kTextBytes];
    char entryName[kTextBytes] = {};  // the first word of the last entry line
    count = 0;
    const bool whole = mode == TextBlockMode::WholeLines;
    for (;;) {
        const int lineNumber = file.Line();
        if (!ReadDefinitionLine(file, line)) break;
        // A line the reader had to split: no terminator consumed, bytes left.
        if (whole && file.Line() == lineNumber && !file.AtEnd()) {
            return Problem(kLineTooLongFormat, fileNameCp932, lineNumber, kMaxLineBytes);
        }
        if (char* semicolon = std::strchr(line, ';')) *semicolon = '\0';
        if (IsBlankLine(line)) continue;
        if (mode != TextBlockMode::None && line[0] == '{') {
            BlockText text;
            const int blockEnd = ReadTextBlock(file, mode, line, text);
            if (whole && blockEnd != 0) {
                return Problem(kLineTooLongFormat, fileNameCp932, blockEnd, kMaxLineBytes);
            }
            if (whole && text.Full()) {
                char message[kTextBytes * 2];
                std::snprintf(message, sizeof message, kTextTooLongFormat, fileNameCp932,
                              lineNumber, entryName, kMaxLineBytes);
                return LoadProblem{message};
            }
            // A block before the first entry has no entry to belong to.
            if (count > 0) sink.StoreText(count - 1, text.Text());
            continue;
        }
        if (count >= sink.Capacity()) {
            char message[kTextBytes];
            std::snprintf(message, sizeof message, kTooManyDefinitionsFormat, fileNameCp932,
                          sink.Capacity());
            return LoadProblem{message};
        }
        std::sscanf(line, "%1023s", entryName);
        sink.ParseEntry(count, line);
        ++count;
    }
    return std::nullopt;
}

void StampDefinitions(SlotTables& tables) {
    static unsigned long long lastStamp = 0;
    tables.definitionsStamp = ++lastStamp;
}

}  // namespace kalendo
