// The work folder and the files the monitor reads and holds, on Windows: folders and files of this
// process's own owner, closed to every other account but SYSTEM and the administrators.

#include "PathRules.h"
#include "Platform.h"
#include "Win32Internal.h"

#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <cstdio>
#include <cwctype>

namespace platform {
namespace {

using win32::CopyOfSid;
using win32::Handle;
using win32::IsKnown;
using win32::Problem;
using win32::ReadWideValue;
using win32::Sid;
using win32::TokenInformation;
using win32::TokenUserSid;
using win32::Utf8;
using win32::WellKnownSid;
using win32::Wide;

// The owner this process gives what it creates: the user, or the Administrators group when elevated.
Sid TokenOwnerSid() {
    const std::vector<unsigned char> owner = TokenInformation(TokenOwner);
    return owner.empty() ? Sid() : CopyOfSid(reinterpret_cast<const TOKEN_OWNER*>(owner.data())->Owner);
}

// Full control for the admitted accounts, inherited by everything in the folder.
std::vector<unsigned char> PrivateAcl(const std::vector<Sid>& admitted) {
    DWORD size = sizeof(ACL);
    for (const Sid& sid : admitted) size += sizeof(ACCESS_ALLOWED_ACE) + static_cast<DWORD>(sid.size());
    std::vector<unsigned char> acl(size);
    auto* list = reinterpret_cast<PACL>(acl.data());
    if (!InitializeAcl(list, size, ACL_REVISION)) return {};
    for (const Sid& sid : admitted) {
        if (sid.empty() || !AddAccessAllowedAceEx(list, ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE,
                                                  FILE_ALL_ACCESS, const_cast<unsigned char*>(sid.data())))
            return {};
    }
    return acl;
}

// Whether every grant of `dacl` goes to an admitted account; a missing list grants everyone everything.
bool GrantsOnlyTo(PACL dacl, const std::vector<Sid>& admitted) {
    if (!dacl) return false;
    for (DWORD index = 0; index < dacl->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(dacl, index, &entry)) return false;
        const auto* header = static_cast<ACE_HEADER*>(entry);
        if (header->AceType == ACCESS_DENIED_ACE_TYPE) continue;
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) return false;
        if (!IsKnown(&static_cast<ACCESS_ALLOWED_ACE*>(entry)->SidStart, admitted)) return false;
    }
    return true;
}

Sid OwnerOf(HANDLE handle) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(handle, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return {};
    Sid copy = owner ? CopyOfSid(owner) : Sid();
    LocalFree(descriptor);
    return copy;
}

// Where the work folder is made. The user's temporary folder is named by HKCU\Environment, which the
// user's unelevated programs can change, so an elevated monitor works in the machine's ProgramData
// folder instead: its path comes from the machine's part of the registry, and only administrators can
// rename, replace or redirect any folder on the way to it.
std::string WorkFolderParent() {
    if (!RunsElevated()) return TemporaryDirectory();
    PWSTR known = nullptr;
    const bool found = SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, KF_FLAG_DONT_VERIFY, nullptr, &known));
    const std::string folder = found ? Utf8(known) : std::string();
    CoTaskMemFree(known);
    return folder.empty() ? folder : folder + "\\";
}

// Every administrator's elevated monitor shares ProgramData, so each has a folder named after its user.
std::string WorkFolderName() {
    if (!RunsElevated()) return "CorvaneSMART";
    const Sid user = TokenUserSid();
    LPWSTR text = nullptr;
    if (user.empty() || !ConvertSidToStringSidW(const_cast<unsigned char*>(user.data()), &text)) return {};
    const std::string name = "CorvaneSMART-" + Utf8(text);
    LocalFree(text);
    return name;
}

// An elevated process gives what it and its tools create to the Administrators group, not to the user,
// whose unelevated programs would otherwise own the files too. Windows does so by default; this makes
// it so whatever the machine's policy says.
void GiveNewFilesToAdministrators() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_DEFAULT, &token)) return;
    Handle held(token);
    Sid administrators = WellKnownSid(WinBuiltinAdministratorsSid);
    TOKEN_OWNER owner{administrators.data()};
    if (!SetTokenInformation(token, TokenOwner, &owner, sizeof owner))
        std::fprintf(stderr, "platform: new files cannot be given to the administrators (error %lu)\n", GetLastError());
}

