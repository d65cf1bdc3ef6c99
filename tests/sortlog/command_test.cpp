#include "command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "log_report.h"

namespace fs = std::filesystem;

namespace {

std::string result(int n) {
    char text[200];
    std::snprintf(text, sizeof text, result_form, n, 0.5, 0.25, 2.0);
    return text;
}

// A scratch directory that is also the working directory while a test runs.
class SortlogCommand : public testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        dir_ =
            fs::temp_directory_path() /
            ("sortlog_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }

    static void write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }

    int run(const std::vector<std::string>& arguments) {
        out_.str("");
        err_.str("");
        return run_sortlog(arguments, out_, err_);
    }

    std::ostringstream out_;
    std::ostringstream err_;

private:
    fs::path previous_;
    fs::path dir_;
};

TEST_F(SortlogCommand, HelpDescribesUsageOptionsAndPlacement) {
    for (const char* option : {"--help", "-h"}) {
        EXPECT_EQ(run({option}), sortlog_done);
        const std::string text = out_.str();
        for (const char* expected : {"Usage: sortlog [--csv] [--svg CHART] [LOG]", "'test log.txt'",
                                     "--csv", "--svg CHART", "10000, 15000, ... 9852435 (18 sizes)",
                                     "new run", "line", "Exit status"}) {
            EXPECT_NE(text.find(expected), std::string::npos) << expected;
        }
        EXPECT_EQ(err_.str(), "");
    }
}

TEST_F(SortlogCommand, RejectsAWrongCommandLine) {
    const std::vector<std::vector<std::string>> wrong{{"--bogus"}, {"-x", "log.txt"},  {"--svg"},
                                                      {"--svg="},  {"a.txt", "b.txt"}, {""}};
    for (const auto& arguments : wrong) {
        SCOPED_TRACE(arguments.front());
        EXPECT_EQ(run(arguments), sortlog_usage_error);
        EXPECT_NE(err_.str().find("Try 'sortlog --help'"), std::string::npos);
        EXPECT_EQ(out_.str(), "");
    }
    run({"--bogus"});
    EXPECT_EQ(err_.str(), "sortlog: unknown option '--bogus'\nTry 'sortlog --help'.\n");
}

TEST_F(SortlogCommand, FailsClearlyWhenTheLogCannotBeRead) {
    EXPECT_EQ(run({"missing.txt"}), sortlog_file_error);
    EXPECT_EQ(err_.str(), "sortlog: cannot read 'missing.txt': No such file or directory\n");
    EXPECT_EQ(out_.str(), "");

    fs::create_directory("a directory");
    EXPECT_EQ(run({"a directory"}), sortlog_file_error);
    EXPECT_NE(err_.str().find("cannot read 'a directory'"), std::string::npos);

    // No log in the working directory: the default name is the one missing.
    EXPECT_EQ(run({}), sortlog_file_error);
    EXPECT_NE(err_.str().find("cannot read 'test log.txt'"), std::string::npos);
}

TEST_F(SortlogCommand, ReadsTheLogInTheWorkingDirectoryByDefault) {
    write("test log.txt", result(10000) + result(15000) + result(10000));
    EXPECT_EQ(run({}), sortlog_done);
    EXPECT_NE(out_.str().find("\n2 runs\n"), std::string::npos) << out_.str();
    EXPECT_EQ(err_.str(), "");
}

TEST_F(SortlogCommand, ReportsSkippedTextByLineAndSummarisesTheRest) {
    // Lines 2-5: a record; 6: damage; 7-10: a record; 11-14: a size outside the series.
    char odd_size[200];
    std::snprintf(odd_size, sizeof odd_size, result_form, 12345, 0.5, 0.25, 2.0);
    write("damaged.txt",
          result(10000) + "\n#### torn line" + result(15000) + odd_size + "\nmore junk\nand more");
    EXPECT_EQ(run({"damaged.txt"}), sortlog_done);
    EXPECT_EQ(err_.str(),
              "sortlog: damaged.txt:6: not a log record; skipped\n"
              "sortlog: damaged.txt:11: size 12345 is not one of the series; skipped\n"
              "sortlog: damaged.txt:15-16: not a log record; skipped\n");
    EXPECT_NE(out_.str().find("run 1: 2 entries, 0 failures, speedup 2.00 at size 15000"),
              std::string::npos)
        << out_.str();
}

TEST_F(SortlogCommand, WritesCsvInsteadOfTheTable) {
    write("log", result(10000));
    EXPECT_EQ(run({"--csv", "log"}), sortlog_done);
    EXPECT_EQ(out_.str(),
              "run,position,size,status,sequential_s,parallel_s,speedup,location\n"
              "1,1,10000,passed,0.500000,0.250000,2.000000,\n");
}

TEST_F(SortlogCommand, WritesTheChartBesideTheTable) {
    write("log", result(10000) + result(15000));
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--svg", "chart.svg", "log"},
          std::vector<std::string>{"log", "--svg=chart.svg"}}) {
        fs::remove("chart.svg");
        EXPECT_EQ(run(arguments), sortlog_done);
        std::ifstream chart("chart.svg");
        std::stringstream text;
        text << chart.rdbuf();
        EXPECT_EQ(text.str().rfind("<svg", 0), 0u);
        EXPECT_NE(text.str().find("</svg>"), std::string::npos);
        EXPECT_NE(out_.str().find("1 run\n"), std::string::npos);
    }

    EXPECT_EQ(run({"--svg", "no such dir/chart.svg", "log"}), sortlog_file_error);
    EXPECT_NE(err_.str().find("cannot write the chart 'no such dir/chart.svg'"), std::string::npos)
        << err_.str();
}

TEST_F(SortlogCommand, ReadsALogWhoseNameLooksLikeAnOptionAfterDoubleDash) {
    write("-odd", result(10000));
    EXPECT_EQ(run({"--", "-odd"}), sortlog_done);
    EXPECT_NE(out_.str().find("1 run\n"), std::string::npos);
}

}  // namespace
