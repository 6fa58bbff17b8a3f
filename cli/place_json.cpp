#include "cli/place_json.h"

namespace kalendo {

void WritePlaceObject(JsonWriter& w, const NamedPlace& place) {
    w.BeginObject();
    w.Key("name").Cp932(place.name);
    w.Key("latitude").Double(place.position.latitudeDeg);
    w.Key("longitude").Double(place.position.longitudeDeg);
    w.EndObject();
}

void PrintPlaces(std::FILE* out) {
    JsonWriter w;
    for (const ListedPlace& place : ListedPlaces()) {
        WritePlaceObject(w, NamedPlaceOf(place));
        std::fputs(w.Text().c_str(), out);
        std::fputc('\n', out);
        w.Clear();
    }
}

}  // namespace kalendo
