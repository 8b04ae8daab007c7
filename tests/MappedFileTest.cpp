// Mapped files: their bytes, and a file that shrinks under the mapping.
#include "platform/MappedFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "logs/ReportLogReader.h"
#include "report/MonthFigures.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

// The file stays open for as long as the test needs it; the mapping does not need it.
int OpenForReading(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }

TEST(MappedFile, GivesTheBytesOfAFile) {
    TempDir dir;
    test::WriteFile(dir / "f", "abc\n");
    MappedFile file;
    int fd = OpenForReading(dir / "f");
    ASSERT_TRUE(file.Map(fd, 4));
    ::close(fd);
    EXPECT_EQ(file.Bytes(), "abc\n");
    EXPECT_FALSE(file.Map(fd, 4)) << "a closed descriptor";
    EXPECT_EQ(file.Bytes(), "");

    // Pages prepared ahead of reading and let go behind it read the same bytes again.
    std::string pages(3 * 4096 + 100, 'p');
    pages[5000] = 'q';
    test::WriteFile(dir / "g", pages);
    fd = OpenForReading(dir / "g");
    ASSERT_TRUE(file.Map(fd, pages.size()));
    ::close(fd);
    file.Prepare(4000, 8192);
    file.Release(9000);
    file.Release(pages.size() + 4096);
    EXPECT_EQ(file.Bytes(), pages);
    file.Close();
    EXPECT_EQ(file.Bytes(), "");
}

TEST(MappedFile, AFileThatShrinksReadsZerosInsteadOfKillingTheProcess) {
    TempDir dir;
    std::string bytes(3 * 4096, 'x');
    test::WriteFile(dir / "f", bytes);
    MappedFile file;
    int fd = OpenForReading(dir / "f");
    ASSERT_TRUE(file.Map(fd, bytes.size()));
    ASSERT_EQ(::truncate((dir / "f").c_str(), 100), 0);
    std::string_view seen = file.Bytes();
    EXPECT_EQ(seen[50], 'x');
    EXPECT_EQ(seen[2 * 4096 + 7], '\0');  // the lost page reads as zeros
    EXPECT_TRUE(file.Truncated());
    ASSERT_TRUE(file.Map(fd, 100));
    EXPECT_FALSE(file.Truncated());
    ::close(fd);
}

TEST(MappedFile, ALogThatShrinksAfterReadingMakesNoPage) {
    TempDir dir;
    std::string log;
    for (int i = 0; i < 2000; ++i) log += "20240301,120000,1,2\n";
    test::WriteFile(dir / "vorlix_report2024.log", log);
    LogTable table;
    ASSERT_EQ(ReadReportLogFile(dir / "vorlix_report2024.log", TextEncoding::Latin1, table),
              test::kNoFailure);
    ASSERT_EQ(::truncate((dir / "vorlix_report2024.log").c_str(), 10), 0);
    auto figures = std::make_unique<MonthFigures>();
    AddUpLogTable(table, *figures);  // must not crash
    EXPECT_TRUE(table.SourceChanged());
}

}  // namespace
}  // namespace zintor
