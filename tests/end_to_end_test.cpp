// Runs the built velmora and tessik in scratch directories, with Enter on
// standard input, and checks what a user sees: the console, the log file and
// the exit status.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool built_with_address_sanitizer = true;
#else
constexpr bool built_with_address_sanitizer = false;
#endif

const std::vector<int> sizes = {10000,   15000,   22500,   33750,   50625,   75937,
                                113905,  170857,  256285,  384427,  576640,  864960,
                                1297440, 1946160, 2919240, 4378860, 6568290, 9852435};
const std::string velmora_closing = "Tests finished, see 'test log.txt' for details ";
const std::string tessik_closing =
    "Tests finished, you can also see information above in 'test log.txt'";

// The programs' directory comes from the build, through the environment.
std::string binary(const char* name) {
    const char* dir = std::getenv("PROGRAMS_DIR");
    return (fs::path(dir == nullptr ? "." : dir) / name).string();
}

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh directory for one test, removed afterwards.
class scratch_dir {
public:
    scratch_dir() {
        std::string pattern = (fs::temp_directory_path() / "sort_e2e_XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~scratch_dir() {
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(path_);
    }
    scratch_dir(const scratch_dir&) = delete;
    scratch_dir& operator=(const scratch_dir&) = delete;

    const fs::path& path() const { return path_; }
    fs::path log() const { return path_ / "test log.txt"; }

private:
    fs::path path_;
};

struct outcome {
    int status = -1;  // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// Starts `program` in `dir` with `input` on standard input; `in_child` runs in
// the child just before exec (limits, dropped privileges).
pid_t start(const std::string& program, const fs::path& dir, const fs::path& input,
            const fs::path& out, const fs::path& err,
            const std::function<void()>& in_child = [] {}) {
    const pid_t child = fork();
    if (child == 0) {
        const int in_fd = open(input.c_str(), O_RDONLY);
        const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in_fd < 0 || out_fd < 0 || err_fd < 0 || chdir(dir.c_str()) != 0) _exit(120);
        dup2(in_fd, 0);
        dup2(out_fd, 1);
        dup2(err_fd, 2);
        in_child();
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(121);
    }
    return child;
}

int wait_for(pid_t child) {
    int raw = 0;
    waitpid(child, &raw, 0);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

outcome run(const std::string& program, const fs::path& dir,
            const std::function<void()>& in_child = [] {}) {
    scratch_dir io;
    std::ofstream(io.path() / "in") << "\n";
    outcome result;
    result.status = wait_for(start(program, dir, io.path() / "in", io.path() / "out",
                                   io.path() / "err", in_child));
    result.out = read_file(io.path() / "out");
    result.err = read_file(io.path() / "err");
    return result;
}

struct record {
    int size = 0;
    double sequential = 0;
    double parallel = 0;
    double speedup = 0;
};

// Splits a log of passing records; fails the test on any other text.
std::vector<record> passing_records(const std::string& log) {
    static const std::regex form(
        "\nSize = (\\d+) \nSequential time = (\\d+\\.\\d{6}) \nParallel time = (\\d+\\.\\d{6}) "
        "\nSpeedup of parallelism is (\\d+\\.\\d{6})");
    std::vector<record> records;
    auto at = log.cbegin();
    std::smatch match;
    while (at != log.cend() &&
           std::regex_search(at, log.cend(), match, form, std::regex_constants::match_continuous)) {
        records.push_back({std::stoi(match[1]), std::stod(match[2]), std::stod(match[3]),
                           std::stod(match[4])});
        at = match[0].second;
    }
    EXPECT_EQ(at, log.cend()) << "text that is not a record: " << std::string(at, log.cend());
    return records;
}

std::vector<int> sizes_of(const std::vector<record>& records) {
    std::vector<int> result;
    for (const record& r : records) result.push_back(r.size);
    return result;
}

std::vector<int> series_repeated(int times) {
    std::vector<int> result;
    for (int i = 0; i < times; ++i) result.insert(result.end(), sizes.begin(), sizes.end());
    return result;
}

TEST(velmora, logs_the_whole_series_and_appends_a_second_run) {
    scratch_dir dir;
    const outcome first = run(binary("velmora"), dir.path());
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, velmora_closing);
    EXPECT_EQ(first.err, "");
    const std::string first_log = read_file(dir.log());
    const std::vector<record> first_records = passing_records(first_log);
    EXPECT_EQ(sizes_of(first_records), sizes);
    for (const record& r : first_records) {
        EXPECT_GT(r.sequential, 0.0);
        EXPECT_GT(r.parallel, 0.0);
    }

    const outcome second = run(binary("velmora"), dir.path());
    EXPECT_EQ(second.status, 0);
    const std::string both_logs = read_file(dir.log());
    EXPECT_EQ(both_logs.substr(0, first_log.size()), first_log);
    EXPECT_EQ(sizes_of(passing_records(both_logs)), series_repeated(2));
}

// The console shows each logged value in the default format (six significant
// digits), the log with six decimals: they must agree to the coarser rounding.
void expect_same_value(const std::string& shown, double logged) {
    const double value = std::stod(shown);
    std::ostringstream reprinted;
    reprinted << value;
    EXPECT_EQ(reprinted.str(), shown) << "not in the default format";
    EXPECT_NEAR(value, logged, 5e-7 + std::fabs(logged) * 5e-6) << shown;
}

TEST(tessik, shows_every_logged_trial_then_the_closing_line) {
    scratch_dir dir;
    const outcome result = run(binary("tessik"), dir.path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    const std::vector<record> records = passing_records(read_file(dir.log()));
    ASSERT_EQ(sizes_of(records), sizes);

    static const std::regex block(
        "\nSize = (\\d+)\nSequential time = ([^\n]+)\nParallel time = ([^\n]+)"
        "\nSpeedup of parallelism is ([^\n]+)\n");
    auto at = result.out.cbegin();
    std::smatch match;
    for (const record& r : records) {
        ASSERT_TRUE(std::regex_search(at, result.out.cend(), match, block,
                                      std::regex_constants::match_continuous))
            << "no block for size " << r.size << " at: " << std::string(at, result.out.cend());
        EXPECT_EQ(std::stoi(match[1]), r.size);
        expect_same_value(match[2], r.sequential);
        expect_same_value(match[3], r.parallel);
        expect_same_value(match[4], r.speedup);
        at = match[0].second;
    }
    EXPECT_EQ(std::string(at, result.out.cend()), tessik_closing);
}

TEST(faults, a_log_that_cannot_be_opened_stops_the_run_at_once) {
    struct fault {
        const char* name;
        std::function<void(const scratch_dir&)> make;
        bool as_other_user;
        const char* reason;
    };
    const fault faults[] = {
        {"a directory named like the log",
         [](const scratch_dir& d) { fs::create_directory(d.log()); }, false, "Is a directory"},
        {"a directory the user may not write",
         [](const scratch_dir& d) {
             fs::permissions(d.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                           fs::perms::group_read | fs::perms::group_exec |
                                           fs::perms::others_read | fs::perms::others_exec);
         },
         true, "Permission denied"},
    };
    for (const fault& f : faults) {
        for (const char* program : {"velmora", "tessik"}) {
            scratch_dir dir;
            f.make(dir);
            // Root writes anywhere; run as nobody then, from a copy nobody may run.
            std::string executable = binary(program);
            std::function<void()> in_child = [] {};
            if (f.as_other_user && geteuid() == 0) {
                executable = (dir.path() / "program").string();
                fs::permissions(dir.path(), fs::perms::owner_all, fs::perm_options::add);
                fs::copy_file(binary(program), executable);
                fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::remove);
                in_child = [] {
                    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(122);
                };
            }
            const auto started = std::chrono::steady_clock::now();
            const outcome result = run(executable, dir.path(), in_child);
            SCOPED_TRACE(std::string(f.name) + ", " + program);
            EXPECT_EQ(result.status, 3);
            EXPECT_EQ(result.out, "") << "no trial runs, no closing line";
            EXPECT_NE(result.err.find("cannot open 'test log.txt' for appending: " +
                                      std::string(f.reason)),
                      std::string::npos)
                << result.err;
            EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
        }
    }
}

TEST(faults, a_log_that_cannot_be_written_stops_the_series) {
    for (const char* program : {"velmora", "tessik"}) {
        scratch_dir dir;
        fs::create_symlink("/dev/full", dir.log());
        const outcome result = run(binary(program), dir.path());
        SCOPED_TRACE(program);
        EXPECT_EQ(result.status, 3);
        EXPECT_EQ(result.out.find("Tests finished"), std::string::npos) << result.out;
        EXPECT_NE(result.err.find("cannot write to 'test log.txt': No space left on device"),
                  std::string::npos)
            << result.err;
    }
}

// The address-space limit makes one of the larger trials fail to allocate its
// arrays; everything before it must be in the log.
TEST(faults, running_out_of_memory_keeps_the_finished_trials) {
    if (built_with_address_sanitizer) {
        GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
    }
    scratch_dir dir;
    const outcome result = run(binary("velmora"), dir.path(), [] {
        const rlimit limit{120UL << 20, 120UL << 20};
        setrlimit(RLIMIT_AS, &limit);
    });
    EXPECT_EQ(result.status, 4) << result.err;
    EXPECT_EQ(result.out, "");
    const std::regex message("velmora: not enough memory for the trial of (\\d+) points; stopping\n");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(result.err, match, message)) << result.err;
    const std::vector<int> logged = sizes_of(passing_records(read_file(dir.log())));
    ASSERT_LT(logged.size(), sizes.size());
    EXPECT_GE(logged.size(), 10U) << "the limit leaves room for the smaller trials";
    EXPECT_EQ(logged, std::vector<int>(sizes.begin(), sizes.begin() + static_cast<long>(logged.size())));
    EXPECT_EQ(std::stoi(match[1]), sizes[logged.size()]);
}

