// Long runs against the live process table: rebuilds and sorts while helper
// processes come and go, and one end-process command after another.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>

#include "../ui/process_list_dialog.h"
#include "support/dialog_runner.h"
#include "support/helper_process.h"
#include "support/message_box.h"

namespace {

// The handles this process holds, counted one value at a time (Wine answers
// GetProcessHandleCount with 0). The value of the next free handle would not
// do: a leak first fills the holes that earlier closes left. A process
// always holds handles, so a count of 0 means the counting failed, and any
// leak would pass.
int OpenHandleCount()
{
    int count = 0;
    for (UINT_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    EXPECT_GT(count, 0) << "no open handle could be counted";
    return count;
}

// Starts and ends helpers all the time, remembering who ran under which name.
class Churn {
public:
    Churn() : stop_(false), thread_([this] { Run(); }) {}
    ~Churn()
    {
        stop_ = true;
        thread_.join();
    }
    // A helper can be listed while its start has not yet returned: it is
    // waited for until it is recorded (or long after any start would be).
    bool Ran(DWORD id, const std::string &name)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return recorded_.wait_for(lock, std::chrono::seconds(10),
                                  [&] { return started_.count(std::make_pair(id, name)) != 0; });
    }

private:
    void Run()
    {
        std::deque<std::unique_ptr<HelperProcess>> running;
        for (int i = 0; !stop_; ++i) {
            const std::string name = "churn_" + std::to_string(i % 6) + ".exe";
            running.emplace_back(new HelperProcess(name));
            {
                std::lock_guard<std::mutex> lock(mutex_);
                started_.insert(std::make_pair(running.back()->Id(), name));
            }
            recorded_.notify_all();
            if (running.size() > 4)
                running.pop_front();
        }
    }

    std::atomic<bool> stop_;
    std::mutex mutex_;
    std::condition_variable recorded_;
    std::set<std::pair<DWORD, std::string>> started_;
    std::thread thread_;
};

bool AllDigits(const std::string &text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

bool EndsWithNoCase(const std::string &text, const std::string &end)
{
    return text.size() >= end.size() &&
           lstrcmpiA(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

TEST(Soak, FiveHundredRebuildsAndSortsWhileProcessesComeAndGo)
{
    DialogRunner runner;
    ASSERT_TRUE(runner.Start());
    const int handlesBefore = OpenHandleCount();
    int churnRows = 0;
    {
        Churn churn;
        HWND list = runner.List();
        for (int cycle = 0; cycle < 500; ++cycle) {
            runner.Run([cycle] {
                g_mainDialog.RebuildProcessList();
                g_mainDialog.SortList(cycle % 4);
            });
            for (int row = 0; row < RowCount(list); ++row) {
                const std::string id = CellText(list, row, 0);
                const std::string name = CellText(list, row, 1);
                const std::string path = CellText(list, row, 2);
                ASSERT_TRUE(AllDigits(id)) << "cycle " << cycle << " row " << row << ": " << id;
                if (!name.empty() && !path.empty()) {
                    ASSERT_TRUE(EndsWithNoCase(path, "\\" + name)) << id << " " << name;
                }
                if (name.compare(0, 6, "churn_") == 0) {
                    ASSERT_TRUE(churn.Ran(strtoul(id.c_str(), NULL, 10), name)) << id << " " << name;
                    ++churnRows;
                }
            }
        }
    }
    EXPECT_GT(churnRows, 500);  // the churn was really listed
    EXPECT_LE(OpenHandleCount(), handlesBefore + 32);
    EXPECT_FALSE(DebugPrivilegeEnabled());
    runner.Stop();
}

TEST(Soak, AHundredProcessesEndedThroughTheCommandLeaveNoHandleBehind)
{
    DialogRunner runner;
    ASSERT_TRUE(runner.Start());
    int handlesBefore = 0;
    for (int cycle = 0; cycle < 100; ++cycle) {
        // Measured once the first cycle has made whatever the platform keeps.
        if (cycle == 1)
            handlesBefore = OpenHandleCount();
        HelperProcess helper;
        ASSERT_TRUE(helper.Started());
        runner.Run([] { g_mainDialog.RebuildProcessList(); });
        const int row = FindRowOfProcess(runner.List(), helper.Id());
        ASSERT_GE(row, 0) << cycle;
        HWND box = AskToEndRow(runner, row);
        ASSERT_TRUE(box != NULL) << cycle;
        PressButton(box, IDYES);
        ASSERT_EQ(0xFFFFFFFFu, helper.WaitForExit()) << cycle;
        runner.Run([] {});
        ASSERT_FALSE(DebugPrivilegeEnabled()) << cycle;
        ASSERT_EQ(-1, FindRowOfProcess(runner.List(), helper.Id())) << cycle;
    }
    // The helpers' own handles are closed by now; a handle the command or
    // the termination left open would show a hundred times over.
    EXPECT_LE(OpenHandleCount(), handlesBefore + 16);
    runner.Stop();
}

}
