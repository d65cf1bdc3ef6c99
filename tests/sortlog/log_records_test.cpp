#include "log_records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "log_report.h"
#include "program.h"

namespace {

constexpr auto no_match = std::string_view::npos;

// What the real log functions write, through a temporary file.
std::string written_by(const std::function<void()>& write) {
    log_file = std::tmpfile();
    EXPECT_NE(log_file, nullptr);
    write();
    std::rewind(log_file);
    std::string text;
    for (int c = std::fgetc(log_file); c != EOF; c = std::fgetc(log_file)) {
        text += static_cast<char>(c);
    }
    std::fclose(log_file);
    log_file = nullptr;
    return text;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

// The record's own line: where its "Size" or "Error" text is.
std::string line_text(const std::vector<std::string>& lines, long long line) {
    if (line < 1 || line > static_cast<long long>(lines.size())) return "<no such line>";
    return lines[static_cast<std::size_t>(line - 1)];
}

TEST(LogRecordsRoundTrip, EveryRecordOfEitherProgramReadsBackAsWritten) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const program p : {program::velmora, program::tessik}) {
        SCOPED_TRACE(program_name(p));
        const std::string text = written_by([p, inf] {
            log_result(p, 10000, 0.5, 0.25, 2.0);
            log_serial_failure(p, 17);
            log_result(p, 22500, 1.5, 0.75, 2.0);
            log_parallel_failure(p, 4242);
            log_parallel_failure(p, 0);
            log_result(p, 50625, 0.001234, 0.0, inf);  // a parallel sort too quick to time
        });
        const log_contents read = read_log_records(text);
        EXPECT_TRUE(read.unreadable.empty());
        ASSERT_EQ(read.records.size(), 6u);

        const log_record& first = read.records[0];
        EXPECT_EQ(first.kind, record_kind::passed);
        EXPECT_EQ(first.size, 10000);
        EXPECT_EQ(first.sequential_seconds, 0.5);
        EXPECT_EQ(first.parallel_seconds, 0.25);
        EXPECT_EQ(first.speedup, 2.0);

        EXPECT_EQ(read.records[1].kind, record_kind::serial_failure);
        EXPECT_EQ(read.records[1].location, 17);
        EXPECT_EQ(read.records[2].size, 22500);
        EXPECT_EQ(read.records[3].kind, record_kind::parallel_failure);
        EXPECT_EQ(read.records[3].location, 4242);
        EXPECT_EQ(read.records[4].location, 0);
        EXPECT_EQ(read.records[5].sequential_seconds, 0.001234);
        EXPECT_EQ(read.records[5].speedup, inf);

        const std::vector<std::string> lines = lines_of(text);
        for (const log_record& r : read.records) {
            const std::string line = line_text(lines, r.line);
            const char* expected = r.kind == record_kind::passed           ? "Size = "
                                   : r.kind == record_kind::serial_failure ? "Error: Serial"
                                                                           : "Error: Parallel";
            EXPECT_NE(line.find(expected), std::string::npos) << "line " << r.line << ": " << line;
        }
    }
}

TEST(LogRecordsRoundTrip, RunsOfBothProgramsInOneLogAllReadBack) {
    const std::string text = written_by([] {
        log_result(program::velmora, 10000, 0.5, 0.25, 2.0);
        log_serial_failure(program::velmora, 5);
        log_result(program::tessik, 10000, 0.5, 0.25, 2.0);
        log_parallel_failure(program::tessik, 6);
        log_serial_failure(program::velmora, 7);
        log_result(program::velmora, 15000, 0.5, 0.25, 2.0);
    });
    const log_contents read = read_log_records(text);
    EXPECT_TRUE(read.unreadable.empty());
    std::vector<std::pair<record_kind, int>> got;
    for (const log_record& r : read.records) got.emplace_back(r.kind, r.size + r.location);
    const std::vector<std::pair<record_kind, int>> expected{
        {record_kind::passed, 10000},     {record_kind::serial_failure, 5},
        {record_kind::passed, 10000},     {record_kind::parallel_failure, 6},
        {record_kind::serial_failure, 7}, {record_kind::passed, 15000}};
    EXPECT_EQ(got, expected);
}

TEST(LogRecordsRoundTrip, NanSpeedupOfUntimedSortsReadsBackAsNan) {
    const std::string text = written_by([] {
        log_result(program::tessik, 10000, 0.0, 0.0, std::nan(""));
        log_result(program::tessik, 15000, 0.0, 0.0, -std::nan(""));
    });
    const log_contents read = read_log_records(text);
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_TRUE(std::isnan(read.records[0].speedup));
    EXPECT_TRUE(std::isnan(read.records[1].speedup));
}

struct form_case {
    const char* name;
    const char* form;
    const char* text;
    std::size_t end;
    std::vector<int> integers;
    std::vector<double> reals;
};

