// Real processes for the tests to list and end: copies of the project's
// sleeper program, started and, unless a test ends them, ended again.
#ifndef VANTRY_TEST_HELPER_PROCESS_H
#define VANTRY_TEST_HELPER_PROCESS_H

#include <windows.h>

#include <string>

#include "../../process/process_identity.h"

class HelperProcess {
public:
    // imageName names a copy of the sleeper made next to it; empty means the
    // sleeper itself.
    explicit HelperProcess(const std::string &imageName = std::string());
    // A copy, named imageName and made next to the tests, of another sleeper
    // program: the one built for the other architecture.
    HelperProcess(const std::string &sourcePath, const std::string &imageName);
    ~HelperProcess();

    bool Started() const { return process_ != NULL; }
    // Why the start failed (GetLastError), also written to standard error.
    DWORD StartError() const { return startError_; }
    DWORD Id() const { return id_; }
    // Its identifier and start, as a row of the list keys it.
    ProcessKey Key() const
    {
        ProcessKey key = { id_, kStartUnknown };
        ReadProcessState(process_, &key.created);
        return key;
    }
    HANDLE Handle() const { return process_; }
    const std::string &Path() const { return path_; }
    std::string ImageName() const;

    bool Running() const;
    // Waits for the end and returns the exit code (STILL_ACTIVE on timeout).
    DWORD WaitForExit(DWORD milliseconds = 10000) const;
    void End();
    // Ends it and lets go of its handle, so that its identifier no longer
    // opens (a handle keeps an ended process's identifier alive).
    void EndAndRelease();

private:
    void Start(const std::string &sourcePath, const std::string &imageName);

    HANDLE process_;
    DWORD id_;
    DWORD startError_;
    std::string path_;
};

// The directory of the running test program, with a trailing backslash.
std::string TestProgramDirectory();
// The Windows path of the other architecture's build folder, from the
// environment variable the 64-bit test run sets (VANTRY_WIN32_BUILD for the
// 64-bit tests, VANTRY_WIN64_BUILD for the 32-bit ones); empty without it.
std::string OtherArchitectureBuild();
// Whether the debug privilege is enabled in this process's own token.
bool DebugPrivilegeEnabled();
// The account name this process runs as.
std::string CurrentUserName();

#endif
