// Comment lines and the CSV fields of report-log lines.
#include "logs/LogLineParser.h"

#include <gtest/gtest.h>

#include <vector>

namespace zintor {
namespace {

std::vector<std::u16string> Fields(std::u16string_view line) {
    LogTable table;
    AppendLogRow(line, table);
    std::vector<std::u16string> fields;
    EXPECT_EQ(table.RowCount(), 1);
    for (int c = 0; c < table.FieldCount(0); ++c) fields.emplace_back(table.Field(0, c));
    return fields;
}

TEST(LogLineParser, TellsCommentLinesByTheirFirstCharacter) {
    struct Case {
        std::u16string line;
        bool comment;
    };
    const Case cases[] = {
        {u"!x\n", true},        {u"#x\n", true},   {u";x\n", true},          {u"\n", true},
        {u"\tx\n", true},       {std::u16string(u"\0x\n", 3), true},          {u"\x0Fx", true},
        {u"\u3000x\n", true},   {u"\u4E00x\n", true},  // bits 4 to 7 clear
        {u" 20240101\n", false}, {u"20240101,0\n", false}, {u"\x10\n", false},    {u"日\n", false},
        {u"\"#\"\n", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsLogCommentLine(c.line), c.comment) << int(c.line[0]);
}

TEST(LogLineParser, SplitsAndUnquotesFields) {
    struct Case {
        const char* name;
        std::u16string line;
        std::vector<std::u16string> fields;
    };
    const Case cases[] = {
        {"plain", u"a,b,c\n", {u"a", u"b", u"c"}},
        {"last line without a line feed loses its last field", u"a,b,c", {u"a", u"b"}},
        {"trailing comma gives an empty field", u"a,b,c,\n", {u"a", u"b", u"c", u""}},
        {"quoted comma", u"\"x,y\",z\n", {u"x,y", u"z"}},
        {"doubled quotes", u"\"a\"\"b\",c\n", {u"a\"b", u"c"}},
        {"two quotes make one empty field", u"\"\"\n", {u""}},
        {"an unclosed quote swallows the rest of the line", u"ab\"c,d\n", {}},
        {"unclosed quote after a complete field", u"a,\"b\n", {u"a"}},
        {"quoted line feed stays in the field", u"\"a\nb\",c\n", {u"a\nb", u"c"}},
        {"blanks are kept", u" 1 , 2 \n", {u" 1 ", u" 2 "}},
        {"quote in the middle", u"a\"b\"c,d\n", {u"a\"b\"c", u"d"}},
        {"quoted quotes", u"\"\"\"a\"\"\",b\n", {u"\"a\"", u"b"}},
        {"an odd number of quotes leaves the line open", u"\"\"\",x\n", {}},
        {"taken only up to the first NUL", std::u16string(u"a,b\0,c\n", 7), {u"a"}},
        {"NUL right after a field end", std::u16string(u"a,b,\0c\n", 7), {u"a", u"b"}},
        {"empty fields", u",,\n", {u"", u"", u""}},
    };
    for (const auto& c : cases) EXPECT_EQ(Fields(c.line), c.fields) << c.name;
}

TEST(LogLineParser, RowsKeepTheirOwnFieldCounts) {
    LogTable table;
    AppendLogRow(u"1,2,3,4,5,6\n", table);
    AppendLogRow(u"7\n", table);
    AppendLogRow(u"x", table);  // no field at all, still a row
    ASSERT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.FieldCount(0), 6);
    EXPECT_EQ(table.FieldCount(1), 1);
    EXPECT_EQ(table.FieldCount(2), 0);
    EXPECT_EQ(table.Field(0, 5), u"6");
    EXPECT_EQ(table.Field(1, 0), u"7");
    EXPECT_EQ(table.Field(1, 1), u"");  // past the row's fields
    EXPECT_EQ(table.Field(2, 0), u"");
    EXPECT_EQ(table.Field(3, 0), u"");  // past the rows
    EXPECT_EQ(table.Field(-1, 0), u"");
    EXPECT_EQ(table.Field(0, -1), u"");
}

}  // namespace
}  // namespace zintor