TEST(MatchForm, FollowsTheFormsLiteralsAndFields) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<form_case> cases{
        {"literals only", "ab", "abc", 2, {}, {}},
        {"literal differs", "ab", "aB", no_match, {}, {}},
        {"text ends inside the form", "abc", "ab", no_match, {}, {}},
        {"negative integer", "n=%d;", "n=-42;", 6, {-42}, {}},
        {"integer needs a digit", "n=%d;", "n=;", no_match, {}, {}},
        {"integer never has a plus", "n=%d", "n=+3", no_match, {}, {}},
        {"integer past int", "n=%d;", "n=99999999999;", no_match, {}, {}},
        {"fixed real", "t=%f ", "t=0.001250 ", 11, {}, {0.00125}},
        {"real at the end of the text", "t=%f", "t=12.500000", 11, {}, {12.5}},
        {"infinite real", "t=%f ", "t=-inf ", 7, {}, {-inf}},
        {"exponent is no %f output", "t=%f ", "t=1e5 ", no_match, {}, {}},
        {"fields in order", "%d %f %d %f", "1 0.5 2 0.25", 12, {1, 2}, {0.5, 0.25}},
        {"percent sign", "100%% %d", "100% 7", 6, {7}, {}},
        {"unknown conversion", "%s", "abc", no_match, {}, {}},
        {"form ends in a lone percent", "a%", "a%", no_match, {}, {}},
        {"more integers than are held", "%d %d %d", "1 2 3", no_match, {}, {}},
    };
    for (const form_case& c : cases) {
        SCOPED_TRACE(c.name);
        form_fields fields;
        const std::size_t end = match_form(c.form, c.text, 0, fields);
        EXPECT_EQ(end, c.end);
        if (end == no_match) continue;
        EXPECT_EQ(
            std::vector<int>(fields.integers.begin(),
                             fields.integers.begin() + static_cast<long>(fields.integer_count)),
            c.integers);
        EXPECT_EQ(std::vector<double>(fields.reals.begin(),
                                      fields.reals.begin() + static_cast<long>(fields.real_count)),
                  c.reals);
    }
}

TEST(MatchForm, StartsAtTheGivenPositionAndForgetsEarlierFields) {
    form_fields fields;
    ASSERT_EQ(match_form("%d", "5", 0, fields), 1u);
    EXPECT_EQ(match_form("x=%f", "..x=2.000000", 2, fields), 12u);
    EXPECT_EQ(fields.integer_count, 0u);
    EXPECT_EQ(fields.real_count, 1u);
    EXPECT_EQ(fields.reals[0], 2.0);
}

// Text as the programs write it, for building damaged logs around.
std::string result(int n) {
    char text[200];
    std::snprintf(text, sizeof text, result_form, n, 0.5, 0.25, 2.0);
    return text;
}

std::string failure(const char* form, int location) {
    char text[200];
    std::snprintf(text, sizeof text, form, location);
    return text;
}

struct damaged_case {
    const char* name;
    std::string text;
    std::vector<std::pair<record_kind, int>> records;  // size, or location of a failure
    std::vector<std::pair<long long, long long>> unreadable;
};

TEST(ReadLogRecords, SkipsTextThatIsNoRecordAndNamesItsLines) {
    constexpr auto passed = record_kind::passed;
    const std::vector<damaged_case> cases{
        {"empty log", "", {}, {}},
        {"another file", "#include <cstdio>\nint main() {}\n", {}, {{1, 2}}},
        {"junk before the first record",
         "hello world\n" + result(10000) + result(15000),
         {{passed, 10000}, {passed, 15000}},
         {{1, 1}}},
        // Lines 2-5 hold the first record, 6-7 the damaged one.
        {"damaged record between two",
         result(10000) + "\nSize = 15000 \nSequential tme = 0.1" + result(22500),
         {{passed, 10000}, {passed, 22500}},
         {{6, 7}}},
        {"record cut short at the end of the log",
         result(10000) + "\nSize = 15000 \nSequential time = 0.01",
         {{passed, 10000}},
         {{6, 7}}},
        {"text glued to a record's last number",
         result(10000) + "xyz" + result(15000),
         {{passed, 10000}, {passed, 15000}},
         {{5, 5}}},
        {"size too large for an int",
         "\nSize = 99999999999" + result(10000).substr(13),
         {},
         {{2, 5}}},
        {"blank tail an editor added", result(10000) + "\n\n  \n", {{passed, 10000}}, {}},
        {"failures of both programs after junk",
         "junk" + failure(serial_failure_form(program::tessik), 3) +
             failure(parallel_failure_form(program::velmora), 4) + result(10000),
         {{record_kind::serial_failure, 3}, {record_kind::parallel_failure, 4}, {passed, 10000}},
         {{1, 1}}},
    };
    for (const damaged_case& c : cases) {
        SCOPED_TRACE(c.name);
        const log_contents read = read_log_records(c.text);
        std::vector<std::pair<record_kind, int>> records;
        for (const log_record& r : read.records) records.emplace_back(r.kind, r.size + r.location);
        EXPECT_EQ(records, c.records);
        std::vector<std::pair<long long, long long>> unreadable;
        for (const unreadable_text& u : read.unreadable) {
            unreadable.emplace_back(u.first_line, u.last_line);
        }
        EXPECT_EQ(unreadable, c.unreadable);
    }
}

TEST(ReadLogRecords, NamesTheLineOfEachRecordsText) {
    // Line 1 is junk; a result's "Size" is on the line after its leading newline.
    const log_contents read = read_log_records(
        "junk" + result(10000) + failure(serial_failure_form(program::velmora), 1) + result(15000));
    ASSERT_EQ(read.records.size(), 3u);
    EXPECT_EQ(read.records[0].line, 2);
    EXPECT_EQ(read.records[1].line, 9);  // after the velmora failure's three blank lines
    EXPECT_EQ(read.records[2].line, 14);
}

}  // namespace
