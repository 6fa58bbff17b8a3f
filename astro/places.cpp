#include "astro/places.h"

#include <array>
#include <charconv>
#include <optional>
#include <cmath>

#include "astro/place_texts.h"

namespace kalendo {
namespace {

constexpr double kArcminutesPerDeg = 60.0;
constexpr double kArcsecondsPerDeg = 3600.0;

constexpr double DegreesOf(int deg, int arcmin, double arcsec) {
    return deg + arcmin / kArcminutesPerDeg + arcsec / kArcsecondsPerDeg;
}

// Geodetic latitude and longitude (JGD2011, degrees) in the order of
// kPlaceNames. Row 0 is the old observatory site, the origin of Japan's
// geodetic coordinates as revised after the 2011 earthquake; the offices
// are given to 0.0001 deg (about 10 m, a small fraction of a second in
// any rise or set); where they come from: tests/data/sky/README.md.
constexpr std::array<GeoPosition, kListedPlaceCount> kPlacePositions = {{
    {DegreesOf(35, 39, 29.1572), DegreesOf(139, 44, 28.8869)},  // 東京
    {43.0643, 141.3469},  // 札幌
    {40.8246, 140.7405},  // 青森
    {39.7035, 141.1527},  // 盛岡
    {38.2686, 140.8721},  // 仙台
    {39.7186, 140.1024},  // 秋田
    {38.2404, 140.3637},  // 山形
    {37.7500, 140.4678},  // 福島
    {36.3417, 140.4468},  // 水戸
    {36.5659, 139.8836},  // 宇都宮
    {36.3907, 139.0605},  // 前橋
    {35.8570, 139.6490},  // さいたま
    {35.6046, 140.1232},  // 千葉
    {35.6895, 139.6917},  // 東京都庁
    {35.4477, 139.6425},  // 横浜
    {37.9025, 139.0232},  // 新潟
    {36.6953, 137.2113},  // 富山
    {36.5946, 136.6257},  // 金沢
    {36.0652, 136.2217},  // 福井
    {35.6641, 138.5685},  // 甲府
    {36.6513, 138.1809},  // 長野
    {35.3912, 136.7237},  // 岐阜
    {34.9769, 138.3831},  // 静岡
    {35.1802, 136.9066},  // 名古屋
    {34.7303, 136.5086},  // 津
    {35.0045, 135.8686},  // 大津
    {35.0214, 135.7556},  // 京都
    {34.6864, 135.5200},  // 大阪
    {34.6913, 135.1831},  // 神戸
    {34.6853, 135.8329},  // 奈良
    {34.2261, 135.1675},  // 和歌山
    {35.5034, 134.2383},  // 鳥取
    {35.4723, 133.0505},  // 松江
    {34.6617, 133.9350},  // 岡山
    {34.3966, 132.4596},  // 広島
    {34.1860, 131.4707},  // 山口
    {34.0658, 134.5593},  // 徳島
    {34.3401, 134.0433},  // 高松
    {33.8416, 132.7657},  // 松山
    {33.5597, 133.5311},  // 高知
    {33.6064, 130.4180},  // 福岡
    {33.2494, 130.2988},  // 佐賀
    {32.7500, 129.8673},  // 長崎
    {32.7898, 130.7416},  // 熊本
    {33.2381, 131.6126},  // 大分
    {31.9110, 131.4239},  // 宮崎
    {31.5602, 130.5580},  // 鹿児島
    {26.2124, 127.6809},  // 那覇
}};

static_assert(std::size(kPlaceNames) == kListedPlaceCount);

const std::array<ListedPlace, kListedPlaceCount>& PlaceTable() {
    static const std::array<ListedPlace, kListedPlaceCount> table = [] {
        std::array<ListedPlace, kListedPlaceCount> places{};
        for (int i = 0; i < kListedPlaceCount; ++i) places[i] = {kPlaceNames[i], kPlacePositions[i]};
        return places;
    }();
    return table;
}

// One coordinate of ReadPlaceCoordinates.
std::optional<double> ReadDecimalDegrees(std::string_view text) {
    std::size_t from = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) from = 1;
    bool digits = false, point = false;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    double value = 0;
    const char* last = text.data() + text.size();
    if (std::from_chars(text.data() + from, last, value).ptr != last) return std::nullopt;
    return text[0] == '-' ? -value : value;
}

}  // namespace

std::span<const ListedPlace, kListedPlaceCount> ListedPlaces() { return PlaceTable(); }

int FindListedPlace(std::string_view cp932Name) {
    for (int i = 0; i < kListedPlaceCount; ++i) {
        if (cp932Name == kPlaceNames[i]) return i;
    }
    return -1;
}

NamedPlace NamedPlaceOf(const ListedPlace& place) { return {place.name, place.position}; }

// NaN fails both comparisons, so a coordinate that is no number is refused.
bool PlaceLatitudeAccepted(double latitudeDeg) {
    return latitudeDeg >= -kLargestPlaceLatitudeDeg && latitudeDeg <= kLargestPlaceLatitudeDeg;
}

bool PlaceLongitudeAccepted(double longitudeDeg) {
    return longitudeDeg >= -kLargestPlaceLongitudeDeg && longitudeDeg <= kLargestPlaceLongitudeDeg;
}

ReadPlace ReadPlaceCoordinates(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return {PlaceTextProblem::NotCoordinates, {}};
    const std::optional<double> latitude = ReadDecimalDegrees(text.substr(0, comma));
    const std::optional<double> longitude = ReadDecimalDegrees(text.substr(comma + 1));
    if (!latitude || !longitude) return {PlaceTextProblem::NotCoordinates, {}};
    if (!PlaceLatitudeAccepted(*latitude)) return {PlaceTextProblem::LatitudeOutOfRange, {}};
    if (!PlaceLongitudeAccepted(*longitude)) return {PlaceTextProblem::LongitudeOutOfRange, {}};
    return {PlaceTextProblem::None, {*latitude, *longitude}};
}

}  // namespace kalendo
