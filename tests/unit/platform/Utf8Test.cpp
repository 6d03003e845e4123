#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace quarn {
namespace {

using namespace std::string_literals;

// Every malformed kind the validator must catch, each after two good
// characters, so the position reported is the bad byte's and not 0.
TEST(Utf8, FindsTheFirstMalformedSequence) {
    struct Case {
        std::string bad;
        const char* what;
    };
    const Case cases[] = {
        {"\x80", "a stray continuation byte"},
        {"\xC3", "a sequence cut off by the end"},
        {"\xE2\x82", "a three-byte sequence cut off"},
        {"\xC3(", "a lead byte without its continuation"},
        {"\xC0\xAF", "an overlong '/'"},
        {"\xE0\x80\xAF", "an overlong three-byte '/'"},
        {"\xED\xA0\x80", "a surrogate"},
        {"\xF4\x90\x80\x80", "a code point above U+10FFFF"},
        {"\xF8\x88\x80\x80\x80", "a five-byte lead"},
        {"\xFF", "a byte that never starts UTF-8"},
    };
    for (const Case& c : cases) {
        const std::string text = "a\xC3\xA0" + c.bad + "z";
        EXPECT_EQ(firstNonUtf8(text), 3U) << c.what;
    }
    const std::string good = "a\xC3\xA0\xE2\x82\xAC\xF0\x9F\x98\x80\x00z"s;
    EXPECT_EQ(firstNonUtf8(good), std::string_view::npos);
    EXPECT_EQ(utf8Length(good), 6U);
    EXPECT_EQ(utf8SequenceAt(good, 3), 3U);
    EXPECT_EQ(utf8SequenceAt(good, good.size()), 0U) << "past the end is no sequence";
}

}  // namespace
}  // namespace quarn
