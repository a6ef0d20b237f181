#include <gtest/gtest.h>

#include "platform/files/fileio.h"
#include "platform/files/records.h"
#include "sandbox_env.h"

namespace {

using files::ByteReader;
using files::ByteWriter;
using files::CountRule;
using files::FixedString;

TEST(Records, WriterLaysOutLittleEndianFieldsAndPaddedText) {
    std::string bytes = ByteWriter()
                            .Text("Apple", 8)
                            .Int32(-2)
                            .Int16(0x1234)
                            .Single(1.5f)
                            .Double(-0.25)
                            .Text("(\xBD)", 5)
                            .Text("far too long", 3)
                            .take();
    std::string expected = std::string("Apple   ") + std::string("\xFE\xFF\xFF\xFF", 4) + "\x34\x12" +
                           std::string("\x00\x00\xC0\x3F", 4) + std::string("\x00\x00\x00\x00\x00\x00\xD0\xBF", 8) +
                           "(\xBD)  " + "far";
    EXPECT_EQ(bytes, expected);

    ByteReader r(bytes);
    EXPECT_EQ(r.Text(8), "Apple   ");
    EXPECT_EQ(r.Int32(), -2);
    EXPECT_EQ(r.Int16(), 0x1234);
    EXPECT_EQ(r.Single(), 1.5f);
    EXPECT_EQ(r.Double(), -0.25);
    EXPECT_EQ(r.Text<5>().str(), "(\xBD)  ");
}

TEST(Records, ReaderPastTheEndGivesZerosAndNuls) {
    const std::string bytes("AB\x01", 3);
    ByteReader r(bytes);
    EXPECT_EQ(r.Text(2), "AB");
    EXPECT_EQ(r.Int32(), 1);
    EXPECT_EQ(r.Text(3), std::string(3, '\0'));
}

TEST(Records, FixedStringHoldsNulsUntilAssigned) {
    FixedString<6> never;
    EXPECT_EQ(never.str(), std::string(6, '\0'));
    FixedString<6> shortText = "ab";
    EXPECT_EQ(shortText.str(), "ab    ");
    shortText = "abcdefgh";
    EXPECT_EQ(shortText.str(), "abcdef");
    EXPECT_EQ(ByteWriter().Text(never).bytes(), std::string(6, '\0'));
}

TEST(Records, RecordCountFollowsTheCallersRule) {
    struct Row {
        const char* name;
        std::uint64_t length;
        std::size_t record;
        CountRule rule;
        std::int64_t count;
    };
    const Row rows[] = {
        {"empty", 0, 126, CountRule::NearestHalfEven, 0},
        {"whole", 126 * 3, 126, CountRule::NearestHalfEven, 3},
        {"one and a half rounds to two", 189, 126, CountRule::NearestHalfEven, 2},
        {"a half rounds to zero", 63, 126, CountRule::NearestHalfEven, 0},
        {"two and a half rounds to two", 315, 126, CountRule::NearestHalfEven, 2},
        {"just over a half rounds up", 64, 126, CountRule::NearestHalfEven, 1},
        {"whole records only", 189, 126, CountRule::WholeRecords, 1},
        {"zero record length", 10, 0, CountRule::WholeRecords, 0},
    };
    for (const auto& row : rows) EXPECT_EQ(files::RecordCount(row.length, row.record, row.rule), row.count) << row.name;
}

TEST(Records, RecordAtPadsAPartialLastRecordWithNuls) {
    std::string file = std::string(4, 'a') + "bb";
    EXPECT_EQ(files::RecordAt(file, 1, 4), "aaaa");
    EXPECT_EQ(files::RecordAt(file, 2, 4), std::string("bb\0\0", 4));
    EXPECT_EQ(files::RecordAt(file, 3, 4), std::string(4, '\0'));
}

TEST(Records, RecordsOnDiskAreReadAndWrittenInPlace) {
    testenv::Sandbox box;
    files::WriteRecord("r.dat", 2, "BBB");  // record 1 becomes a gap of NULs
    files::WriteRecord("r.dat", 1, "AAA");
    EXPECT_EQ(testenv::Sandbox::Read("r.dat"), "AAABBB");
    EXPECT_EQ(files::ReadRecord("r.dat", 2, 3), "BBB");
    EXPECT_EQ(files::ReadRecord("r.dat", 3, 3), std::string(3, '\0'));
    EXPECT_THROW(files::ReadRecord("missing.dat", 1, 3), vb::Error);
}

TEST(Records, LinesSplitOnCrLfOrLf) {
    EXPECT_EQ(files::SplitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(files::SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(files::JoinLines({"a", ""}), "a\r\n\r\n");
}

}  // namespace