// The owner the file system gives what this process creates: the user, or the Administrators group when
// elevated. It is read off a file made for the purpose, as the token and the file system may disagree.
const Sid& OwnerOfOwnFiles() {
    static const Sid owner = [] {
        if (RunsElevated()) GiveNewFilesToAdministrators();
        const std::string probe = WorkFolderParent() + "CorvaneSMART-owner-" + std::to_string(GetCurrentProcessId()) +
                                  "-" + std::to_string(GetTickCount64());
        Handle file(CreateFileW(Wide(probe).c_str(), GENERIC_READ | READ_CONTROL, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        return file.valid() ? OwnerOf(file.get()) : TokenOwnerSid();
    }();
    return owner;
}

// The only accounts admitted to the work folder.
std::vector<Sid> AdmittedSids() {
    return {OwnerOfOwnFiles(), WellKnownSid(WinLocalSystemSid), WellKnownSid(WinBuiltinAdministratorsSid)};
}

// Grants the folder to the admitted accounts alone, unless it does so already.
bool CloseToOthers(HANDLE folder, std::string& problem) {
    const std::vector<Sid> admitted = AdmittedSids();
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR current = nullptr;
    if (GetSecurityInfo(folder, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                        &current) != ERROR_SUCCESS) {
        problem = Problem("cannot read the access of the work folder");
        return false;
    }
    const bool closed = GrantsOnlyTo(dacl, admitted);
    LocalFree(current);
    if (closed) return true;
    std::vector<unsigned char> acl = PrivateAcl(admitted);
    if (acl.empty() || SetSecurityInfo(folder, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                       nullptr, nullptr, reinterpret_cast<PACL>(acl.data()), nullptr) != ERROR_SUCCESS) {
        problem = Problem("the work folder is open to others and cannot be closed");
        return false;
    }
    return true;
}

bool IsPlainFile(const BY_HANDLE_FILE_INFORMATION& information) {
    return !(information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

// The interpreter expands "%NAME%" even inside quotes, and a quote ends the word.
bool QuotesLiterally(const std::string& word) {
    return std::none_of(word.begin(), word.end(),
                        [](unsigned char c) { return c == '"' || c == '%' || c < 0x20 || c == 0x7F; });
}

}  // namespace

namespace detail {
bool IsAbsolutePath(const std::string& path) {
    if (path.rfind("\\\\", 0) == 0) return true;
    return path.size() >= 3 && std::iswalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           (path[2] == '\\' || path[2] == '/');
}
}  // namespace detail

std::string TemporaryDirectory() {
    std::string directory = ReadWideValue([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
    if (directory.empty() || directory.back() != '\\') directory += '\\';
    return directory;
}

// An elevated monitor and a plain one of the same user have folders of their own, each owned by the
// owner of what its process creates. The folder stays open for the life of the process without
// sharing it for deletion, so that no one renames it away and puts another in its place. Whatever
// else stands at its name (another account's folder, a link, a junction, a file) is moved aside,
// never entered.
std::string PrepareWorkDirectory(std::string& problem) {
    static Handle held;
    static std::string heldFolder;
    const std::string parent = WorkFolderParent(), name = WorkFolderName();
    if (parent.empty() || name.empty()) {
        problem = Problem("the work folder's place is unknown");
        return {};
    }
    const std::string folder = parent + name;
    if (held.valid() && heldFolder == folder) return CloseToOthers(held.get(), problem) ? folder + "\\" : std::string();
    if (!QuotesLiterally(folder)) {
        problem = folder + " cannot be written on a command line word for word";
        return {};
    }
    std::vector<unsigned char> acl = PrivateAcl(AdmittedSids());
    SECURITY_DESCRIPTOR descriptor{};
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, reinterpret_cast<PACL>(acl.data()), FALSE);
    SetSecurityDescriptorControl(&descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!CreateDirectoryW(Wide(folder).c_str(), &attributes) && GetLastError() != ERROR_ALREADY_EXISTS) {
            problem = Problem("cannot make " + folder);
            return {};
        }
        Handle directory(CreateFileW(Wide(folder).c_str(), READ_CONTROL | WRITE_DAC, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                     nullptr));
        BY_HANDLE_FILE_INFORMATION information{};
        if (!directory.valid() || !GetFileInformationByHandle(directory.get(), &information)) {
            problem = Problem("cannot hold " + folder);
            return {};
        }
        const Sid owner = OwnerOf(directory.get());
        const bool own = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                         !(information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && !owner.empty() &&
                         IsKnown(owner.data(), {OwnerOfOwnFiles()});
        if (own) {
            if (!CloseToOthers(directory.get(), problem)) return {};
            held.Reset(directory.Release());
            heldFolder = folder;
            return folder + "\\";
        }
        directory.Close();
        const std::string aside = folder + ".untrusted-" + std::to_string(GetTickCount64());
        if (!MoveFileExW(Wide(folder).c_str(), Wide(aside).c_str(), 0)) {
            problem = Problem(folder + " is not this monitor's own folder and cannot be moved aside");
            return {};
        }
        std::fprintf(stderr, "platform: %s was not this monitor's own folder; moved it to %s\n", folder.c_str(),
                     aside.c_str());
    }
    problem = folder + " was taken again by another account";
    return {};
}

char PathSeparator() { return '\\'; }

FileContent ReadOwnFile(const std::string& path, std::size_t largest) {
    FileContent content;
    Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ | READ_CONTROL,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &information)) {
        content.problem = Problem("cannot open " + path);
        return content;
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !IsPlainFile(information)) {
        content.problem = path + " is not a regular file";
        return content;
    }
    // Elevated, a file of the user's is one the user's unelevated programs could have written.
    const std::vector<Sid> owners = RunsElevated() ? AdmittedSids() : std::vector<Sid>{OwnerOfOwnFiles(), TokenUserSid()};
    const Sid owner = OwnerOf(file.get());
    if (owner.empty() || !IsKnown(owner.data(), owners)) {
        content.problem = path + " belongs to another account";
        return content;
    }
    content.size = (static_cast<unsigned long long>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    content.bytes.reserve(static_cast<size_t>(std::min<unsigned long long>(content.size, largest)));
    std::vector<char> block(65536);
    while (content.bytes.size() < largest) {
        DWORD step = 0;
        const DWORD wanted = static_cast<DWORD>(std::min(block.size(), largest - content.bytes.size()));
        if (!ReadFile(file.get(), block.data(), wanted, &step, nullptr) || step == 0) break;
        content.bytes.append(block.data(), step);
    }
    content.read = true;
    return content;
}

// Made anew and checked, but not held open while it is used: how diskpart opens its script is its own
// affair, and a handle of ours could make that open fail. The work folder's access list already keeps
// every other account away from it.
std::unique_ptr<HeldFile> HoldNewFile(const std::string& path, const std::string& content, std::string& problem) {
    const std::wstring name = Wide(path);
    if (!DeleteFileW(name.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        problem = Problem("cannot remove " + path);
        return nullptr;
    }
    Handle file(CreateFileW(name.c_str(), GENERIC_WRITE | GENERIC_READ, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN,
                            nullptr));
    DWORD count = 0;
    BY_HANDLE_FILE_INFORMATION written{};
    if (!file.valid() || !WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &count, nullptr) ||
        count != content.size() || !GetFileInformationByHandle(file.get(), &written) || !IsPlainFile(written)) {
        problem = Problem("cannot write " + path);
        return nullptr;
    }
    return std::make_unique<HeldFile>();
}

InstanceClaim ClaimSingleInstance(const std::string& lockPath, std::string& problem) {
    // Opened without sharing for the life of the process: a second monitor cannot open it.
    HANDLE lock = CreateFileW(Wide(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (lock != INVALID_HANDLE_VALUE) return InstanceClaim::Claimed;
    const bool held = GetLastError() == ERROR_SHARING_VIOLATION;
    problem = Problem("cannot open " + lockPath);
    return held ? InstanceClaim::HeldByAnother : InstanceClaim::Unavailable;
}

}  // namespace platform
