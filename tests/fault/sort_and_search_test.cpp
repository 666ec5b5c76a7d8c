// Sorting and first-letter search on the real list-view, with a process
// table whose names the test chooses.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "../../res/resource.h"
#include "../../process/compare_no_case.h"
#include "../../ui/process_list_dialog.h"
#include "../support/dialog_runner.h"
#include "fake_platform.h"

namespace {

class SortAndSearch : public ::testing::Test {
protected:
    // Rows come out sorted by identifier at start-up: row i holds names[i],
    // unless ids are given in another order.
    void StartWith(const std::vector<std::string> &names, std::vector<DWORD> ids = {})
    {
        ResetFake();
        for (size_t i = 0; i < names.size(); ++i)
            AddFakeProcess(i < ids.size() ? ids[i] : static_cast<DWORD>(100 + 10 * i), names[i]);
        for (int c = 0; c < 4; ++c)
            g_mainDialog.sortDirection[c] = 0;
        ASSERT_TRUE(runner_.Start());
    }
    void TearDown() override { runner_.Stop(); }

    void ClickHeader(int column)
    {
        runner_.Run([&] {
            NMLISTVIEW click;
            ZeroMemory(&click, sizeof(click));
            click.hdr.hwndFrom = runner_.List();
            click.hdr.idFrom = IDC_PROCESS_LIST;
            click.hdr.code = LVN_COLUMNCLICK;
            click.iItem = -1;
            click.iSubItem = column;
            SendMessageA(runner_.Window(), WM_NOTIFY, IDC_PROCESS_LIST,
                         reinterpret_cast<LPARAM>(&click));
        });
    }
    // Posted, and through the dialog's loop, as the user's keys come.
    void PressKey(WORD key)
    {
        runner_.Run([&] {
            PostMessageA(runner_.List(), WM_KEYDOWN, key, 1);
            for (MSG message; PeekMessageA(&message, NULL, 0, 0, PM_REMOVE);)
                if (!IsDialogMessageA(runner_.Window(), &message))
                    DispatchMessageA(&message);
        });
    }
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> cells;
        for (int row = 0; row < RowCount(runner_.List()); ++row)
            cells.push_back(CellText(runner_.List(), row, column));
        return cells;
    }
    std::string SelectedName() { return CellText(runner_.List(), SelectedRow(runner_.List()), 1); }

    DialogRunner runner_;
};

TEST_F(SortAndSearch, OpensSortedByIdentifierAsNumbers)
{
    g_mainDialog.sortColumn = 2;  // as an earlier dialog may have left it
    StartWith({ "a", "b", "c", "d" }, { 100, 12, 8, 9 });
    EXPECT_EQ((std::vector<std::string>{ "8", "9", "12", "100" }), Column(0));
    EXPECT_EQ(0, g_mainDialog.sortColumn);
}

TEST_F(SortAndSearch, HeaderClicksAlternatePerColumnWithOnlyAToZFolded)
{
    // "\x82\xa0" is a double-byte character of code page 932.
    StartWith({ "beta.exe", "Zed.exe", "", "alpha2.exe", "AB", "_under.exe", "\x82\xa0.exe",
                "Alpha.exe", "ab" });
    const std::vector<std::string> ascending = { "", "_under.exe", "AB", "ab", "Alpha.exe",
                                                 "alpha2.exe", "beta.exe", "Zed.exe",
                                                 "\x82\xa0.exe" };
    ClickHeader(1);
    EXPECT_EQ(ascending, Column(1));
    EXPECT_EQ(1, g_mainDialog.sortColumn);
    ClickHeader(1);  // AB and ab compare equal to their ends
    EXPECT_EQ((std::vector<std::string>{ "\x82\xa0.exe", "Zed.exe", "beta.exe", "alpha2.exe",
                                         "Alpha.exe", "AB", "ab", "_under.exe", "" }),
              Column(1));

    // Another column keeps its own direction; back on column 1 it goes on
    // from where it was (descending, so now ascending).
    ClickHeader(3);
    EXPECT_EQ(3, g_mainDialog.sortColumn);
    EXPECT_EQ(2, g_mainDialog.sortDirection[3]);
    EXPECT_EQ(1, g_mainDialog.sortDirection[1]);
    ClickHeader(1);
    EXPECT_EQ(ascending, Column(1));
}

