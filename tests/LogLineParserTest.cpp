// Comment lines and the CSV fields of report-log lines.
#include "logs/LogLineParser.h"

#include <gtest/gtest.h>

#include <vector>

#include "logs/LogTable.h"

namespace zintor {
namespace {

// The fields of a line as read (its line feed last), split both as UTF-16 and, when every
// character fits, as bytes; both must agree.
std::vector<std::u16string> Fields(std::u16string_view line) {
    std::vector<std::u16string> fields;
    std::u16string scratch;
    int count = SplitLogLine(line, false, scratch, [&](int column, std::u16string_view text) {
        EXPECT_EQ(column, static_cast<int>(fields.size()));
        fields.emplace_back(text);
        return true;
    });
    EXPECT_EQ(count, static_cast<int>(fields.size()));

    std::string bytes(line.begin(), line.end());
    std::vector<std::u16string> narrowFields;
    std::string narrowScratch;
    SplitLogLine(std::string_view(bytes), false, narrowScratch, [&](int, std::string_view text) {
        narrowFields.emplace_back(text.begin(), text.end());
        return true;
    });
    EXPECT_EQ(narrowFields, fields);
    return fields;
}

TEST(LogLineParser, TellsCommentLinesByTheirFirstCharacter) {
    struct Case {
        std::u16string line;
        bool comment;
    };
    const Case cases[] = {
        {u"!x\n", true},         {u"#x\n", true},
        {u";x\n", true},         {u"\n", true},
        {u"\tx\n", true},        {std::u16string(u"\0x\n", 3), true},
        {u"\x0Fx", true},        {u"\u3000x\n", true},
        {u"\u4E00x\n", true},  // bits 4 to 7 clear
        {u" 20240101\n", false}, {u"20240101,0\n", false},
        {u"\x10\n", false},      {u"日\n", false},
        {u"\"#\"\n", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsLogCommentStart(c.line[0]), c.comment) << int(c.line[0]);
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
        {"a line feed ends the line even in quotes", u"x,\"a\nb\",c\n", {u"x"}},
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

TEST(LogLineParser, StopsWhenTheCallerHasEnoughFields) {
    std::u16string scratch;
    std::vector<int> seen;
    SplitLogLine(std::u16string_view(u"a,b,c,d,e,f\n"), false, scratch,
                 [&](int column, std::u16string_view) {
                     seen.push_back(column);
                     return column < 2;
                 });
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
}

TEST(LogTable, RowsKeepTheirOwnFieldCounts) {
    LogTable table;
    table.AddWideRow(u"1,2,3,4,5,6", true);
    table.AddWideRow(u"7", true);
    table.AddWideRow(u"x", false);  // no field at all, still a row
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
