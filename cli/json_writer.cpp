#include "cli/json_writer.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

// Longest "%.17g" of a double: sign, 17 digits, point, "e-308".
constexpr std::size_t kDoubleChars = 32;

// Appends "%.17g" of a finite value. std::to_chars with a precision is
// printf's %.*g by definition, without its locale and its parsing of a
// format.
void AppendDouble(std::string& out, double value) {
    char buf[kDoubleChars];
    const std::to_chars_result r =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17);
    out.append(buf, r.ptr);
}

[[noreturn]] void NotFinite(std::string_view key, double value) {
    std::string message = "kalendo2-cli: internal error: ";
    if (key.empty()) {
        message += "a number";
    } else {
        message += "the value of \"";
        message += key;
        message += '"';
    }
    message += std::isnan(value) ? " is not a number (NaN)" : " is infinite";
    message += ", which JSON cannot hold";
    ThePlatform().Fatal(message);
    std::abort();  // Fatal does not return; a virtual call carries no [[noreturn]]
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view utf8) {
    out += '"';
    std::size_t plain = 0;  // start of the run of bytes copied as they are
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        out.append(utf8.data() + plain, i - plain);
        plain = i + 1;
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            }
        }
    }
    out.append(utf8.data() + plain, utf8.size() - plain);
    out += '"';
}

std::string JsonString(std::string_view utf8) {
    std::string out;
    AppendJsonString(out, utf8);
    return out;
}

std::string JsonDouble(double value) {
    if (!std::isfinite(value)) NotFinite({}, value);
    std::string out;
    AppendDouble(out, value);
    return out;
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (depth_ == 0) return;
    const std::uint64_t innermost = std::uint64_t{1} << (depth_ - 1);
    if ((empty_ & innermost) == 0) out_ += ',';
    empty_ &= ~innermost;
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    out_ += bracket;
    assert(depth_ < kMaxDepth);
    empty_ |= std::uint64_t{1} << depth_;
    ++depth_;
}

void JsonWriter::Close(char bracket) {
    assert(depth_ > 0 && !afterKey_);
    --depth_;
    out_ += bracket;
}

void JsonWriter::BeginObject() { Open('{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('['); }
void JsonWriter::EndArray() { Close(']'); }

JsonWriter& JsonWriter::Key(std::string_view name) {
    BeforeValue();
    out_ += '"';
    keyAt_ = out_.size();
    keyLength_ = name.size();
    out_ += name;
    out_ += "\":";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::Int(long long value) {
    BeforeValue();
    char buf[24];  // 19 digits and a sign
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
    out_.append(buf, r.ptr);
    return *this;
}

JsonWriter& JsonWriter::Double(double value) {
    if (!std::isfinite(value)) NotFinite(std::string_view(out_).substr(keyAt_, keyLength_), value);
    BeforeValue();
    AppendDouble(out_, value);
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
    AppendJsonString(out_, text);
    return *this;
}

JsonWriter& JsonWriter::Cp932(std::string_view text) {
    scratch_.clear();
    AppendUtf8FromCp932(scratch_, text);
    return Utf8(scratch_);
}

JsonWriter& JsonWriter::Date(int y, int m, int d) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return Utf8(buf);
}

void JsonWriter::Clear() {
    out_.clear();
    empty_ = 0;
    depth_ = 0;
    afterKey_ = false;
    keyAt_ = 0;
    keyLength_ = 0;
}

}  // namespace kalendo
