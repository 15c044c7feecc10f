#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/ProgressSink.h"

namespace lumora::cli {

// What one command writes: its results on standard output, everything else
// (errors, the program's messages, questions, progress) on standard error.
// On a terminal a single progress line is redrawn in place on standard
// error; every other line clears it first, so nothing is glued to it.
class Console {
  public:
    // progressLine: whether err is a terminal that can show the line.
    Console(std::string command, std::FILE* out, std::FILE* err, bool progressLine);
    // Standard output and error, with the line when standard error is a terminal.
    explicit Console(std::string command);
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    ~Console();

    const std::string& command() const { return command_; }
    // Quiet: no progress and no messages, only results and errors.
    void setQuiet(bool quiet) { quiet_ = quiet; }
    bool quiet() const { return quiet_; }

    // "lumora-cli COMMAND: text" on standard error.
    void error(const std::string& text);
    // One of the program's messages, on standard error unless quiet.
    void notice(const std::string& text);
    // A line of the command's result on standard output.
    void result(const std::string& line);
    // A tab-separated line of fields on standard output, each field as
    // escapeField writes it, so that a line always holds its fields and ends
    // where it ends. With NUL
    // records set, every field is written as it is and ends with a NUL,
    // and so do the other result lines.
    void record(const std::vector<std::string>& fields);
    void setNulRecords(bool nul) { nulRecords_ = nul; }
    // Text of a question, without a line break, on standard error.
    void prompt(const std::string& text);

    // Replaces the progress line (nothing without a terminal, or when quiet).
    void showProgress(const std::string& text);
    void clearProgress();

    std::FILE* out() const { return out_; }
    std::FILE* err() const { return err_; }

  private:
    int lineWidth() const;

    std::string command_;
    std::FILE* out_;
    std::FILE* err_;
    bool progressLine_;
    bool quiet_ = false;
    bool nulRecords_ = false;
    bool drawn_ = false;
    std::string shown_;
};

// A field of a tab-separated line: "\t", "\n" and "\\" for tab, line break
// and backslash; on Windows backslashes as they are and a space for a tab or
// line break (which no Windows name can hold).
std::string escapeField(const std::string& text);

// A status text with a percentage of its bar, on the console's progress line.
class TerminalProgress : public ProgressSink {
  public:
    explicit TerminalProgress(Console& console) : console_(console) {}
    void setStatus(const std::string& text) override;
    void setRange(int64_t lower, int64_t upper) override;
    void setPosition(int64_t position) override;
    void setStep(int64_t step) override { step_ = step; }
    void step() override { setPosition(position_ + step_); }

  private:
    void draw();
    Console& console_;
    std::string status_;
    int64_t lower_ = 0, upper_ = 0, position_ = 0, step_ = 1;
};

}  // namespace lumora::cli
