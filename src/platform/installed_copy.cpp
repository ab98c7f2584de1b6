#include "platform/installed_copy.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace {
const char appPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\horalet.exe";
// The folder the installer's shortcut starts the program in, under the
// user's application data.
const char dataFolderName[] = "Horalet";

std::string registeredProgram() {
    char path[MAX_PATH] = "";
    DWORD size = sizeof path;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, appPathsKey, nullptr, RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS) {
        return "";
    }
    return path;
}

bool fileIdentity(const char* path, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, &info) != FALSE;
    CloseHandle(file);
    return known;
}

// One file may go by several names (a short 8.3 form, another case, a
// link); its volume and index name it once.
bool sameFile(const char* a, const char* b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    return fileIdentity(a, first) && fileIdentity(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}
}  // namespace

bool isInstalledCopy() {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    if (length == 0 || length >= sizeof self) return false;
    const std::string registered = registeredProgram();
    return !registered.empty() && sameFile(self, registered.c_str());
}

void enterInstalledDataFolder() {
    if (!isInstalledCopy()) return;
    char appData[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData))) {
        return;
    }
    const std::string folder = std::string(appData) + "\\" + dataFolderName;
    CreateDirectoryA(folder.c_str(), nullptr);  // there already, as a rule
    SetCurrentDirectoryA(folder.c_str());
}
