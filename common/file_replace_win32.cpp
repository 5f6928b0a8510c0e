// Replacing a file on Windows: a new temporary file beside the target,
// flushed, then moved over the target.
#include "common/file_replace.h"

#include "common/names_win32.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <fcntl.h>
#include <filesystem>
#include <io.h>

namespace kolibra {

namespace {

ReplaceResult failure(DWORD error, bool not_opened) {
    ReplaceResult r;
    r.not_opened = not_opened;
    r.reason = win32_error_text(error);
    return r;
}

ReplaceResult success() {
    ReplaceResult r;
    r.ok = true;
    return r;
}

bool is_separator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::size_t name_start(const std::wstring& path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (is_separator(path[i - 1]) || path[i - 1] == L':') return i;
    return 0;
}

// At most `count` UTF-16 units of `name`, never splitting a surrogate pair.
std::wstring cut_name(const std::wstring& name, std::size_t count) {
    if (name.size() <= count) return name;
    if (count > 0 && name[count - 1] >= 0xD800 && name[count - 1] <= 0xDBFF) --count;
    return name.substr(0, count);
}

// Hands a Win32 handle to a C stream; closes the handle on failure.
std::FILE* stream_for(HANDLE handle, const char* mode, int flags) {
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* stream = _fdopen(fd, mode);
    if (!stream) _close(fd);
    return stream;
}

}  // namespace

ReplaceResult TemporaryBeside::create(const std::string& target, const ReplaceOptions& options) {
    discard();
    kept_ = false;
    temporary_.clear();
    target_ = target;
    in_place_ = false;
    const std::wstring wide_target = native_file_name(target_);
    const std::size_t start = name_start(wide_target);
    const std::wstring folder = wide_target.substr(0, start);
    if (options.create_folders && !folder.empty()) {
        std::error_code ignored;  // a folder that cannot be made fails the create below
        std::filesystem::create_directories(std::filesystem::path(folder), ignored);
    }

    const DWORD attributes = GetFileAttributesW(wide_target.c_str());
    had_file_ = attributes != INVALID_FILE_ATTRIBUTES;
    if (had_file_ && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return failure(ERROR_DIRECTORY, true);
    // A read-only file stays as it is, as an in-place rewrite would leave it.
    if (had_file_ && (attributes & FILE_ATTRIBUTE_READONLY))
        return failure(ERROR_ACCESS_DENIED, true);
    if (had_file_) {
        // A device (NUL, CON) holds no old file to protect: written in place.
        HANDLE probe = CreateFileW(wide_target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
        if (probe != INVALID_HANDLE_VALUE && GetFileType(probe) != FILE_TYPE_DISK) {
            stream_ = stream_for(probe, "wb", _O_WRONLY);
            if (!stream_) return failure(ERROR_OPEN_FAILED, true);
            in_place_ = true;
            return success();
        }
        if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
    }

    // The target's name is cut in the temporary one, so that a target whose
    // name is near the 255-unit limit still gets a temporary name that fits.
    const std::wstring stem = cut_name(wide_target.substr(start), kTemporaryStemMax);
    std::wstring wide_temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        wide_temporary = folder + L"." + stem + L".tmp" + std::to_wstring(GetCurrentProcessId()) +
                         L"-" + std::to_wstring(attempt);
        // Share mode 0: nobody else opens the temporary file while it is ours.
        file = CreateFileW(wide_temporary.c_str(), GENERIC_READ | GENERIC_WRITE,
                           options.lock_exclusive ? 0 : FILE_SHARE_READ, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
        }
    }
    if (file == INVALID_HANDLE_VALUE) return failure(error, true);
    temporary_ = narrow_to_utf8(wide_temporary);
    stream_ = stream_for(file, "w+b", _O_RDWR);
    if (!stream_) {
        DeleteFileW(wide_temporary.c_str());
        temporary_.clear();
        return failure(ERROR_OPEN_FAILED, true);
    }
    return success();
}

ReplaceResult TemporaryBeside::put_in_place(bool keep_on_failure) {
    if (!stream_) return failure(ERROR_INVALID_HANDLE, true);
    DWORD error = 0;
    if (std::fflush(stream_) != 0) error = ERROR_WRITE_FAULT;
    if (error == 0 && !in_place_) {
        HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream_)));
        if (!FlushFileBuffers(handle)) error = GetLastError();
    }
    if (std::fclose(stream_) != 0 && error == 0) error = ERROR_WRITE_FAULT;
    stream_ = nullptr;
    if (in_place_) return error == 0 ? success() : failure(error, false);

    const std::wstring wide_temporary = widen_utf8(temporary_);
    if (error == 0 && !MoveFileExW(wide_temporary.c_str(), native_file_name(target_).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error != 0) {
        if (keep_on_failure) {
            kept_ = true;
        } else {
            DeleteFileW(wide_temporary.c_str());
            temporary_.clear();
        }
        return failure(error, false);
    }
    temporary_.clear();
    return success();
}

void TemporaryBeside::discard() {
    close_stream();
    if (!temporary_.empty() && !kept_) DeleteFileW(widen_utf8(temporary_).c_str());
    if (!kept_) temporary_.clear();
}

}  // namespace kolibra
