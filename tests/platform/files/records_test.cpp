#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/files/fileio.h"
#include "platform/files/recordfile.h"
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

// Every record as RecordAt gives it from the whole file, whatever the pieces the file is read in.
std::vector<std::string> ReadAll(files::RecordReader& reader) {
    std::vector<std::string> out;
    while (auto r = reader.Next()) out.emplace_back(*r);
    return out;
}

TEST(RecordReader, HandsOverTheRecordsOfTheWholeFileWhateverThePieces) {
    testenv::Sandbox box;
    const struct {
        const char* name;
        std::size_t length;  // of the file, records of 7 bytes
        CountRule rule;
    } files[] = {
        {"empty", 0, CountRule::NearestHalfEven},
        {"whole records", 7 * 10, CountRule::NearestHalfEven},
        {"a partial record counted", 7 * 10 + 4, CountRule::NearestHalfEven},
        {"a partial record not counted", 7 * 10 + 3, CountRule::NearestHalfEven},
        {"whole records only", 7 * 10 + 6, CountRule::WholeRecords},
        {"less than a record", 5, CountRule::NearestHalfEven},
    };
    for (const auto& f : files) {
        std::string bytes;
        for (std::size_t i = 0; i < f.length; ++i) bytes += static_cast<char>('A' + i % 26);
        testenv::Sandbox::Write("r.dat", bytes);
        const std::int64_t count = files::RecordCount(f.length, 7, f.rule);
        std::vector<std::string> expected;
        for (std::int64_t k = 1; k <= count; ++k) expected.push_back(files::RecordAt(bytes, k, 7));
        for (std::size_t piece : {1, 7, 16, 21, 1 << 20}) {
            files::RecordReader reader("r.dat", 7, files::kMostBytesRead, f.rule, piece);
            EXPECT_EQ(reader.count(), count) << f.name << ", pieces of " << piece;
            EXPECT_EQ(reader.length(), f.length) << f.name;
            EXPECT_EQ(ReadAll(reader), expected) << f.name << ", pieces of " << piece;
            EXPECT_FALSE(reader.Next()) << "nothing after the end";
        }
    }
}

TEST(RecordReader, AFileCutShortWhileItIsReadGivesWhatIsThere) {
    testenv::Sandbox box;
    testenv::Sandbox::Write("r.dat", std::string(7 * 10, 'x'));
    files::RecordReader reader("r.dat", 7, files::kMostBytesRead, CountRule::NearestHalfEven, 14);
    ASSERT_EQ(reader.count(), 10);
    ASSERT_TRUE(reader.Next());
    ASSERT_EQ(::truncate("r.dat", 7 * 3 + 5), 0);
    EXPECT_EQ(ReadAll(reader).size(), 3u) << "one read before, two whole and the partial one counted after";
    EXPECT_EQ(reader.count(), 4);
    EXPECT_EQ(reader.length(), 7u * 3 + 5);
}

TEST(RecordReader, RefusesWhatCannotBeReadBeforeReadingIt) {
    testenv::Sandbox box;
    auto number = [](const char* path, std::uint64_t limit) {
        try {
            files::RecordReader reader(path, 7, limit);
            return 0;
        } catch (const vb::Error& e) {
            return e.number;
        }
    };
    testenv::Sandbox::Write("small.dat", std::string(70, 'x'));
    EXPECT_EQ(number("small.dat", 70), 0);
    EXPECT_EQ(number("small.dat", 69), vb::errOverflow);
    testenv::Sandbox::Write("huge.dat", "");
    ASSERT_EQ(::truncate("huge.dat", 1LL << 40), 0);  // sparse: reading it would take the memory
    EXPECT_EQ(number("huge.dat", files::kMostBytesRead), vb::errOverflow);
    EXPECT_EQ(number("missing.dat", files::kMostBytesRead), vb::errFileNotFound);
    std::filesystem::create_directory("folder.dat");
    EXPECT_EQ(number("folder.dat", files::kMostBytesRead), vb::errPathFileAccess);
}

TEST(Records, LinesSplitOnCrLfOrLf) {
    EXPECT_EQ(files::SplitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(files::SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(files::JoinLines({"a", ""}), "a\r\n\r\n");
}

}  // namespace
