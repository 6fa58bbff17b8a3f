#include "cli/json_writer.h"

#include <cassert>
#include <cstdio>

#include "platform/text_codec.h"

namespace kalendo {

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::string JsonDouble(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    return buf;
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (empty_.empty()) return;
    if (!empty_.back()) out_ += ',';
    empty_.back() = false;
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    out_ += bracket;
    empty_.push_back(true);
}

void JsonWriter::Close(char bracket) {
    assert(!empty_.empty() && !afterKey_);
    empty_.pop_back();
    out_ += bracket;
}

void JsonWriter::BeginObject() { Open('{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('['); }
void JsonWriter::EndArray() { Close(']'); }

JsonWriter& JsonWriter::Key(std::string_view name) {
    BeforeValue();
    out_ += '"';
    out_ += name;
    out_ += "\":";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::Int(long long value) {
    BeforeValue();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Double(double value) {
    BeforeValue();
    out_ += JsonDouble(value);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::Utf8(std::string_view text) {
    BeforeValue();
    out_ += JsonString(text);
    return *this;
}

JsonWriter& JsonWriter::Cp932(std::string_view text) { return Utf8(Utf8FromCp932(text)); }

JsonWriter& JsonWriter::Date(int y, int m, int d) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return Utf8(buf);
}

void JsonWriter::Clear() {
    out_.clear();
    empty_.clear();
    afterKey_ = false;
}

}  // namespace kalendo
