// Mapped files: their bytes, the read fallback, and a file that shrinks under the mapping.
#include "platform/MappedFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "logs/ReportLogReader.h"
#include "report/TrafficTotals.h"
#include "tests/TestSupport.h"

namespace zintor {
namespace {

using test::TempDir;

TEST(MappedFile, GivesTheBytesOfFilesAndPipes) {
    TempDir dir;
    test::WriteFile(dir / "f", "abc\n");
    MappedFile file;
    ASSERT_TRUE(file.Open(dir / "f"));
    EXPECT_EQ(file.Bytes(), "abc\n");
    test::WriteFile(dir / "empty", "");
    ASSERT_TRUE(file.Open(dir / "empty"));
    EXPECT_EQ(file.Bytes(), "");
    EXPECT_FALSE(file.Open(dir.path()));
    EXPECT_FALSE(file.Open(dir / "missing"));

    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    pid_t writer = ::fork();
    if (writer == 0) {
        int fd = ::open((dir / "pipe").c_str(), O_WRONLY);
        ssize_t n = ::write(fd, "piped\n", 6);
        ::_exit(n == 6 ? 0 : 1);
    }
    ASSERT_TRUE(file.Open(dir / "pipe"));
    EXPECT_EQ(file.Bytes(), "piped\n");
    ::waitpid(writer, nullptr, 0);
}

TEST(MappedFile, AFileThatShrinksReadsZerosInsteadOfKillingTheProcess) {
    TempDir dir;
    std::string bytes(3 * 4096, 'x');
    test::WriteFile(dir / "f", bytes);
    MappedFile file;
    ASSERT_TRUE(file.Open(dir / "f"));
    ASSERT_EQ(::truncate((dir / "f").c_str(), 100), 0);
    std::string_view seen = file.Bytes();
    EXPECT_EQ(seen[50], 'x');
    EXPECT_EQ(seen[2 * 4096 + 7], '\0');  // the lost page reads as zeros
    EXPECT_TRUE(file.Truncated());
    file.Close();
    ASSERT_TRUE(file.Open(dir / "f"));
    EXPECT_FALSE(file.Truncated());
}

TEST(MappedFile, ALogThatShrinksAfterReadingMakesNoPage) {
    TempDir dir;
    std::string log;
    for (int i = 0; i < 2000; ++i) log += "20240301,120000,1,2\n";
    test::WriteFile(dir / "vorlix_report2024.log", log);
    LogTable table;
    ASSERT_EQ(ReadReportLogFile(dir / "vorlix_report2024.log", TextEncoding::Latin1, table, nullptr), 1);
    ASSERT_EQ(::truncate((dir / "vorlix_report2024.log").c_str(), 10), 0);
    auto totals = std::make_unique<TrafficTotals>();
    AggregateLogTable(table, *totals);  // must not crash
    EXPECT_TRUE(table.SourceChanged());
}

}  // namespace
}  // namespace zintor
