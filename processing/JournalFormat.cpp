#include "processing/JournalFormat.h"

#include <cstdio>
#include <cstdlib>

namespace lumora {
namespace {

// FNV-1a, 32 bits: enough to tell a torn or garbled line from a whole one.
uint32_t checksum(const std::string& text) {
    uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::string escape(const std::string& field) {
    std::string out;
    out.reserve(field.size());
    for (const char c : field) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

bool unescape(const std::string& text, std::string& field) {
    field.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            field += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
            case '\\':
                field += '\\';
                break;
            case 't':
                field += '\t';
                break;
            case 'n':
                field += '\n';
                break;
            case 'r':
                field += '\r';
                break;
            default:
                return false;
        }
    }
    return true;
}

bool readNumber(const std::string& text, uint64_t& value) {
    if (text.empty() || text.size() > 20) return false;
    char* end = nullptr;
    value = std::strtoull(text.c_str(), &end, 10);
    return end == text.c_str() + text.size() &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::string encodeRecord(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        line += escape(field);
        line += '\t';
    }
    char sum[16];
    std::snprintf(sum, sizeof sum, "%08x", checksum(line));
    line += sum;
    line += '\n';
    return line;
}

std::optional<std::vector<std::string>> decodeRecord(const std::string& line) {
    const size_t tab = line.find_last_of('\t');
    if (tab == std::string::npos || line.size() - tab - 1 != 8) return std::nullopt;
    const std::string body = line.substr(0, tab + 1);
    char sum[16];
    std::snprintf(sum, sizeof sum, "%08x", checksum(body));
    if (line.compare(tab + 1, 8, sum) != 0) return std::nullopt;
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < body.size()) {
        const size_t end = body.find('\t', start);
        std::string field;
        if (!unescape(body.substr(start, end - start), field)) return std::nullopt;
        fields.push_back(std::move(field));
        start = end + 1;
    }
    if (fields.empty()) return std::nullopt;
    return fields;
}

void appendStamp(std::vector<std::string>& fields, const FileStamp& stamp) {
    fields.push_back(std::to_string(stamp.identity.device));
    fields.push_back(std::to_string(stamp.identity.inode));
    fields.push_back(std::to_string(stamp.size));
    fields.push_back(std::to_string(stamp.modifiedNs));
}

bool readStamp(const std::vector<std::string>& fields, size_t at, FileStamp& stamp) {
    if (fields.size() < at + 4) return false;
    uint64_t modified = 0;
    if (!readNumber(fields[at], stamp.identity.device) ||
        !readNumber(fields[at + 1], stamp.identity.inode) ||
        !readNumber(fields[at + 2], stamp.size)) {
        return false;
    }
    const std::string& time = fields[at + 3];
    const bool negative = !time.empty() && time[0] == '-';
    if (!readNumber(negative ? time.substr(1) : time, modified)) return false;
    stamp.modifiedNs = negative ? -static_cast<int64_t>(modified) : static_cast<int64_t>(modified);
    return true;
}

}  // namespace lumora
