#include "ui/model/ics_include.h"

#include <array>

#include "platform/text_codec.h"

namespace kalendo {
namespace {

// In the order of IcsWord.
constexpr std::array<const char*, kIcsWordCount> kIncludeWords = {
    "holidays", "notes", "users", "schedules", "rokuyo", "lunar", "moon", "rekichu", "eclipses"};

constexpr IcsWord WordAt(std::size_t k) { return static_cast<IcsWord>(k); }

}  // namespace

const char* IcsWordText(IcsWord w) { return kIncludeWords[static_cast<std::size_t>(w)]; }

std::optional<IcsInclude> ParseIcsInclude(std::string_view list) {
    IcsInclude include = IcsInclude::None();
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = list.find(',', from);
        const std::string_view word =
            list.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
        bool known = false;
        for (std::size_t k = 0; k < kIncludeWords.size(); ++k) {
            if (word != kIncludeWords[k]) continue;
            if (include.Has(WordAt(k))) return std::nullopt;  // repeated
            include = include.With(WordAt(k));
            known = true;
        }
        if (!known) return std::nullopt;
        if (comma == std::string_view::npos) return include;
        from = comma + 1;
    }
}

std::string IcsIncludeList(IcsInclude include) {
    std::string list;
    for (std::size_t k = 0; k < kIncludeWords.size(); ++k) {
        if (!include.Has(WordAt(k))) continue;
        if (!list.empty()) list += ',';
        list += kIncludeWords[k];
    }
    return list;
}

std::optional<RekichuSet> ParseRekichuPicks(std::string_view utf8List) {
    RekichuSet picks = 0;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = utf8List.find(',', from);
        const std::string_view word =
            utf8List.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
        const std::optional<RekichuName> name = RekichuByName(Cp932FromUtf8(word));
        if (!name || Contains(picks, *name)) return std::nullopt;  // unknown or repeated
        picks |= RekichuBit(*name);
        if (comma == std::string_view::npos) return picks;
        from = comma + 1;
    }
}

}  // namespace kalendo
