#include "platform/Win32FileSystem.h"

#include <algorithm>

#include "platform/WideText.h"
#include "platform/Win32Handles.h"

namespace lumora {
namespace {

using win32::Handle;

// ReadFile and WriteFile take at most a DWORD of bytes per call.
constexpr size_t kLargestTransfer = size_t{1} << 30;

class Win32InputFile : public InputFile {
  public:
    Win32InputFile(HANDLE handle, const FileFacts& facts) : handle_(handle), facts_(facts) {}

    size_t read(void* buffer, size_t size) override {
        auto* out = static_cast<char*>(buffer);
        size_t total = 0;
        while (total < size) {
            DWORD got = 0;
            const auto ask = static_cast<DWORD>(std::min(size - total, kLargestTransfer));
            if (!::ReadFile(handle_.get(), out + total, ask, &got, nullptr)) {
                error_ = ::GetLastError();
                break;
            }
            if (got == 0) break;
            total += got;
        }
        return total;
    }

    bool seek(uint64_t offset) override {
        LARGE_INTEGER position;
        position.QuadPart = static_cast<LONGLONG>(offset);
        if (!::SetFilePointerEx(handle_.get(), position, nullptr, FILE_BEGIN)) {
            error_ = ::GetLastError();
            return false;
        }
        return true;
    }

    ErrorCode error() const override { return error_; }
    FileFacts facts() const override { return facts_; }

  private:
    Handle handle_;
    FileFacts facts_;
    ErrorCode error_ = kErrorSuccess;
};

class Win32OutputFile : public OutputFile {
  public:
    explicit Win32OutputFile(HANDLE handle) : handle_(handle) {}

    bool write(const void* data, size_t size) override {
        if (!handle_.valid()) return fail(ERROR_INVALID_HANDLE);
        const auto* in = static_cast<const char*>(data);
        size_t total = 0;
        while (total < size) {
            DWORD put = 0;
            const auto ask = static_cast<DWORD>(std::min(size - total, kLargestTransfer));
            if (!::WriteFile(handle_.get(), in + total, ask, &put, nullptr)) {
                return fail(::GetLastError());
            }
            total += put;
        }
        return true;
    }

    bool flush() override {
        if (!handle_.valid()) return fail(ERROR_INVALID_HANDLE);
        return ::FlushFileBuffers(handle_.get()) || fail(::GetLastError());
    }

    bool close() override {
        if (!handle_.valid()) return fail(ERROR_INVALID_HANDLE);
        return handle_.reset() || fail(::GetLastError());
    }

    ErrorCode error() const override { return error_; }

  private:
    bool fail(DWORD code) {
        error_ = code;
        return false;
    }

