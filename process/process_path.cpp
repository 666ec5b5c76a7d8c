#include "process_path.h"

#include <string.h>
#include <wchar.h>

#include "list_text.h"
#include "platform_calls.h"
#include "privilege.h"
#include "process_identity.h"

namespace {

// Whether devicePath lies on device: its name, then a backslash.
bool IsOnDevice(const wchar_t *devicePath, const wchar_t *device, size_t deviceLength)
{
    for (size_t i = 0; i < deviceLength; ++i) {
        if (devicePath[i] != device[i])
            return false;
    }
    return devicePath[deviceLength] == L'\\';
}

// The kernel's device path (\Device\HarddiskVolume1\...) with the device
// replaced by the drive letter that names it. False when no drive letter
// names it: a network file, say, which is left alone.
bool MapToDriveLetter(const wchar_t *devicePath, wchar_t (&path)[MAX_PATH])
{
    wchar_t drive[] = L"A:";
    for (; drive[0] <= L'Z'; ++drive[0]) {
        wchar_t device[MAX_PATH];
        if (platform::QueryDosDeviceW(drive, device, MAX_PATH) == 0)
            continue;
        device[MAX_PATH - 1] = L'\0';
        const size_t length = wcslen(device);
        if (length == 0 || !IsOnDevice(devicePath, device, length))
            continue;
        const size_t rest = wcslen(devicePath + length);
        if (2 + rest >= MAX_PATH)
            return false;
        path[0] = drive[0];
        path[1] = L':';
        memcpy(path + 2, devicePath + length, (rest + 1) * sizeof(wchar_t));
        return true;
    }
    return false;
}

// A path the buffer would cut is another path: it counts as unread.
bool ReadKernelPath(HANDLE process, wchar_t (&path)[MAX_PATH])
{
    DWORD length = MAX_PATH;
    if (platform::QueryFullProcessImageNameW(process, 0, path, &length))
        return length > 0 && length < MAX_PATH;
    if (GetLastError() != ERROR_PROC_NOT_FOUND)
        return false;
    // Windows XP and Server 2003 name the file on its device only.
    wchar_t devicePath[MAX_PATH];
    const DWORD deviceLength = platform::GetProcessImageFileNameW(process, devicePath, MAX_PATH);
    return deviceLength > 0 && deviceLength < MAX_PATH - 1 &&
           MapToDriveLetter(devicePath, path);
}

}

bool ReadKernelImage(HANDLE process, char (&path)[MAX_PATH], char (&name)[MAX_PATH])
{
    wchar_t kernelPath[MAX_PATH];
    if (!ReadKernelPath(process, kernelPath))
        return false;
    const wchar_t *lastSeparator = wcsrchr(kernelPath, L'\\');
    ToListText(kernelPath, path, MAX_PATH);
    ToListText(lastSeparator != NULL ? lastSeparator + 1 : kernelPath, name, MAX_PATH);
    return true;
}

ImagePathResult ReadImagePath(DWORD processId, ULONGLONG listTime, wchar_t (&path)[MAX_PATH])
{
    ImagePathResult result = kImagePathUnread;
    HANDLE process = OpenProcessForQuery(processId);
    if (process == NULL) {
        if (GetLastError() == ERROR_INVALID_PARAMETER)
            result = kImageProcessGone;
    } else {
        if (!IsListedProcess(process, listTime))
            result = kImageProcessGone;
        else if (ReadKernelPath(process, path))
            result = kImagePathRead;
        platform::CloseHandle(process);
    }
    return result;
}
