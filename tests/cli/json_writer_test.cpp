#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/console_platform.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

TEST(JsonString, EscapesOnlyQuoteBackslashAndControlBytes) {
    struct Case { std::string in, want; const char* why; };
    const Case cases[] = {
        {"plain", "\"plain\"", "nothing to escape"},
        {"a\"b", "\"a\\\"b\"", "quote"},
        {"a\\b", "\"a\\\\b\"", "backslash"},
        {"\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\"", "the five short escapes"},
        {std::string("\x00", 1), "\"\\u0000\"", "NUL"},
        {"\x01\x1f", "\"\\u0001\\u001f\"", "other control bytes as \\u00xx"},
        {"\x7f", "\"\x7f\"", "DEL is not below 0x20"},
        {"a/b", "\"a/b\"", "slash stays"},
        {"暦\r\n日", "\"暦\\r\\n日\"", "UTF-8 passes, CR LF of a description escaped"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(JsonString(c.in), c.want);
    }
}

TEST(JsonDouble, SeventeenSignificantDigits) {
    struct Case { double value; const char* want; };
    const Case cases[] = {
        {2451544.5, "2451544.5"},
        {0.1, "0.10000000000000001"},
        {29.6, "29.600000000000001"},
        {1e-7, "9.9999999999999995e-08"},
        {0.0, "0"},
        {-0.0, "-0"},
        {359.99999999999994, "359.99999999999994"},
        {2.7378507871321012e-05, "2.7378507871321012e-05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(JsonDouble(c.value), c.want);
    }
}

TEST(JsonDouble, ReadsBackBitForBit) {
    for (double v = 0.001; v < 400; v = v * 1.37 + 0.1) {
        EXPECT_EQ(std::strtod(JsonDouble(v).c_str(), nullptr), v);
    }
}

TEST(JsonWriter, CommasAndNestingAreCompact) {
    JsonWriter w;
    w.BeginObject();
    w.Key("a").Int(1);
    w.Key("b").BeginArray();
    w.Int(-2);
    w.BeginObject();
    w.EndObject();
    w.BeginArray();
    w.EndArray();
    w.Null();
    w.EndArray();
    w.Key("c").BeginObject();
    w.Key("d").Bool(true);
    w.Key("e").Bool(false);
    w.EndObject();
    w.Key("f").Double(0.5);
    w.EndObject();
    EXPECT_EQ(w.Text(), R"({"a":1,"b":[-2,{},[],null],"c":{"d":true,"e":false},"f":0.5})");

    w.Clear();
    w.BeginArray();
    w.Int(7);
    w.EndArray();
    EXPECT_EQ(w.Text(), "[7]") << "a cleared writer starts a new document";
}

// Each open container remembers on its own whether it holds anything yet,
// down to the deepest: [0,[0,[0, ... [0,1] ... ,1],1],1].
TEST(JsonWriter, EveryDepthSeparatesItsOwnValues) {
    constexpr int kDepth = 64;
    JsonWriter w;
    std::string want;
    for (int i = 0; i < kDepth; ++i) {
        w.BeginArray();
        w.Int(0);
        want += i == 0 ? "[0" : ",[0";
    }
    for (int i = 0; i < kDepth; ++i) {
        w.Int(1);
        w.EndArray();
        want += ",1]";
    }
    EXPECT_EQ(w.Text(), want);
}

TEST(JsonWriter, DatesAreZeroPadded) {
    JsonWriter w;
    w.BeginArray();
    w.Date(2024, 2, 3);
    w.Date(1600, 1, 1);
    w.Date(2023, 0, 99);
    w.EndArray();
    EXPECT_EQ(w.Text(), R"(["2024-02-03","1600-01-01","2023-00-99"])");
}

TEST(JsonWriter, Cp932TextBecomesUtf8) {
    JsonWriter w;
    w.BeginArray();
    w.Cp932(Cp932FromUtf8("令和"));
    w.Cp932(Cp932FromUtf8("立春\r\n旧正月"));
    w.Cp932("\x95\x5C");  // 表: its trail byte is a backslash in ASCII
    w.EndArray();
    EXPECT_EQ(w.Text(), "[\"令和\",\"立春\\r\\n旧正月\",\"表\"]");
}

// JSON has no NaN or infinity. Printing "nan" would hand scripts a line
// they cannot parse, so such a value is an internal fault.
TEST(JsonWriter, NonFiniteNumberIsFatalAndNamesTheKey) {
    struct Case { double value; const char* what; };
    const Case cases[] = {
        {std::numeric_limits<double>::quiet_NaN(), "is not a number (NaN)"},
        {-std::numeric_limits<double>::quiet_NaN(), "is not a number (NaN)"},
        {std::numeric_limits<double>::infinity(), "is infinite"},
        {-std::numeric_limits<double>::infinity(), "is infinite"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedRecordingPlatform platform;
        JsonWriter w;
        w.BeginObject();
        w.Key("moonAge");
        try {
            w.Double(c.value);
            ADD_FAILURE() << "no fatal error";
        } catch (const FatalExit& e) {
            EXPECT_EQ(e.message, std::string("kalendo2-cli: internal error: the value of \"moonAge\" ") +
                                     c.what + ", which JSON cannot hold");
        }
        EXPECT_EQ(w.Text(), "{\"moonAge\":") << "nothing of the value written";
        EXPECT_THROW(JsonDouble(c.value), FatalExit);
    }
    for (const double finite : {std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::denorm_min(), -0.0}) {
        ScopedRecordingPlatform platform;
        EXPECT_NO_THROW(JsonDouble(finite));
    }
}

TEST(JsonWriterDeathTest, NonFiniteNumberEndsTheProgramWithStatusThree) {
    EXPECT_EXIT(
        {
            ConsolePlatform console;
            SetPlatform(&console);
            JsonWriter w;
            w.BeginArray();
            w.Double(std::nan(""));
        },
        ::testing::ExitedWithCode(kFatalExitStatus), "internal error: a number is not a number");
}

}  // namespace
}  // namespace kalendo