TEST_F(SortAndSearch, TheFirstPidClickChangesNothingAndTheSecondReverses)
{
    StartWith({ "a", "b", "c", "d" });
    const std::vector<std::string> start = Column(0);
    ClickHeader(0);
    EXPECT_EQ(start, Column(0));
    ClickHeader(0);
    EXPECT_EQ(std::vector<std::string>(start.rbegin(), start.rend()), Column(0));
}

TEST_F(SortAndSearch, WholeCellsSortAndEqualCellsGoByIdentifierBothWays)
{
    // Started b, c, a (identifiers 100, 110, 120) in the subfolders of one
    // long folder, with names alike in their first 31 letters and one owner.
    const std::string name(31, 'n'), folder = "C:\\Users\\" + std::string(40, 'u') + "\\";
    StartWith({ name + "_b.exe", name + "_c.exe", name + "_a.exe" });
    for (int i = 0; i < 3; ++i)
        g_fake.processes[i].path = folder + "bca"[i] + "\\" + g_fake.processes[i].name;
    runner_.Run([] { g_mainDialog.RebuildProcessList(); });
    const std::vector<std::string> byLetter = { "120", "100", "110" }, byId = { "100", "110", "120" };
    ClickHeader(2);
    EXPECT_EQ(byLetter, Column(0));
    ClickHeader(3);  // equal owners, from another order
    EXPECT_EQ(byId, Column(0));
    ClickHeader(2);
    EXPECT_EQ((std::vector<std::string>{ "110", "100", "120" }), Column(0));
    ClickHeader(3);
    EXPECT_EQ(byId, Column(0));
    ClickHeader(1);
    EXPECT_EQ(byLetter, Column(0));

    int missing = 0, missingFirst = 0;
    runner_.Run([&] {
        missing = g_mainDialog.CompareRows(0, 5000, 1);
        missingFirst = g_mainDialog.CompareRows(5000, 0, 1);
    });
    EXPECT_GT(missing, 0);  // a name after an empty cell
    EXPECT_LT(missingFirst, 0);
}

TEST_F(SortAndSearch, ALetterFindsTheNextNameAndWrapsWithTheSelectedRowLast)
{
    StartWith({ "apple.exe", "Banana.exe", "avocado.exe", "", "(paren).exe", "Apricot.exe",
                "\xe5\x40.exe" });
    PressKey('A');  // a new key starts after row 0
    EXPECT_EQ("avocado.exe", SelectedName());
    for (WORD held : { VK_SHIFT, VK_CONTROL, VK_CONTROL, VK_MENU, VK_MENU })
        PressKey(held);  // held, and repeating: the next A steps on
    PressKey('A');
    EXPECT_EQ("Apricot.exe", SelectedName());
    PressKey('A');  // wraps to the top
    EXPECT_EQ("apple.exe", SelectedName());
    PressKey('B');
    EXPECT_EQ("Banana.exe", SelectedName());
    PressKey(VK_PROCESSKEY);  // the input method's, 0xE5: no search, not remembered
    EXPECT_EQ("Banana.exe", SelectedName());
    EXPECT_EQ('B', g_mainDialog.lastKey);
    PressKey('B');  // the only match stays selected
    EXPECT_EQ("Banana.exe", SelectedName());
    PressKey('Q');  // no match: only the key is remembered
    EXPECT_EQ("Banana.exe", SelectedName());
    EXPECT_EQ('Q', g_mainDialog.lastKey);
    runner_.Run([] { g_mainDialog.TypeAheadSearch(0); });  // empty names never match
    EXPECT_EQ("Banana.exe", SelectedName());
    PressKey(VK_DOWN);  // 0x28 is '(' ; the list then moves down by itself
    EXPECT_EQ(5, SelectedRow(runner_.List()));

    runner_.Run([] { g_mainDialog.RebuildProcessList(); });
    EXPECT_EQ(0, g_mainDialog.lastKey);  // was VK_DOWN
    PressKey('A');
    runner_.Run([] { g_mainDialog.RebuildProcessList(); });
    PressKey('P');  // the rebuild ended the word: P alone, which no name begins with
    EXPECT_EQ(-1, SelectedRow(runner_.List()));
}

