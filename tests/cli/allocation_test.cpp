// The CLI's output path allocates nothing once its buffers have grown: a
// program of its own, since it replaces the global operator new to count.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "cli/json_writer.h"
#include "platform/text_codec.h"

// Counts the allocations of the whole test program, so that a test can
// assert that a stretch of code makes none. The replacements pair malloc
// with free; inlined into a caller g++ sees new paired with free.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
namespace {
long g_allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace kalendo {
namespace {

// A line of the kinds of value a day object holds, written as the CLI
// writes every line: into a writer cleared after the line before.
void WriteSampleLine(JsonWriter& w, const std::string& cp932) {
    w.Clear();
    w.BeginObject();
    w.Key("date").Date(2024, 6, 15);
    w.Key("accepted").Bool(true);
    w.Key("julianDate").Double(2460476.5);
    w.Key("moonAge").Double(8.6123456789012345);
    w.Key("lunarMonth").Int(-5);
    w.Key("holiday").Null();
    w.Key("notes").BeginArray();
    for (int i = 0; i < 20; ++i) {
        w.BeginObject();
        w.Key("index").Int(i);
        w.Key("name").Cp932(cp932);
        w.Key("text").Utf8("line\r\nbreak \"quoted\"");
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

TEST(JsonWriter, LinesAfterTheFirstAllocateNothing) {
    const std::string name = Cp932FromUtf8("春分の日・振替休日「旧暦」ｶﾀｶﾅ");
    JsonWriter w;
    WriteSampleLine(w, name);
    const std::string first = w.Text();
    const long before = g_allocations;
    for (int line = 0; line < 3; ++line) WriteSampleLine(w, name);
    EXPECT_EQ(g_allocations - before, 0);
    EXPECT_EQ(w.Text(), first) << "the same line each time";
}

}  // namespace
}  // namespace kalendo
