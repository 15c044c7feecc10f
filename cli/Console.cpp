#include "cli/Console.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace lumora::cli {
namespace {

constexpr const char* kClearLine = "\r\033[K";
constexpr int kDefaultWidth = 80;

bool isTerminal(std::FILE* file) {
    return ::isatty(::fileno(file)) == 1;
}

// The text cut to fit one line of the terminal, never inside a UTF-8
// character, so the line can be redrawn in place.
std::string fitted(const std::string& text, int width) {
    const size_t room = width > 1 ? static_cast<size_t>(width - 1) : 1;
    if (text.size() <= room) return text;
    size_t end = room;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

}  // namespace

Console::Console(std::string command, std::FILE* out, std::FILE* err, bool progressLine)
    : command_(std::move(command)), out_(out), err_(err), progressLine_(progressLine) {}

Console::Console(std::string command)
    : Console(std::move(command), stdout, stderr, isTerminal(stderr)) {}

Console::~Console() {
    clearProgress();
}

void Console::error(const std::string& text) {
    clearProgress();
    std::fprintf(err_, "lumora-cli %s: %s\n", command_.c_str(), text.c_str());
    std::fflush(err_);
}

void Console::notice(const std::string& text) {
    if (quiet_) return;
    clearProgress();
    std::fprintf(err_, "%s\n", text.c_str());
    std::fflush(err_);
}

std::string escapeField(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
#ifdef _WIN32
    // Backslashes separate the folders of every Windows path and are written
    // as they are. No Windows name holds a tab or line break: only a text
    // read from a picture can, and there each is written as a space, so the
    // line still holds its fields and every path reads as Windows writes it.
    for (const char c : text) escaped += c == '\t' || c == '\n' ? ' ' : c;
#else
    for (const char c : text) {
        switch (c) {
            case '\t':
                escaped += "\\t";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\\':
                escaped += "\\\\";
                break;
            default:
                escaped += c;
        }
    }
#endif
    return escaped;
}

void Console::record(const std::vector<std::string>& fields) {
    if (nulRecords_) {
        clearProgress();
        for (const std::string& field : fields)
            std::fwrite(field.c_str(), 1, field.size() + 1, out_);
        if (drawn_ || progressLine_) std::fflush(out_);
        return;
    }
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += '\t';
        line += escapeField(fields[i]);
    }
    result(line);
}

void Console::result(const std::string& line) {
    clearProgress();
    if (nulRecords_) {
        std::fwrite(line.c_str(), 1, line.size() + 1, out_);
    } else {
        std::fprintf(out_, "%s\n", line.c_str());
    }
    // When both streams are the terminal, the line must be out before the
    // progress line comes back.
    if (drawn_ || progressLine_) std::fflush(out_);
}

void Console::prompt(const std::string& text) {
    clearProgress();
    std::fputs(text.c_str(), err_);
    std::fflush(err_);
}

void Console::showProgress(const std::string& text) {
    if (!progressLine_ || quiet_) return;
    const std::string line = fitted(text, lineWidth());
    if (drawn_ && line == shown_) return;
    std::fprintf(err_, "%s%s", kClearLine, line.c_str());
    std::fflush(err_);
    shown_ = line;
    drawn_ = true;
}

void Console::clearProgress() {
    if (!drawn_) return;
    std::fputs(kClearLine, err_);
    std::fflush(err_);
    drawn_ = false;
    shown_.clear();
}

int Console::lineWidth() const {
#ifdef _WIN32
    CONSOLE_SCREEN_BUFFER_INFO info{};
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::fileno(err_)));
    if (::GetConsoleScreenBufferInfo(handle, &info) && info.srWindow.Right > info.srWindow.Left) {
        return info.srWindow.Right - info.srWindow.Left + 1;
    }
#else
    winsize size{};
    if (::ioctl(::fileno(err_), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
    return kDefaultWidth;
}

void TerminalProgress::setStatus(const std::string& text) {
    status_ = text;
    draw();
}

void TerminalProgress::setRange(int64_t lower, int64_t upper) {
    lower_ = lower;
    upper_ = upper;
    position_ = lower;
}

void TerminalProgress::setPosition(int64_t position) {
    position_ = position;
    draw();
}

void TerminalProgress::draw() {
    if (status_.empty()) {
        console_.clearProgress();
        return;
    }
    std::string line = status_;
    if (upper_ > lower_) {
        int64_t percent = (position_ - lower_) * 100 / (upper_ - lower_);
        percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
        line += " " + std::to_string(percent) + "%";
    }
    console_.showProgress(line);
}

}  // namespace lumora::cli
