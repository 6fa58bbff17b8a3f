// Which kinds of events an iCalendar export or feed holds, as the settings
// file, the export dialog and the command line name them: a value of its
// own, below both the settings and the events.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "almanac/rekichu.h"

namespace kalendo {

// The words of the include list, in their order. Each chooses one kind of
// event, "holidays" both holiday kinds.
enum class IcsWord { Holidays, Notes, Users, Schedules, Rokuyo, Lunar, Moon, Rekichu, Eclipses };
inline constexpr int kIcsWordCount = 9;


// Which kinds an export holds: one bit per word, a plain value to copy and
// compare. The default is the first four words, the kinds the definition
// files and the schedules give; the signs of every day are asked for.
class IcsInclude {
public:
    constexpr IcsInclude() = default;
    static constexpr IcsInclude None() { return IcsInclude(0); }
    static constexpr IcsInclude All() { return IcsInclude((1u << kIcsWordCount) - 1); }
    static constexpr IcsInclude Of(std::initializer_list<IcsWord> words) {
        IcsInclude in = None();
        for (const IcsWord w : words) in = in.With(w);
        return in;
    }

    constexpr bool Has(IcsWord w) const { return (bits_ & Bit(w)) != 0; }
    constexpr IcsInclude With(IcsWord w, bool on = true) const {
        return IcsInclude(on ? bits_ | Bit(w) : bits_ & ~Bit(w));
    }
    constexpr bool Any() const { return bits_ != 0; }
    friend constexpr bool operator==(IcsInclude, IcsInclude) = default;

    // With the rekichu word: the notes its events name, and the readings
    // they are read under.
    RekichuSet rekichuPicks = kDefaultRekichuPicks;
    RekichuReadings readings;

private:
    constexpr explicit IcsInclude(unsigned bits) : bits_(bits) {}
    static constexpr unsigned Bit(IcsWord w) { return 1u << static_cast<int>(w); }

    unsigned bits_ = 0b1111;  // holidays, notes, users, schedules
};

// The word of the list ("holidays", "notes", "users", "schedules",
// "rokuyo", "lunar", "moon", "eclipses").
const char* IcsWordText(IcsWord w);

// A comma list of the words, each at most once, none empty; nullopt for
// anything else (an unknown or repeated word, "", "a,,b").
std::optional<IcsInclude> ParseIcsInclude(std::string_view list);

// The comma list of an IcsInclude, in the words' order ("" for none).
std::string IcsIncludeList(IcsInclude include);

// A comma list of note names (UTF-8 as typed, "天赦日,一粒万倍日"), each
// at most once, none empty; nullopt for anything else.
std::optional<RekichuSet> ParseRekichuPicks(std::string_view utf8List);

}  // namespace kalendo
