#include "spine/JsonDocument.h"

#include <gtest/gtest.h>
#include <string>

namespace kesto::spine::detail
{
namespace
{

TEST(JsonDocument, ReadsStrictJson)
{
    JsonValue value;
    std::string error;
    ASSERT_TRUE(ParseJson(R"( {"a": [1, -2.5e1, 0.125, true, false, null], "s": "q\"\\\/\b\f\n\r\t\u00e9\ud83d\ude00",
                              "o": {}, "a": 2, "tiny": 1e-400} )",
                          8, value, error))
        << error;
    ASSERT_TRUE(value.IsObject());
    ASSERT_EQ(value.Members().size(), 5U);
    const JsonValue* array = value.Find("a");
    ASSERT_NE(array, nullptr);
    ASSERT_EQ(array->Items().size(), 6U) << "the first of two equal keys";
    EXPECT_EQ(array->Items()[0].Number(), 1.0);
    EXPECT_EQ(array->Items()[1].Number(), -25.0);
    EXPECT_EQ(array->Items()[2].Number(), 0.125);
    EXPECT_TRUE(array->Items()[3].IsBool() && array->Items()[3].Bool());
    EXPECT_TRUE(array->Items()[4].IsBool() && !array->Items()[4].Bool());
    EXPECT_TRUE(array->Items()[5].IsNull());
    EXPECT_EQ(value.Find("s")->String(), "q\"\\/\b\f\n\r\t\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_TRUE(value.Find("o")->IsObject());
    EXPECT_EQ(value.Find("tiny")->Number(), 0.0);
    EXPECT_EQ(value.Find("missing"), nullptr);
    EXPECT_EQ(array->Find("a"), nullptr) << "an array has no members";
}

TEST(JsonDocument, RejectsWhatIsNotStrictJsonSayingWhere)
{
    struct Case
    {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"", "line 1, column 1: the document is empty"},
        {"  \n ", "line 2, column 2: the document is empty"},
        {"{\n  \"a\": 01}", "line 2, column 9: expected ',' or '}' after an object member"},
        {"[1.]", "line 1, column 4: expected digits after the decimal point"},
        {"[.5]", "line 1, column 2: expected a value"},
        {"[+1]", "line 1, column 2: expected a value"},
        {"[-]", "line 1, column 3: expected digits"},
        {"[1e]", "line 1, column 4: expected digits in the exponent"},
        {"[1e999]", "line 1, column 2: the number is too large"},
        {"[-1e999]", "line 1, column 2: the number is too large"},
        {"[NaN]", "line 1, column 2: expected a value"},
        {"[tru]", "line 1, column 2: expected a value"},
        {"{a: 1}", "line 1, column 2: expected a member name in quotes"},
        {"{\"a\" 1}", "line 1, column 6: expected ':' after a member name"},
        {"[1 2]", "line 1, column 4: expected ',' or ']' after an array element"},
        {"[1,]", "line 1, column 4: expected a value"},
        {"{\"a\": 1,}", "line 1, column 9: expected a member name in quotes"},
        {"\"abc", "line 1, column 5: the string ends early"},
        {"\"a\\", "line 1, column 4: the string ends early"},
        {"\"\\x\"", "line 1, column 3: unknown escape in a string"},
        {"\"\\u12G4\"", "line 1, column 6: expected four hexadecimal digits after \\u"},
        {"\"\\ud83d\\u0041\"", "line 1, column 14: a surrogate pair is broken"},
        {std::string("\"a\nb\""), "line 1, column 3: a control character in a string"},
        {"[] []", "line 1, column 4: unexpected text after the document"},
        {"[[[[[[[[[1]]]]]]]]]", "line 1, column 9: nested deeper than 8 levels"},
        {std::string("[1,\0 2]", 7), "line 1, column 4: expected a value"},
    };
    for (const Case& c : cases)
    {
        JsonValue value;
        std::string error;
        EXPECT_FALSE(ParseJson(c.text, 8, value, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
    JsonValue eightDeep;
    std::string error;
    EXPECT_TRUE(ParseJson("[[[[[[[[1]]]]]]]]", 8, eightDeep, error)) << error;
}

} // namespace
} // namespace kesto::spine::detail
