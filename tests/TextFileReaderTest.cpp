// Reading text files line by line: line ends, the end-of-text byte, long lines.
#include "platform/TextFileReader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <vector>

#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

std::vector<std::u16string> ReadAll(const std::string& path,
                                    TextEncoding e = TextEncoding::Latin1) {
    TextFileReader reader(e);
    EXPECT_EQ(reader.Open(path), test::kNoFailure);
    std::vector<std::u16string> lines;
    std::u16string line;
    while (reader.ReadLine(line)) lines.push_back(line);
    EXPECT_EQ(reader.Failed(), test::kNoFailure);
    return lines;
}

struct LinesCase {
    const char* name;
    std::string bytes;
    std::vector<std::u16string> lines;
};

TEST(TextFileReader, SplitsLinesAsTextStreamsDo) {
    const LinesCase cases[] = {
        {"empty file", "", {}},
        {"LF and CR LF both read as LF", "a\nb\r\nc", {u"a\n", u"b\n", u"c"}},
        {"a lone CR is a character", "a\rb\n\r", {u"a\rb\n", u"\r"}},
        {"CR CR LF keeps the first CR", "a\r\r\n", {u"a\r\n"}},
        {"0x1A ends the input",
         "a\nb\x1A"
         "c\nd\n",
         {u"a\n", u"b"}},
        {"0x1A at the start",
         "\x1A"
         "abc",
         {}},
        {"a line ends at its first NUL",
         std::string("a\0b\nc\n", 6),
         {std::u16string(u"a\0", 2), u"c\n"}},
        {"0x1A after a NUL still ends the input",
         std::string("a\0b\x1A\nc\n", 7),
         {std::u16string(u"a\0", 2)}},
        {"empty lines", "\n\n", {u"\n", u"\n"}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        test::WriteFile(dir / "f", c.bytes);
        EXPECT_EQ(ReadAll(dir / "f"), c.lines) << c.name;
    }
}

TEST(TextFileReader, ReadsLongLinesWholeAcrossBufferBoundaries) {
    TempDir dir;
    // Lines of many sizes around the 64 KiB read size, with CR LF pairs split by the boundary.
    std::string bytes;
    std::vector<std::u16string> expected;
    for (std::size_t length : {65535u, 65534u, 1u, 200000u, 0u, 131071u}) {
        std::string line(length, 'x');
        for (std::size_t i = 0; i < length; i += 997) line[i] = static_cast<char>('a' + i % 26);
        bytes += line + "\r\n";
        expected.emplace_back(line.begin(), line.end());
        expected.back() += u'\n';
    }
    test::WriteFile(dir / "f", bytes);
    EXPECT_EQ(ReadAll(dir / "f"), expected);
}

TEST(TextFileReader, DecodesCodePage932AndKeepsPairsSplitByTheBuffer) {
    TempDir dir;
    std::string bytes(65535, 'a');
    bytes += "\x93\xFA\r\n";  // the pair straddles the first 64 KiB read
    test::WriteFile(dir / "f", bytes);
    auto lines = ReadAll(dir / "f", TextEncoding::Cp932);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(65535), u"日\n");
}

// The reader sizes its reads by the file's size when it was opened; what the file holds when
// it is read is what counts.
TEST(TextFileReader, ReadsWhatTheFileHoldsWhenItChangedAfterOpening) {
    struct Case {
        const char* name;
        std::string atOpen, afterOpen;
    };
    const std::string big(70000, 'b');
    const Case cases[] = {
        {"grew by a little", "a\n", "a\nb\nc"},
        {"grew past 64 KiB", "a\n", "a\n" + big + "\nz\n"},
        {"shrank", "a\n" + big + "\n", "a\n"},
        {"emptied", "abc\n", ""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        test::WriteFile(dir / "f", c.atOpen);
        TextFileReader reader(TextEncoding::Latin1);
        ASSERT_EQ(reader.Open(dir / "f"), test::kNoFailure) << c.name;
        std::ofstream(dir / "f", std::ios::binary | std::ios::trunc) << c.afterOpen;
        std::string all;
        std::u16string line;
        while (reader.ReadLine(line)) all.append(line.begin(), line.end());
        EXPECT_EQ(reader.Failed(), test::kNoFailure) << c.name;
        EXPECT_EQ(all, c.afterOpen) << c.name;
    }
}

// A FIFO without a writer, devices and folders are refused at once, never waited on or read.
TEST(TextFileReader, RefusesWhatIsNotARegularFile) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", (dir / "zero").c_str()), 0);
    ASSERT_EQ(::symlink("pipe", (dir / "link to pipe").c_str()), 0);
    const std::pair<std::string, int> cases[] = {
        {dir / "missing", ENOENT},
        {dir.path(), Failure::kNotARegularFile},
        {dir / "pipe", Failure::kNotARegularFile},
        {dir / "link to pipe", Failure::kNotARegularFile},
        {dir / "zero", Failure::kNotARegularFile},
        {"/dev/null", Failure::kNotARegularFile},
    };
    TextFileReader reader(TextEncoding::Latin1);
    for (const auto& [path, why] : cases)
        EXPECT_EQ(reader.Open(path), (Failure{Failure::kRead, path, why}));
}

// A sparse file of a terabyte: its hole is a line of zeros, stepped over rather than read.
TEST(TextFileReader, StepsOverTheHoleOfASparseFile) {
    TempDir dir;
    const std::string path = dir / "sparse";
    test::WriteFile(path, "ab\n");
    ASSERT_EQ(::truncate(path.c_str(), 1ll << 40), 0);
    {
        std::ofstream end(path, std::ios::binary | std::ios::in | std::ios::out);
        end.seekp((1ll << 40) - 4);
        end << "c\nd\n";
    }
    EXPECT_EQ(ReadAll(path),
              (std::vector<std::u16string>{u"ab\n", std::u16string(1, u'\0'), u"d\n"}));
}

}  // namespace
}  // namespace zintor
