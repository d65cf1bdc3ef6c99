#pragma once

#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>

#include "log_report.h"

// Points log_file at a scratch file and sends std::cout into the same file,
// so a test sees the log and the console text in the order they were written.
class report_capture {
public:
    report_capture() : file_(std::tmpfile()), console_(file_) {
        log_file = file_;
        saved_cout_ = std::cout.rdbuf(&console_);
    }
    ~report_capture() {
        std::cout.rdbuf(saved_cout_);
        log_file = nullptr;
        std::fclose(file_);
    }
    report_capture(const report_capture&) = delete;
    report_capture& operator=(const report_capture&) = delete;

    std::string text() {
        std::cout.flush();
        std::fflush(file_);
        std::string content;
        std::rewind(file_);
        for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_)) {
            content.push_back(static_cast<char>(c));
        }
        std::fseek(file_, 0, SEEK_END);
        return content;
    }

private:
    class file_buffer : public std::streambuf {
    public:
        explicit file_buffer(std::FILE* file) : file_(file) {}

    protected:
        int_type overflow(int_type c) override {
            if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
            return std::fputc(c, file_) == EOF ? traits_type::eof() : c;
        }
        std::streamsize xsputn(const char* s, std::streamsize count) override {
            return static_cast<std::streamsize>(
                std::fwrite(s, 1, static_cast<std::size_t>(count), file_));
        }

    private:
        std::FILE* file_;
    };

    std::FILE* file_;
    file_buffer console_;
    std::streambuf* saved_cout_ = nullptr;
};
