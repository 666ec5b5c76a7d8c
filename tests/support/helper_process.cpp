#include "helper_process.h"

#include <stdio.h>
#include <stdlib.h>

#include <psapi.h>

std::string TestProgramDirectory()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

std::string OtherArchitectureBuild()
{
#ifdef _WIN64
    const char *build = getenv("VANTRY_WIN32_BUILD");
#else
    const char *build = getenv("VANTRY_WIN64_BUILD");
#endif
    return build != NULL ? std::string(build) : std::string();
}

namespace {

// A started process can be listed in full only once its loader has run:
// until then its module list is empty.
// A 32-bit process cannot read a 64-bit one's module list, so it cannot tell
// either; there is nothing to wait for then.
void WaitUntilLoaded(HANDLE process)
{
    BOOL selfWow64 = FALSE, targetWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &selfWow64);
    IsWow64Process(process, &targetWow64);
    if (selfWow64 && !targetWow64)
        return;
    for (int i = 0; i < 500; ++i) {
        HMODULE module = NULL;
        DWORD needed = 0;
        char name[MAX_PATH];
        if (EnumProcessModules(process, &module, sizeof(module), &needed) &&
            needed >= sizeof(module) && GetModuleBaseNameA(process, module, name, MAX_PATH) != 0)
            return;
        Sleep(10);
    }
}

// Next to the test programs, or in tests\ below the benchmark.
std::string SleeperDirectory()
{
    const std::string here = TestProgramDirectory();
    if (GetFileAttributesA((here + "vantry_sleeper.exe").c_str()) != INVALID_FILE_ATTRIBUTES)
        return here;
    return here + "tests\\";
}

}

HelperProcess::HelperProcess(const std::string &imageName) : process_(NULL), id_(0), startError_(0)
{
    Start(SleeperDirectory() + "vantry_sleeper.exe", imageName);
}

HelperProcess::HelperProcess(const std::string &sourcePath, const std::string &imageName)
    : process_(NULL), id_(0), startError_(0)
{
    Start(sourcePath, imageName);
}

void HelperProcess::Start(const std::string &sourcePath, const std::string &imageName)
{
    path_ = sourcePath;
    if (!imageName.empty()) {
        path_ = SleeperDirectory() + imageName;
        CopyFileA(sourcePath.c_str(), path_.c_str(), FALSE);
    }
    std::string commandLine = "\"" + path_ + "\" 120";
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info;
    if (!CreateProcessA(path_.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL,
                        &startup, &info)) {
        startError_ = GetLastError();
        fprintf(stderr, "starting %s failed: error %lu\n", path_.c_str(), startError_);
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    WaitUntilLoaded(process_);
}

HelperProcess::~HelperProcess()
{
    End();
    if (process_ != NULL)
        CloseHandle(process_);
}

std::string HelperProcess::ImageName() const
{
    return path_.substr(path_.find_last_of('\\') + 1);
}

bool HelperProcess::Running() const
{
    return process_ != NULL && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD HelperProcess::WaitForExit(DWORD milliseconds) const
{
    if (WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void HelperProcess::End()
{
    if (Running()) {
        TerminateProcess(process_, 3);
        WaitForSingleObject(process_, 10000);
    }
}

void HelperProcess::EndAndRelease()
{
    End();
    if (process_ != NULL)
        CloseHandle(process_);
    process_ = NULL;
    // Wine lets an ended process's identifier open for a moment longer.
    for (int i = 0; i < 100; ++i) {
        HANDLE stale = OpenProcess(SYNCHRONIZE, FALSE, id_);
        if (stale == NULL)
            return;
        CloseHandle(stale);
        Sleep(50);
    }
}

bool DebugPrivilegeEnabled()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    LUID debug;
    LookupPrivilegeValueA(NULL, "SeDebugPrivilege", &debug);
    DWORD buffer[1024];
    DWORD length = 0;
    bool enabled = false;
    if (GetTokenInformation(token, TokenPrivileges, buffer, sizeof(buffer), &length)) {
        const TOKEN_PRIVILEGES *privileges = reinterpret_cast<TOKEN_PRIVILEGES *>(buffer);
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES &entry = privileges->Privileges[i];
            if (entry.Luid.LowPart == debug.LowPart && entry.Luid.HighPart == debug.HighPart)
                enabled = (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

std::string CurrentUserName()
{
    char name[256];
    DWORD size = sizeof(name);
    if (!GetUserNameA(name, &size))
        return std::string();
    return name;
}
