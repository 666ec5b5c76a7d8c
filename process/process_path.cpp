#include "process_path.h"

#include <string.h>
#include <wchar.h>

#include "list_text.h"
#include "platform_calls.h"
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
// replaced by the drive letter that names it, in place. False when no drive
// letter names it.
bool MapToDriveLetter(wchar_t *path)
{
    wchar_t drive[] = L"A:";
    for (; drive[0] <= L'Z'; ++drive[0]) {
        wchar_t device[MAX_PATH];
        if (platform::QueryDosDeviceW(drive, device, MAX_PATH) == 0)
            continue;
        device[MAX_PATH - 1] = L'\0';
        const size_t length = wcslen(device);
        if (length < 2 || !IsOnDevice(path, device, length))
            continue;
        path[0] = drive[0];
        path[1] = L':';
        memmove(path + 2, path + length, (wcslen(path + length) + 1) * sizeof(wchar_t));
        return true;
    }
    return false;
}

// The path into size characters; one that would be cut counts as unread,
// since it names another file.
KernelPathResult ReadKernelPath(HANDLE process, wchar_t *path, DWORD size)
{
    DWORD length = size;
    if (platform::QueryFullProcessImageNameW(process, 0, path, &length))
        return length > 0 && length < size ? kKernelPathRead : kKernelPathUnread;
    if (GetLastError() != ERROR_PROC_NOT_FOUND)
        return kKernelPathUnread;
    // Windows XP and Server 2003 name the file on its device only.
    const DWORD deviceLength = platform::GetProcessImageFileNameW(process, path, size);
    if (deviceLength == 0 || deviceLength >= size - 1)
        return kKernelPathUnread;
    return MapToDriveLetter(path) ? kKernelPathRead : kKernelPathUnmapped;
}

}

KernelPathResult ReadKernelImage(HANDLE process, char (&path)[MAX_PATH], char (&name)[MAX_PATH])
{
    wchar_t kernelPath[kLongestPath];
    const KernelPathResult result = ReadKernelPath(process, kernelPath, kLongestPath);
    if (result != kKernelPathRead)
        return result;
    const wchar_t *lastSeparator = wcsrchr(kernelPath, L'\\');
    // A path cut to its cell says so: cut, it may name another folder.
    if (!ToListText(kernelPath, path, MAX_PATH))
        MarkCut(path, MAX_PATH);
    ToListText(lastSeparator != NULL ? lastSeparator + 1 : kernelPath, name, MAX_PATH);
    return kKernelPathRead;
}

ImagePathResult ReadImagePath(const ProcessKey &key, wchar_t *path, DWORD size)
{
    RowIdentity identity;
    HANDLE process = OpenIdentifiedProcess(key, kAccessToQuery, &identity);
    if (process == NULL)
        return identity == kRowProcessGone ? kImageProcessGone : kImagePathUnread;
    const bool read = ReadKernelPath(process, path, size) == kKernelPathRead;
    platform::CloseHandle(process);
    return read ? kImagePathRead : kImagePathUnread;
}
