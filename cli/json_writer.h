// A small JSON writer for kalendo2-cli: compact output, keys in exactly the
// order they are written, doubles as "%.17g". General JSON libraries
// reorder keys or shorten doubles; scripts compare both.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalendo {

// The JSON string literal of UTF-8 text, quotes included. Only '"', '\'
// and bytes below 0x20 are escaped: \b \f \n \r \t, the others as \u00xx.
// Every other byte, non-ASCII included, is copied as it is.
std::string JsonString(std::string_view utf8);

// "%.17g": enough digits that the double reads back bit for bit. Numbers
// here never follow the user's locale (the CLI runs in the C locale).
std::string JsonDouble(double value);

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();

    // The next value's key (ASCII names only, written as they are).
    JsonWriter& Key(std::string_view name);

    JsonWriter& Int(long long value);
    JsonWriter& Double(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    JsonWriter& Utf8(std::string_view text);
    // Code page 932 text (the almanac's own), converted to UTF-8.
    JsonWriter& Cp932(std::string_view text);
    // "YYYY-MM-DD", zero-padded.
    JsonWriter& Date(int y, int m, int d);

    // The text written so far; Clear starts a new document.
    const std::string& Text() const { return out_; }
    void Clear();

private:
    // Writes the comma that separates this value from the one before it.
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);

    std::string out_;
    std::vector<bool> empty_;  // per open container: nothing written yet
    bool afterKey_ = false;
};

}  // namespace kalendo
