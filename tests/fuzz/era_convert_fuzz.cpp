// The era conversion dialog's parsers with the shipped eras. The input's
// first byte chooses the era list's selection (the real entries and one
// outside on either side), its first line after that is the era date text,
// the rest the Western date text.
#include "almanac/era_convert.h"

#include "tests/fuzz/fuzz_support.h"

using namespace kalendo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::unique_ptr<MonthRecord> rec = fuzz::ShippedRecord(2024, 6, 15);
    fuzz::StartInput();
    if (size == 0) return 0;

    EraConvertState s = OpenEraConvert(*rec, 2024, 6, 15);
    s.eraIndex = data[0] % (rec->eraCount + 3) - 1;
    std::string_view rest = fuzz::Bytes(data + 1, size - 1);
    const std::size_t end = rest.find('\n');
    const std::string_view eraText = rest.substr(0, end);
    const std::string_view westernText =
        end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);

    OnConvertToWestern(*rec, s, eraText);
    EraDateText(s);
    WesternDateText(s);
    const EraConvertState before = s;
    if (OnConvertToEra(*rec, s, westernText)) {
        fuzz::FuzzCheck(s.eraIndex >= 0 && s.eraIndex <= rec->eraCount,
                        "a converted date selects a real era");
    } else {
        fuzz::FuzzCheck(s.eraIndex == before.eraIndex && s.eraYear == before.eraYear &&
                            s.westernYear == before.westernYear && s.month == before.month &&
                            s.day == before.day,
                        "a text that is no date changes nothing");
    }
    EraDateText(s);
    WesternDateText(s);
    return 0;
}