    Handle handle_;
    ErrorCode error_ = kErrorSuccess;
};

// CreateFileW for a name that must be a regular file. A folder fails in the
// open itself; a device (CON, NUL, COM1 in any folder) or pipe opens, is
// seen for what it is and closed unread, failing as access denied as a
// folder does. facts, when given, gets the file's size and creation time.
HANDLE openRegular(const std::string& path, DWORD access, DWORD disposition, FileFacts* facts,
                   ErrorCode& error) {
    HANDLE handle = ::CreateFileW(toWide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return INVALID_HANDLE_VALUE;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (::GetFileType(handle) != FILE_TYPE_DISK || !win32::informationOf(handle, information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ::CloseHandle(handle);
        error = kErrorAccessDenied;
        return INVALID_HANDLE_VALUE;
    }
    if (facts != nullptr) {
        facts->size =
            (static_cast<uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
        facts->creationTime = win32::fileTimeValue(information.ftCreationTime);
    }
    error = kErrorSuccess;
    return handle;
}

std::unique_ptr<InputFile> openInput(const std::string& path, ErrorCode& error) {
    FileFacts facts;
    HANDLE handle = openRegular(path, GENERIC_READ, OPEN_EXISTING, &facts, error);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32InputFile>(handle, facts);
}

// A name the search lists with a reparse point (a symbolic link or a
// junction) is looked at through the link: a link that points nowhere is
// left out, a link to a folder is listed as a folder never descended into,
// and a link to a file is that file.
bool describeLink(const std::string& path, DirectoryEntry& entry) {
    Handle target(win32::openForQuery(path));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!target.valid() || !win32::informationOf(target.get(), information)) return false;
    entry.isDirectory = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isSymbolicLink = entry.isDirectory;
    return true;
}

}  // namespace

ErrorCode Win32FileSystem::listDirectory(const std::string& path,
                                         std::vector<DirectoryEntry>& entries) {
    entries.clear();
    std::string pattern = path;
    if (pattern.empty() || !isPathSeparator(pattern.back())) pattern += kPathSeparator;
    pattern += '*';
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileExW(toWide(pattern).c_str(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        const ErrorCode error = ::GetLastError();
        // A file searched as a folder: the code Windows gives a path that is
        // not a folder, whatever the search said.
        const DWORD attributes = ::GetFileAttributesW(toWide(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            return kErrorDirectory;
        }
        // Only a drive's empty root lists nothing at all: every other folder
        // has "." and "..".
        return error == ERROR_FILE_NOT_FOUND ? kErrorSuccess : error;
    }
    do {
        const std::wstring wide = found.cFileName;
        if (wide == L"." || wide == L"..") continue;
        DirectoryEntry entry;
        entry.name = fromWide(wide);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            if (!describeLink(joinPath(path, entry.name), entry)) continue;
        } else {
            entry.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        }
        entries.push_back(std::move(entry));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    sortDirectoryEntries(entries);
    return kErrorSuccess;
}

std::unique_ptr<InputFile> Win32FileSystem::openRead(const std::string& path, ErrorCode& error) {
    return openInput(path, error);
}

std::unique_ptr<InputFile> Win32FileSystem::openListedFile(const std::string& path,
                                                           const DirectoryEntry& entry,
                                                           ErrorCode& error) {
    if (entry.isDirectory || entry.isSpecialFile) {
        error = kErrorAccessDenied;
        return nullptr;
    }
    return openInput(path, error);
}

std::unique_ptr<OutputFile> Win32FileSystem::openWrite(const std::string& path, CreateMode mode,
                                                       ErrorCode& error) {
    const DWORD disposition = mode == CreateMode::New      ? CREATE_NEW
                              : mode == CreateMode::Append ? OPEN_ALWAYS
                                                           : CREATE_ALWAYS;
    HANDLE handle = openRegular(path, GENERIC_WRITE, disposition, nullptr, error);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    // An appended record goes after the bytes already there.
    if (mode == CreateMode::Append && !::SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_END)) {
        error = ::GetLastError();
        ::CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<Win32OutputFile>(handle);
}

ErrorCode Win32FileSystem::renameReplace(const std::string& from, const std::string& to) {
    if (::MoveFileExW(toWide(from).c_str(), toWide(to).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return kErrorSuccess;
    }
    return ::GetLastError();
}

ErrorCode Win32FileSystem::removeFile(const std::string& path) {
    if (::DeleteFileW(toWide(path).c_str())) return kErrorSuccess;
    return ::GetLastError();
}

bool Win32FileSystem::identify(const std::string& path, FileIdentity& identity) {
    Handle handle(win32::openForQuery(path));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!handle.valid() || !win32::informationOf(handle.get(), information)) return false;
    identity = FileIdentity{
        information.dwVolumeSerialNumber,
        (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
    return true;
}

bool Win32FileSystem::stamp(const std::string& path, FileStamp& stamp) {
    Handle handle(win32::openForQuery(path));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!handle.valid() || !win32::informationOf(handle.get(), information)) return false;
    stamp.identity = FileIdentity{
        information.dwVolumeSerialNumber,
        (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
    stamp.size = (static_cast<uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    // FILETIME counts 100 ns from 1601; the stamp counts nanoseconds from 1970.
    constexpr int64_t kTicksFrom1601To1970 = 116444736000000000;
    const int64_t ticks = static_cast<int64_t>(
        (static_cast<uint64_t>(information.ftLastWriteTime.dwHighDateTime) << 32) |
        information.ftLastWriteTime.dwLowDateTime);
    stamp.modifiedNs = (ticks - kTicksFrom1601To1970) * 100;
    return true;
}

std::string Win32FileSystem::resolveLinks(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(toWide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return path;
    }
    // The system follows the whole chain of links at once. A link that
    // points nowhere cannot be opened and stays as it is: a write then
    // replaces the link.
    Handle handle(win32::openForQuery(path));
    if (!handle.valid()) return path;
    std::wstring target(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(handle.get(), target.data(),
                                                         static_cast<DWORD>(target.size()),
                                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return path;
        if (length < target.size()) {
            target.resize(length);
            break;
        }
        target.resize(length);
    }
    // The answer starts with "\\?\" (or "\\?\UNC\" for a share).
    if (target.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        return std::string(2, '\\').append(fromWide(target.substr(8)));
    }
    if (target.rfind(L"\\\\?\\", 0) == 0) return fromWide(target.substr(4));
    return fromWide(target);
}

bool Win32FileSystem::fileStatus(const std::string& path, FileStatus& status) {
    Handle handle(win32::openForQuery(path));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!handle.valid() || !win32::informationOf(handle.get(), information)) return false;
    const bool readOnly = (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    // The bits the C runtime's stat gives on Windows: read for all, and
    // write for all unless the file is read-only.
    status.permissions = readOnly ? 0444 : 0666;
    // The read-only attribute, and then whether this user may write it.
    status.writable = !readOnly && Handle(win32::openForQuery(path, FILE_WRITE_DATA)).valid();
    return true;
}

ErrorCode Win32FileSystem::setPermissions(const std::string& path, uint32_t permissions) {
    const std::wstring wide = toWide(path);
    DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ::GetLastError();
    // Only the owner's write bit has a Windows counterpart: the read-only
    // attribute.
    if ((permissions & 0200) != 0) {
        attributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    } else {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    if (::SetFileAttributesW(wide.c_str(), attributes)) return kErrorSuccess;
    return ::GetLastError();
}

FileSystem& realFileSystem() {
    static Win32FileSystem fileSystem;
    return fileSystem;
}

}  // namespace lumora
