// Whether an elevated monitor may run the tool the settings name: only when no account but the
// administrators, SYSTEM and TrustedInstaller can change the settings key, the tool or its folder, since
// otherwise any program the user runs unelevated could have its own program run elevated.

#include "Platform.h"
#include "Win32Internal.h"

#include <aclapi.h>
#include <sddl.h>

namespace platform {
namespace {

using win32::Handle;
using win32::IsKnown;
using win32::Problem;
using win32::Sid;
using win32::Utf8;
using win32::WellKnownSid;
using win32::Wide;

constexpr ACCESS_MASK ChangingAnything = WRITE_DAC | WRITE_OWNER | DELETE | GENERIC_WRITE | GENERIC_ALL | MAXIMUM_ALLOWED;
constexpr ACCESS_MASK ChangingAFile = ChangingAnything | FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA;
// Adding a file beside the tool is enough: a DLL it loads from its own folder.
constexpr ACCESS_MASK ChangingAFolder = ChangingAFile | FILE_DELETE_CHILD;
constexpr ACCESS_MASK ChangingAKey = ChangingAnything | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK;

Sid SidFromText(const wchar_t* text) {
    PSID sid = nullptr;
    if (!ConvertStringSidToSidW(text, &sid)) return {};
    Sid copy = win32::CopyOfSid(sid);
    LocalFree(sid);
    return copy;
}

const std::vector<Sid>& TrustedAccounts() {
    static const std::vector<Sid> trusted = {
        WellKnownSid(WinLocalSystemSid), WellKnownSid(WinBuiltinAdministratorsSid),
        SidFromText(L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464")};  // TrustedInstaller
    return trusted;
}

std::string SidText(const void* sid) {
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(const_cast<void*>(sid), &text)) return "an unreadable account";
    const std::string name = Utf8(text);
    LocalFree(text);
    return name;
}

// The first account besides the trusted ones that owns the object or is granted any of `changing`;
// empty when there is none. An entry that only passes on to new children grants the object nothing.
std::string UntrustedChanger(PSECURITY_DESCRIPTOR descriptor, ACCESS_MASK changing) {
    PSID owner = nullptr;
    PACL dacl = nullptr;
    BOOL defaulted = FALSE, present = FALSE;
    if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) || !owner) return "an unknown owner";
    if (!IsKnown(owner, TrustedAccounts())) return SidText(owner) + ", its owner";
    if (!GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) || !present || !dacl)
        return "everyone (it has no access list)";
    for (DWORD index = 0; index < dacl->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(dacl, index, &entry)) return "an unreadable access entry";
        const auto* header = static_cast<ACE_HEADER*>(entry);
        if ((header->AceFlags & INHERIT_ONLY_ACE) || header->AceType == ACCESS_DENIED_ACE_TYPE) continue;
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) return "an access entry of type " + std::to_string(header->AceType);
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        if ((allowed->Mask & changing) && !IsKnown(&allowed->SidStart, TrustedAccounts()))
            return SidText(&allowed->SidStart);
    }
    return {};
}

// The changer of what `handle` names, or why its access cannot be read.
std::string UntrustedChangerOf(HANDLE handle, SE_OBJECT_TYPE type, ACCESS_MASK changing) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD read = GetSecurityInfo(handle, type, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr,
                                       nullptr, nullptr, nullptr, &descriptor);
    if (read != ERROR_SUCCESS) return "an account unknown, as its access cannot be read (error " + std::to_string(read) + ")";
    const std::string changer = UntrustedChanger(descriptor, changing);
    LocalFree(descriptor);
    return changer;
}

std::string UntrustedChangerOfFile(const std::string& path, ACCESS_MASK changing) {
    // Links and junctions are followed, as the interpreter follows them to the program it starts.
    Handle file(CreateFileW(Wide(path).c_str(), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return Problem("an account unknown, as it cannot be opened");
    return UntrustedChangerOf(file.get(), SE_FILE_OBJECT, changing);
}

std::string UntrustedChangerOfKey(const std::string& location) {
    const std::string machine = "HKEY_LOCAL_MACHINE\\", user = "HKEY_CURRENT_USER\\";
    HKEY root = nullptr;
    std::string subkey;
    if (location.rfind(machine, 0) == 0) {
        root = HKEY_LOCAL_MACHINE;
        subkey = location.substr(machine.size());
    } else if (location.rfind(user, 0) == 0) {
        root = HKEY_CURRENT_USER;
        subkey = location.substr(user.size());
    } else {
        return "an account unknown, as the key's root is not known";
    }
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExW(root, Wide(subkey).c_str(), 0, READ_CONTROL, &key);
    if (status != ERROR_SUCCESS) return "an account unknown, as it cannot be opened (error " + std::to_string(status) + ")";
    const std::string changer = UntrustedChangerOf(key, SE_REGISTRY_KEY, ChangingAKey);
    RegCloseKey(key);
    return changer;
}

}  // namespace

bool ElevatedMayRunTool(const std::string& toolPath, const std::string& settingsLocation, std::string& problem) {
    if (!RunsElevated()) return true;
    const size_t separator = toolPath.find_last_of("\\/");
    // A drive's root keeps its separator: "C:" alone names the current folder on that drive.
    const std::string folder = separator == std::string::npos ? std::string()
                               : toolPath.substr(0, separator <= 2 ? separator + 1 : separator);
    const std::pair<std::string, std::string> checks[] = {
        {"the settings key " + settingsLocation, UntrustedChangerOfKey(settingsLocation)},
        {"the tool's folder " + folder, UntrustedChangerOfFile(folder, ChangingAFolder)},
        {"the tool", UntrustedChangerOfFile(toolPath, ChangingAFile)},
    };
    for (const auto& [what, changer] : checks) {
        if (changer.empty()) continue;
        problem = what + " can be changed by " + changer;
        return false;
    }
    return true;
}

}  // namespace platform
