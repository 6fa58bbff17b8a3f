#include "platform/text_codec.h"

#include <iconv.h>
#include <unicode/unorm2.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>

#include "platform/platform.h"

namespace kalendo {
namespace {

const iconv_t kNotOpen = reinterpret_cast<iconv_t>(-1);

// One direction of the converter. iconv's handles carry a conversion
// state, which every conversion resets; the program has one thread.
struct Direction {
    const char* to;
    const char* from;
    iconv_t cd = kNotOpen;
};

Direction g_toUtf8{"UTF-8", "CP932"};
Direction g_toCp932{"CP932", "UTF-8"};

// Empty when open; else the line OpenTextCodec returns.
std::string Open(Direction& d) {
    if (d.cd != kNotOpen) return "";
    d.cd = iconv_open(d.to, d.from);
    if (d.cd != kNotOpen) return "";
    const int error = errno;
    std::string line = "the iconv converter from \"";
    line += d.from;
    line += "\" to \"";
    line += d.to;
    line += "\" cannot be opened: ";
    // strerror in the C locale is ASCII; the program never sets
    // LC_MESSAGES.
    line += std::strerror(error);
    return line;
}

iconv_t OpenOrExit(Direction& d) {
    if (d.cd == kNotOpen) {
        const std::string error = Open(d);
        if (!error.empty()) {
            std::fflush(stdout);
            std::fprintf(stderr, "%s\n", error.c_str());
            std::_Exit(kFatalExitStatus);
        }
    }
    return d.cd;
}

// Bytes of the UTF-8 sequence that starts at s (1 for a stray byte), so an
// unencodable character is replaced once, not once per byte.
size_t Utf8SequenceLength(const char* s, size_t left) {
    const unsigned char c = static_cast<unsigned char>(s[0]);
    size_t n = c >= 0xF0 && c <= 0xF7 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (n > left) return 1;
    for (size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
    }
    return n;
}

// Appends the conversion of `in` to `out`. Where a character cannot be
// converted (EILSEQ, or EINVAL: a sequence cut by the end) onFailure is
// called with its offset in `in` and `out` as far as it is written; it may
// append to `out` and returns how many bytes of `in` to skip (at least 1),
// or 0 to stop the conversion there.
template <typename OnFailure>
void Convert(Direction& d, std::string_view in, std::string& out, OnFailure onFailure) {
    const iconv_t cd = OpenOrExit(d);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::size_t used = out.size();
    // CP932 to UTF-8 grows a character at most threefold (a half-width
    // katakana byte, or a replaced byte); the other way it never grows.
    out.resize(used + in.size() * 3 + 8);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = out.data() + used;
        size_t dstLeft = out.size() - used;
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        const int error = errno;
        used = static_cast<std::size_t>(dst - out.data());
        if (r != static_cast<size_t>(-1)) break;
        if (error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        out.resize(used);
        const size_t skip = std::min(onFailure(static_cast<std::size_t>(src - in.data()), out),
                                     srcLeft);
        used = out.size();
        out.resize(used + srcLeft * 3 + 8);
        if (skip == 0) break;
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    // The end of a stateful encoding's text; nothing for these two.
    char* dst = out.data() + used;
    size_t dstLeft = out.size() - used;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.resize(static_cast<std::size_t>(dst - out.data()));
}

// Code page 932 has no state: a text converts as its characters do one by
// one. So each character is converted by iconv once, the first time it is
// seen, and kept; texts are then put together from the kept conversions,
// which spares the converter's call for every text the almanac shows. A
// character iconv does not convert on its own (a stray lead byte, an
// unassigned code) sends its whole text through iconv as before.
struct CharacterUtf8 {
    char bytes[3];
    std::uint8_t length;  // 0: not converted yet
};
constexpr std::uint8_t kNotAlone = 0xFF;
constexpr int kSingleBytes = 0x100;
constexpr int kTrailBytes = 0x100;
constexpr int kLeadBytes = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);
CharacterUtf8 g_characterUtf8[kSingleBytes + kLeadBytes * kTrailBytes];

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The character of one or two bytes at s.
const CharacterUtf8& ConvertedCharacter(iconv_t cd, const char* s, std::size_t bytes) {
    const auto lead = static_cast<unsigned char>(s[0]);
    int index = lead;
    if (bytes == 2) {
        const int row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
        index = kSingleBytes + row * kTrailBytes + static_cast<unsigned char>(s[1]);
    }
    CharacterUtf8& c = g_characterUtf8[index];
    if (c.length != 0) return c;
    char out[8];
    char* src = const_cast<char*>(s);
    size_t srcLeft = bytes;
    char* dst = out;
    size_t dstLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    const auto produced = static_cast<std::size_t>(dst - out);
    if (r == static_cast<size_t>(-1) || srcLeft != 0 || produced == 0 || produced > sizeof c.bytes) {
        c.length = kNotAlone;
    } else {
        std::memcpy(c.bytes, out, produced);
        c.length = static_cast<std::uint8_t>(produced);
    }
    return c;
}

// The normaliser whose composition data ComposeCombiningSequences uses.
// ICU builds the NFC data into its library, so it cannot be missing; if it
// were, no text could be stored safely, and the process ends as it does
// without the converter.
const UNormalizer2* Nfc() {
    static const UNormalizer2* const nfc = [] {
        UErrorCode error = U_ZERO_ERROR;
        const UNormalizer2* n = unorm2_getNFCInstance(&error);
        if (U_FAILURE(error) || n == nullptr) {
            std::fflush(stdout);
            std::fprintf(stderr, "the ICU normaliser cannot be loaded: %s\n", u_errorName(error));
            std::_Exit(kFatalExitStatus);
        }
        return n;
    }();
    return nfc;
}

// No character below U+0300 joins the one before it under canonical
// composition: the combining marks begin there. Texts below it (ASCII,
// Latin-1) never ask ICU.
constexpr UChar32 kFirstCombining = 0x300;

// A character that canonical composition may join to the starter before it.
bool MayJoinBackwards(UChar32 c) {
    return c >= kFirstCombining && !unorm2_hasBoundaryBefore(Nfc(), c);
}

// One piece of a decoded text: a code point, or (codePoint < 0) bytes that
// are no UTF-8, kept as they are.
struct Piece {
    UChar32 codePoint;
    std::string_view bytes;  // only for codePoint < 0
};

std::vector<Piece> Decode(std::string_view utf8) {
    std::vector<Piece> pieces;
    pieces.reserve(utf8.size());
    const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    std::int32_t i = 0;
    while (i < length) {
        const std::int32_t begin = i;
        UChar32 c = 0;
        U8_NEXT(s, i, length, c);
        pieces.push_back({c < 0 ? kNotUtf8 : c,
                          c < 0 ? utf8.substr(static_cast<std::size_t>(begin),
                                              static_cast<std::size_t>(i - begin))
                                : std::string_view()});
    }
    return pieces;
}

// The canonical composition algorithm over the pieces, without the
// decomposition and reordering that precede it in NFC. Invariant: `starter`
// is the index in `out` of the last piece a later one may join (a code point
// of combining class 0), or npos; `blockingClass` is the highest combining
// class of the pieces kept since it (-1 for none): a mark of a class not
// above it is blocked from the starter.
std::vector<Piece> Compose(const std::vector<Piece>& pieces) {
    constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::vector<Piece> out;
    out.reserve(pieces.size());
    std::size_t starter = npos;
    int blockingClass = -1;
    for (const Piece& p : pieces) {
        if (p.codePoint < 0) {
            out.push_back(p);
            starter = npos;
            continue;
        }
        if (!MayJoinBackwards(p.codePoint)) {
            out.push_back(p);
            starter = out.size() - 1;
            blockingClass = -1;
            continue;
        }
        const int combiningClass = unorm2_getCombiningClass(Nfc(), p.codePoint);
        if (starter != npos && blockingClass < combiningClass) {
            const UChar32 joined = unorm2_composePair(Nfc(), out[starter].codePoint, p.codePoint);
            if (joined >= 0) {
                out[starter].codePoint = joined;
                continue;
            }
        }
        out.push_back(p);
        if (combiningClass == 0) {
            starter = out.size() - 1;  // a Hangul vowel, say, that joined nothing
            blockingClass = -1;
        } else {
            blockingClass = std::max(blockingClass, combiningClass);
        }
    }
    return out;
}

void AppendPiece(std::string& out, const Piece& p) {
    if (p.codePoint < 0) {
        out.append(p.bytes);
        return;
    }
    // Every code point here was decoded or composed: a scalar value.
    std::uint8_t buf[U8_MAX_LENGTH];
    std::int32_t n = 0;
    U8_APPEND_UNSAFE(buf, n, p.codePoint);
    out.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Whether anything in the text may join the character before it.
bool HasJoiningPiece(const std::vector<Piece>& pieces) {
    return std::any_of(pieces.begin(), pieces.end(), [](const Piece& p) {
        return p.codePoint >= 0 && MayJoinBackwards(p.codePoint);
    });
}

}  // namespace

std::string OpenTextCodec() {
    std::string error = Open(g_toUtf8);
    if (error.empty()) error = Open(g_toCp932);
    return error;
}

void AppendUtf8FromCp932(std::string& out, std::string_view cp932) {
    const iconv_t cd = OpenOrExit(g_toUtf8);
    const std::size_t start = out.size();
    // A character grows at most threefold (a half-width katakana byte).
    out.resize(start + cp932.size() * 3);
    char* to = out.data() + start;
    for (std::size_t i = 0; i < cp932.size();) {
        // Below 0x80 code page 932 is ASCII, byte for byte, and so is UTF-8.
        if (static_cast<unsigned char>(cp932[i]) < 0x80) {
            *to++ = cp932[i++];
            continue;
        }
        const std::size_t bytes =
            IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
        const CharacterUtf8& c = ConvertedCharacter(cd, cp932.data() + i, bytes);
        if (c.length == kNotAlone) {
            out.resize(start);
            Convert(g_toUtf8, cp932, out, [](std::size_t, std::string& o) {
                o += "\xEF\xBF\xBD";
                return std::size_t{1};
            });
            return;
        }
        std::memcpy(to, c.bytes, c.length);
        to += c.length;
        i += bytes;
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
}

std::string Utf8FromCp932(std::string_view cp932) {
    std::string out;
    AppendUtf8FromCp932(out, cp932);
    return out;
}

std::string Cp932FromUtf8(std::string_view utf8) {
    std::string out;
    Convert(g_toCp932, utf8, out, [utf8](std::size_t at, std::string& o) {
        o += '?';
        return Utf8SequenceLength(utf8.data() + at, utf8.size() - at);
    });
    return out;
}

std::optional<std::string> Utf8FromCp932Exact(std::string_view cp932) {
    std::string out;
    bool whole = true;
    Convert(g_toUtf8, cp932, out, [&whole](std::size_t, std::string&) {
        whole = false;
        return std::size_t{0};
    });
    if (!whole) return std::nullopt;
    return out;
}

bool IsUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const auto length = static_cast<std::int32_t>(bytes.size());
    std::int32_t i = 0;
    while (i < length) {
        UChar32 c = 0;
        U8_NEXT(s, i, length, c);
        if (c < 0) return false;
    }
    return true;
}

std::string ComposeCombiningSequences(std::string_view utf8) {
    const std::vector<Piece> pieces = Decode(utf8);
    if (!HasJoiningPiece(pieces)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    for (const Piece& p : Compose(pieces)) AppendPiece(out, p);
    return out;
}

ExactCp932 Cp932FromUtf8Exact(std::string_view utf8) {
    ExactCp932 result;
    // ASCII is code page 932 byte for byte (iconv's table keeps 0x5C and
    // 0x7E), and nothing in it composes.
    if (IsAscii(utf8)) {
        OpenOrExit(g_toCp932);
        result.cp932 = utf8;
        return result;
    }
    std::vector<Piece> pieces = Decode(utf8);
    if (HasJoiningPiece(pieces)) pieces = Compose(pieces);
    // The composed text, and where each piece of it begins.
    std::string composed;
    composed.reserve(utf8.size());
    std::vector<std::size_t> starts;
    starts.reserve(pieces.size() + 1);
    for (const Piece& p : pieces) {
        starts.push_back(composed.size());
        AppendPiece(composed, p);
    }
    starts.push_back(composed.size());
    std::vector<std::size_t> unheldPieces;
    Convert(g_toCp932, composed, result.cp932, [&](std::size_t at, std::string&) {
        // The piece the converter stopped in; iconv stops at its first byte.
        const auto next = std::upper_bound(starts.begin(), starts.end(), at);
        const std::size_t index = static_cast<std::size_t>(next - starts.begin()) - 1;
        unheldPieces.push_back(index);
        return starts[index + 1] - at;
    });
    // Lines and columns, counted only when something is listed.
    std::size_t u = 0;
    int line = 1, column = 1;
    for (std::size_t i = 0; i < pieces.size() && u < unheldPieces.size(); ++i) {
        const UChar32 c = pieces[i].codePoint;
        if (i == unheldPieces[u]) {
            result.unheld.push_back({composed.substr(starts[i], starts[i + 1] - starts[i]),
                                     c < 0 ? kNotUtf8 : c, line, column});
            ++u;
        }
        // CR LF is one line end, counted at its LF.
        const bool crBeforeLf = c == '\r' && i + 1 < pieces.size() && pieces[i + 1].codePoint == '\n';
        if (crBeforeLf) continue;
        if (c == '\n' || c == '\r') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return result;
}

std::string UnheldCharacterCode(const UnheldCharacter& u) {
    char buf[16];
    if (u.codePoint != kNotUtf8) {
        std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(u.codePoint));
        return buf;
    }
    std::string bytes;
    for (const char c : u.utf8) {
        std::snprintf(buf, sizeof buf, bytes.empty() ? "0x%02X" : " 0x%02X",
                      static_cast<unsigned>(static_cast<unsigned char>(c)));
        bytes += buf;
    }
    return bytes;
}

}  // namespace kalendo