bool wait_until(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// Standard input is a pipe that never delivers Enter, so the program waits.
TEST(interrupts, lose_no_finished_trial) {
    for (const bool at_prompt : {true, false}) {
        SCOPED_TRACE(at_prompt ? "Ctrl-C at the prompt" : "killed mid-series");
        scratch_dir dir;
        scratch_dir io;
        const fs::path input = io.path() / "input";
        ASSERT_EQ(mkfifo(input.c_str(), 0600), 0);
        const pid_t child =
            start(binary("velmora"), dir.path(), input, io.path() / "out", io.path() / "err");
        const int keep_open = open(input.c_str(), O_WRONLY);

        if (at_prompt) {
            ASSERT_TRUE(wait_until([&] { return read_file(io.path() / "out") == velmora_closing; },
                                   std::chrono::seconds(120)));
            kill(child, SIGINT);
        } else {
            ASSERT_TRUE(wait_until(
                [&] { return read_file(dir.log()).find("Size = 50625 ") != std::string::npos; },
                std::chrono::seconds(60)));
            kill(child, SIGKILL);
        }
        const int status = wait_for(child);
        close(keep_open);

        EXPECT_EQ(status, 128 + (at_prompt ? SIGINT : SIGKILL));
        const std::vector<int> logged = sizes_of(passing_records(read_file(dir.log())));
        if (at_prompt) {
            EXPECT_EQ(logged, sizes);
        } else {
            ASSERT_GE(logged.size(), 5U);
            EXPECT_EQ(logged,
                      std::vector<int>(sizes.begin(), sizes.begin() + static_cast<long>(logged.size())));
        }
    }
}

}  // namespace