TEST_F(SortAndSearch, AWordLongerThanItsBufferGoesOnByItsFirstLetters)
{
    StartWith({ "B" + std::string(64, 'A') + ".exe", "a.exe" });
    for (char key : "B" + std::string(64, 'A'))  // 65 letters
        PressKey(key);
    EXPECT_EQ("B" + std::string(64, 'A') + ".exe", SelectedName());
}

TEST_F(SortAndSearch, AnEmptyListIgnoresSearchAndSelection)
{
    StartWith({});
    ASSERT_EQ(0, RowCount(runner_.List()));
    int results = 0;
    runner_.Run([&] {
        results = g_mainDialog.TypeAheadSearch('A') + g_mainDialog.SelectByPid(0);
    });
    EXPECT_EQ(2, results);
    EXPECT_EQ(-1, SelectedRow(runner_.List()));
}

TEST_F(SortAndSearch, RefreshSortsAgainAndKeepsTheSelectedProcessInView)
{
    std::vector<std::string> names;
    for (int i = 0; i < 80; ++i)
        names.push_back("p" + std::to_string(100 + i) + ".exe");
    StartWith(names);
    // Identifier 0 is what atoi makes of an empty cell.
    AddIdleAndSystemProcesses();
    runner_.Run([] { g_mainDialog.RebuildProcessList(); });
    ClickHeader(2);
    ClickHeader(2);  // descending by path, the two without a path last
    const int wanted = RowCount(runner_.List()) - 3;
    const std::string wantedId = CellText(runner_.List(), wanted, 0);
    ASSERT_TRUE(ClickRow(runner_.List(), wanted));
    runner_.Run([&] { SetFocus(GetDlgItem(runner_.Window(), IDOK)); });

    runner_.SendCommand(IDC_REFRESH);
    HWND focus = NULL;
    runner_.Run([&] { focus = GetFocus(); });
    EXPECT_EQ(runner_.List(), focus);
    EXPECT_EQ(2, g_mainDialog.sortColumn);
    const std::vector<std::string> paths = Column(2);
    ASSERT_EQ(82u, paths.size());
    EXPECT_EQ("C:\\Programs\\p179.exe", paths.front());
    EXPECT_EQ("C:\\Programs\\p100.exe", paths[79]);
    EXPECT_EQ("", paths.back());
    const int row = SelectedRow(runner_.List());
    EXPECT_EQ(wantedId, CellText(runner_.List(), row, 0));
    const int top = static_cast<int>(SendMessageA(runner_.List(), LVM_GETTOPINDEX, 0, 0));
    const int perPage = static_cast<int>(SendMessageA(runner_.List(), LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_TRUE(row >= top && row < top + perPage) << row << " " << top << " " << perPage;

    // The selected process ends (p100.exe), or its identifier goes to a
    // process of another start (p101.exe, which starts anew before each
    // refresh), or its row has no start to tell its process by (System):
    // nothing is selected after the refresh.
    g_fake.processes[0].id = 98;
    for (DWORD id : { 100, 110, 4 }) {
        ASSERT_TRUE(ClickRow(runner_.List(), FindRowOfProcess(runner_.List(), id)));
        ++g_fake.processes[1].created;
        runner_.SendCommand(IDC_REFRESH);
        EXPECT_EQ(-1, SelectedRow(runner_.List()));
    }
    EXPECT_EQ(-1, FindRowOfProcess(runner_.List(), 100));

    runner_.SendCommand(IDC_REFRESH);  // and none stays none
    runner_.Run([] {});
    EXPECT_EQ(-1, SelectedRow(runner_.List()));
}

}

namespace {

TEST_F(SortAndSearch, AThousandRowsSortByName)
{
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i)
        names.push_back(std::string(1, static_cast<char>((i * 7919) % 26 + (i % 2 ? 'a' : 'A'))) +
                        std::to_string((i * 104729) % 1000) + ".exe");
    StartWith(names);
    ClickHeader(1);
    const std::vector<std::string> sorted = Column(1);
    ASSERT_EQ(1000u, sorted.size());
    for (size_t i = 1; i < sorted.size(); ++i)
        ASSERT_LE(CompareNoCase(sorted[i - 1].c_str(), sorted[i].c_str()), 0) << i;
}

}
