#pragma once

// What the Windows side's files share: texts crossing to and from UTF-16, reading a Win32 value,
// naming a failure, holding a handle, asking the process's token, and security identifiers.

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace platform::win32 {

inline std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

inline std::string Utf8(const wchar_t* text, int length = -1) {
    if (!text) return {};
    if (length < 0) length = static_cast<int>(wcslen(text));
    if (length == 0) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

// Calls a Win32 getter that fills a buffer and reports the size it needs when the buffer is short.
template <typename Getter>
std::string ReadWideValue(Getter getter) {
    std::vector<wchar_t> buffer(512);
    for (;;) {
        const DWORD length = getter(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return Utf8(buffer.data(), static_cast<int>(length));
        buffer.resize(std::max<size_t>(length + 1, buffer.size() * 2));
    }
}

inline std::string Problem(const std::string& what) { return what + " (error " + std::to_string(GetLastError()) + ")"; }

class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    void Close() { Reset(INVALID_HANDLE_VALUE); }
    void Reset(HANDLE handle) {
        if (valid()) CloseHandle(handle_);
        handle_ = handle;
    }
    HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }

private:
    HANDLE handle_;
};

inline std::vector<unsigned char> TokenInformation(TOKEN_INFORMATION_CLASS which) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    Handle held(token);
    DWORD size = 0;
    GetTokenInformation(token, which, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !GetTokenInformation(token, which, buffer.data(), size, &size)) return {};
    return buffer;
}

using Sid = std::vector<unsigned char>;

inline Sid CopyOfSid(PSID sid) {
    Sid copy(GetLengthSid(sid));
    CopySid(static_cast<DWORD>(copy.size()), copy.data(), sid);
    return copy;
}

inline Sid WellKnownSid(WELL_KNOWN_SID_TYPE type) {
    Sid sid(SECURITY_MAX_SID_SIZE);
    DWORD size = static_cast<DWORD>(sid.size());
    if (!CreateWellKnownSid(type, nullptr, sid.data(), &size)) return {};
    sid.resize(size);
    return sid;
}

inline bool IsKnown(const void* sid, const std::vector<Sid>& known) {
    return std::any_of(known.begin(), known.end(), [&](const Sid& one) {
        return !one.empty() && EqualSid(const_cast<void*>(sid), const_cast<unsigned char*>(one.data()));
    });
}

inline Sid TokenUserSid() {
    const std::vector<unsigned char> user = TokenInformation(TokenUser);
    return user.empty() ? Sid() : CopyOfSid(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid);
}

}  // namespace platform::win32
