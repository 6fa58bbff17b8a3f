// A small JSON writer for kalendo2-cli: compact output, keys in exactly the
// order they are written, doubles as "%.17g". General JSON libraries
// reorder keys or shorten doubles; scripts compare both. The writer builds
// one line at a time in a buffer it keeps, so that after the first line
// no key or value allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kalendo {

// The JSON string literal of UTF-8 text, quotes included. Only '"', '\'
// and bytes below 0x20 are escaped: \b \f \n \r \t, the others as \u00xx.
// Every other byte, non-ASCII included, is copied as it is.
std::string JsonString(std::string_view utf8);
void AppendJsonString(std::string& out, std::string_view utf8);

// "%.17g": enough digits that the double reads back bit for bit. Numbers
// here never follow the user's locale. JSON has no NaN or infinity, and
// the almanac computes none: one is an internal fault, which ends the
// program through the platform's Fatal with a message naming the value.
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
    // A NaN or an infinity is fatal (see JsonDouble); the message names
    // the key.
    JsonWriter& Double(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    JsonWriter& Utf8(std::string_view text);
    // Code page 932 text (the almanac's own), converted to UTF-8.
    JsonWriter& Cp932(std::string_view text);
    // "YYYY-MM-DD", zero-padded.
    JsonWriter& Date(int y, int m, int d);

    // The text written so far; Clear starts a new document and keeps the
    // buffer's room.
    const std::string& Text() const { return out_; }
    void Clear();

private:
    // Writes the comma that separates this value from the one before it.
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);

    std::string out_;
    std::string scratch_;      // a text converted from CP932, before escaping
    // The last key, as offset and length in out_, for the message of a bad
    // number; length 0 before the first key.
    std::size_t keyAt_ = 0;
    std::size_t keyLength_ = 0;
    // Per open container, bit d for the one at depth d: nothing written
    // in it yet. The almanac's objects nest a few levels deep.
    static constexpr int kMaxDepth = 64;
    std::uint64_t empty_ = 0;
    int depth_ = 0;
    bool afterKey_ = false;
};

}  // namespace kalendo
