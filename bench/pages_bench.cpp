// Benchmark (not a test): drives the real pages with many rows and times each
// operation against a floor measured in the same run, the same change made to
// a bare list view (same styles, columns and size, on screen like the page's)
// whose parent handles nothing. Every operation but the disk tab's listing
// runs in rounds, page and floor in turn, and their medians are compared:
//
//   disk tab      listing (against its own pauses), tick-all, untick-all,
//                 deletion of every ticked row
//   reports page  listing, tick-all
//   ActiveX page  a sort by the CLSID column, with no control blocked and
//                 with every third one blocked
//
// The floor writes each row that the operation changes once, reads each row
// it must read once, holds redrawing where the page holds it (the listings
// and the deletion; let go every 100 ms, as there), and does the same file
// work with plain calls (the deletion deletes as many files, the reports
// listing reads as many head.txt files).
//
//   pages_bench [disk rows] [report rows] [activex rows] [rounds]   (10000 10000 1000 3)
//
// Run it in the build's bin folder under Wine, on a display.
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/activex/activex_block.h"
#include "app/clean/clean_pc_view.h"
#include "app/clean/clean_texts.h"
#include "app/clean/disk_clean_dlg.h"
#include "app/shell_texts.h"
#include "kordon/kadb_codec.h"
#include "reportview/chronik_resource.h"
#include "reportview/report_view.h"
#include "tests/support/kill_bit_probe.h"
#include "tests/support/message_box_hook.h"
#include "tests/support/page_host.h"
#include "tests/support/pane_frame.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"
#include "tests/support/window_driver.h"

CWinApp benchApp(shell::kAppTitle);

namespace {

double Now() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return double(count.QuadPart) / double(frequency.QuadPart);
}

// Handles this thread's messages until done() holds; onMessage sees each
// message before it is dispatched and may dispatch it itself (true).
void Pump(const std::function<bool()>& done, const std::function<bool(const MSG&)>& onMessage = nullptr) {
    MSG msg;
    while (!done()) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        if (onMessage && onMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// ---- list views -----------------------------------------------------------------

struct Rows {
    std::vector<std::vector<std::string>> cells;
    std::vector<bool> ticked;
    size_t size() const { return ticked.size(); }
};

Rows ReadRows(HWND hwnd) {
    const pvtest::ListView list(hwnd);
    Rows rows;
    for (int row = 0; row < list.Rows(); ++row) {
        rows.cells.emplace_back();
        for (int column = 0; column < list.Columns(); ++column) rows.cells.back().push_back(list.Cell(row, column));
        rows.ticked.push_back(list.Ticked(row));
    }
    return rows;
}

int TickedCount(const Rows& rows) { return static_cast<int>(std::count(rows.ticked.begin(), rows.ticked.end(), true)); }

void SetCell(HWND list, int row, int column, const std::string& text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void SetRowTick(HWND list, int row, bool ticked) {
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void InsertRow(HWND list, int row, const std::vector<std::string>& cells, bool ticked) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(cells[0].c_str());
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (size_t column = 1; column < cells.size(); ++column) SetCell(list, row, static_cast<int>(column), cells[column]);
    if (ticked) SetRowTick(list, row, true);
}

LRESULT CALLBACK BareParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A list view like the page's (styles, extended styles, columns, size) in a
// window of its own whose procedure handles nothing, filled with rows.
class BareList {
public:
    BareList(HWND pageList, const Rows& rows) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = BareParentProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "PvBenchBare";
        RegisterClassA(&windowClass);
        RECT place = {};
        GetWindowRect(pageList, &place);
        parent_ = CreateWindowA("PvBenchBare", "floor", WS_POPUP | WS_VISIBLE, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, nullptr, nullptr, nullptr, nullptr);
        const DWORD style = static_cast<DWORD>(GetWindowLongA(pageList, GWL_STYLE)) | WS_VISIBLE;
        list_ = CreateWindowExA(static_cast<DWORD>(GetWindowLongA(pageList, GWL_EXSTYLE)), WC_LISTVIEWA, "",
                                style & ~WS_POPUP, 0, 0, place.right - place.left, place.bottom - place.top, parent_,
                                reinterpret_cast<HMENU>(1), nullptr, nullptr);
        SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, SendMessageA(pageList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
        for (int column = 0; column < pvtest::ListView(pageList).Columns(); ++column) {
            LVCOLUMNA info = {};
            info.mask = LVCF_FMT | LVCF_WIDTH;
            SendMessageA(pageList, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
            info.mask |= LVCF_TEXT;
            info.pszText = const_cast<char*>("");
            SendMessageA(list_, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
        }
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        for (size_t row = 0; row < rows.size(); ++row) Insert(static_cast<int>(row), rows.cells[row], rows.ticked[row]);
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(list_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        pvtest::PumpPending();
    }
    ~BareList() {
        DestroyWindow(parent_);
        pvtest::PumpPending();
    }
    HWND hwnd() const { return list_; }

    void Insert(int row, const std::vector<std::string>& cells, bool ticked) { InsertRow(list_, row, cells, ticked); }
    void SetText(int row, int column, const std::string& text) { SetCell(list_, row, column, text); }
    void SetTick(int row, bool ticked) { SetRowTick(list_, row, ticked); }

private:
    HWND parent_ = nullptr;
    HWND list_ = nullptr;
};

// Runs writes (index 0 .. count-1) on a bare list and paints it at the end.
// With redraw held, as the page holds it for a listing or a deletion: held
// throughout and let go every 100 ms, as ui::RedrawHold does.
double TimeFloor(HWND list, bool holdRedraw, int count, const std::function<void(int)>& write,
                 const std::function<void()>& before = nullptr) {
    const double start = Now();
    if (before) before();
    auto redraw = [list] {
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    };
    if (holdRedraw) SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    DWORD redrawnAt = GetTickCount();
    for (int i = 0; i < count; ++i) {
        write(i);
        if (holdRedraw && GetTickCount() - redrawnAt >= 100) {
            redraw();
            SendMessageA(list, WM_SETREDRAW, FALSE, 0);
            redrawnAt = GetTickCount();
        }
    }
    if (holdRedraw) redraw();
    UpdateWindow(list);
    return Now() - start;
}

int g_rounds = 3;

// The times of one operation's rounds, page and floor; printed as medians.
class Timing {
public:
    void Add(double page, double floor) {
        page_.push_back(page);
        floor_.push_back(floor);
    }
    void Print(const char* operation, size_t rows) {
        const double page = Median(page_), floor = Median(floor_);
        printf("%-26s %6u rows  %9.1f ms  floor %9.1f ms  ratio %5.2f\n", operation, static_cast<unsigned>(rows),
               page * 1000, floor * 1000, page / floor);
        fflush(stdout);
    }

private:
    static double Median(std::vector<double> times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }
    std::vector<double> page_, floor_;
};

void Check(bool ok, const char* what) {
    if (ok) return;
    fprintf(stderr, "pages_bench: %s\n", what);
    exit(1);
}

// ---- the disk cleanup tab -------------------------------------------------------

// Points TMP and TEMP at a folder for as long as it lives.
class TempPathOverride {
public:
    explicit TempPathOverride(const std::string& folder) {
        for (int i = 0; i < 2; ++i) {
            GetEnvironmentVariableA(kNames[i], saved_[i], MAX_PATH);
            SetEnvironmentVariableA(kNames[i], (folder + "\\").c_str());
        }
    }
    ~TempPathOverride() {
        for (int i = 0; i < 2; ++i) SetEnvironmentVariableA(kNames[i], saved_[i][0] ? saved_[i] : nullptr);
    }

private:
    static constexpr const char* kNames[2] = {"TMP", "TEMP"};
    char saved_[2][MAX_PATH] = {};
};

std::vector<std::string> PlantFiles(const pvtest::TempFolder& folder, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32];
        snprintf(name, sizeof name, "f%06d.tmp", i);
        paths.push_back(folder / name);
        Check(pvtest::WriteBytes(paths.back(), std::string(1 + i % 2000, 'x')), "cannot plant a file");
    }
    return paths;
}

void BenchDiskTab(int count) {
    constexpr double kFilePause = 0.005;  // the scan's pause after each listed file
    pvtest::TempFolder temp{"pvbench"}, spare{"pvspare"};
    TempPathOverride tempPath(temp.path());
    PlantFiles(temp, count);
    const std::vector<std::string> spareFiles = PlantFiles(spare, count);

    pvtest::MessageBoxHook boxes;
    pvtest::PageHost host(RUNTIME_CLASS(CCleanPcView), pvtest::PaneFrame());
    auto hostView = [&] { return static_cast<CCleanPcView*>(CWnd::FromHandlePermanent(host.page())); };
    CDiskCleanDlg* tab = static_cast<CDiskCleanDlg*>(hostView()->Tabs().GetPage(0));
    const HWND list = GetDlgItem(tab->m_hWnd, IDC_DISK_LIST);
    pvtest::Click(GetDlgItem(tab->m_hWnd, IDC_DISK_TEMP));

    double start = Now();
    host.Click(IDC_CLEAN_START);
    Pump([&] { return host.Text(IDC_CLEAN_START) == clean::kCaptionInitialScreen; });
    UpdateWindow(list);
    const double listing = Now() - start;
    Check(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == count, "the listing missed files");
    const double pauses = count * kFilePause;
    printf("%-26s %6d rows  %9.1f ms  pauses %9.1f ms  goal <= %.1f ms (%.3f ms a file over the pauses)\n",
           "disk tab listing", count, listing * 1000, pauses * 1000, (pauses + count * 0.0005) * 1000,
           (listing - pauses) * 1000 / count);
    fflush(stdout);

    pvtest::ListView view(list);
    auto tickAllDone = [&] { return !tab->Busy(); };
    Timing tickAll, untickAll;
    for (int round = 0; round < g_rounds; ++round) {
        for (bool tick : {true, false}) {
            const Rows before = ReadRows(list);
            start = Now();
            view.ClickHeader(0);
            Pump(tickAllDone);
            UpdateWindow(list);
            const double page = Now() - start;
            Check(TickedCount(ReadRows(list)) == (tick ? count : 0), "tick-all left rows as they were");
            BareList bare(list, before);
            const double floor = TimeFloor(bare.hwnd(), false, count, [&](int row) { bare.SetTick(row, tick); });
            (tick ? tickAll : untickAll).Add(page, floor);
        }
    }
    tickAll.Print("disk tab tick-all", count);
    untickAll.Print("disk tab untick-all", count);

    // The deletion of every row, ticked. The rounds after the first plant
    // the files again and put their rows back into the page's list.
    view.ClickHeader(0);
    Pump(tickAllDone);
    const Rows listed = ReadRows(list);
    Timing deletion;
    for (int round = 0; round < g_rounds; ++round) {
        if (round > 0) {
            PlantFiles(temp, count);
            PlantFiles(spare, count);
            SendMessageA(list, WM_SETREDRAW, FALSE, 0);
            for (int row = 0; row < count; ++row) InsertRow(list, row, listed.cells[row], false);
            SendMessageA(list, WM_SETREDRAW, TRUE, 0);
            while (TickedCount(ReadRows(list)) < count) {  // the all-ticked flag may still be set: then twice
                view.ClickHeader(0);
                Pump(tickAllDone);
            }
        }
        start = Now();
        host.Click(IDC_CLEAN_DELETE);  // the walk over the rows; the files go 500 ms later
        double page = Now() - start;
        HWND box = nullptr;
        Pump([&] { return (box = pvtest::FindOtherThreadBox(nullptr)) != nullptr; },
             [&](const MSG& msg) {
                 if (msg.message != WM_TIMER || msg.hwnd != tab->m_hWnd || msg.wParam != 0) return false;
                 const double fired = Now();
                 DispatchMessageA(&msg);
                 UpdateWindow(list);
                 page += Now() - fired;
                 return true;
             });
        pvtest::AnswerBox(box, IDOK);
        Pump([&] { return !hostView()->DeletionPending(); });
        Check(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 0, "rows were left");  // a failed row stays

        BareList bare(list, listed);
        const double floor = TimeFloor(bare.hwnd(), true, count, [&](int i) {
            const int row = count - 1 - i;
            if (!pvtest::ListView(bare.hwnd()).Ticked(row)) return;
            pvtest::ListView(bare.hwnd()).Cell(row, 1);
            DeleteFileA(spareFiles[row].c_str());
            SendMessageA(bare.hwnd(), LVM_DELETEITEM, row, 0);
        });
        deletion.Add(page, floor);
    }
    deletion.Print("disk tab deletion", count);
}

// ---- the reports page -----------------------------------------------------------

constexpr char kHead[] = "2004-10-03 09:05\r\n애드웨어 검사\r\n로컬하드 디스크\r\n완  료";

void BenchReportsPage(int count) {
    pvtest::TempFolder sandbox{"pvreports"};
    pvtest::CurrentFolder current(sandbox.path());
    pvtest::MessageBoxHook boxes;
    pvtest::PageHost host(RUNTIME_CLASS(CReportView));  // no logs yet: an empty list
    CReportView* page = static_cast<CReportView*>(CWnd::FromHandlePermanent(host.page()));
    const HWND list = host.control(IDC_REPORT_LIST);
    std::vector<std::string> heads;
    for (int i = 0; i < count; ++i) {
        char folder[64];
        snprintf(folder, sizeof folder, "PurvexLog\\%08d", i);
        Check(pvtest::MakeFolders(sandbox / folder), "cannot make a log folder");
        heads.push_back(sandbox / folder + "\\head.txt");
        Check(pvtest::WriteBytes(heads.back(), kHead), "cannot write a head.txt");
    }

    // The listing: Init lists the logs afresh (the first time into the empty list).
    Timing listing;
    Rows listed = ReadRows(list);
    for (int round = 0; round < g_rounds; ++round) {
        const Rows before = listed;
        const double start = Now();
        page->Init();
        UpdateWindow(list);
        const double time = Now() - start;
        listed = ReadRows(list);
        Check(static_cast<int>(listed.size()) == count, "the listing missed logs");
        BareList bare(list, before);
        const double floor = TimeFloor(
            bare.hwnd(), true, count,
            [&](int row) {
                HANDLE file = CreateFileA(heads[row].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          0, nullptr);
                char bytes[201] = {};
                DWORD read = 0;
                ReadFile(file, bytes, 200, &read, nullptr);
                CloseHandle(file);
                bare.Insert(row, listed.cells[row], false);
            },
            [&] {
                SendMessageA(bare.hwnd(), LVM_DELETEALLITEMS, 0, 0);
                WIN32_FIND_DATAA found;
                HANDLE search = FindFirstFileA(".\\PurvexLog\\*.*", &found);
                while (FindNextFileA(search, &found)) {
                }
                FindClose(search);
            });
        listing.Add(time, floor);
    }
    listing.Print("reports listing", count);

    // Tick-all, timed; the untick-all between the rounds is not.
    Timing tickAll;
    pvtest::ListView view(list);
    for (int round = 0; round < g_rounds; ++round) {
        const double start = Now();
        view.ClickHeader(0);
        UpdateWindow(list);
        const double time = Now() - start;
        Check(TickedCount(ReadRows(list)) == count, "tick-all left rows unticked");
        BareList bare(list, listed);
        tickAll.Add(time, TimeFloor(bare.hwnd(), false, count, [&](int row) { bare.SetTick(row, true); }));
        view.ClickHeader(0);
    }
    tickAll.Print("reports tick-all", count);
}

// ---- the ActiveX block list page ------------------------------------------------

// Sorts a list of count controls by CLSID; every blockEvery-th one blocked
// (0: none), so that as many rows change their tick in the sort.
void BenchActiveXSort(int count, int blockEvery, const char* label) {
    using namespace kill_bit_probe;
    pvtest::TempFolder sandbox{"pvactivex"};
    pvtest::CurrentFolder current(sandbox.path());
    pvtest::KeyBackup compat(HKEY_LOCAL_MACHINE, kCompat, pvtest::KeyBackup::kEnsure);
    // Records in no order of their CLSIDs.
    kadb::Database db;
    unsigned seed = 12345;
    std::vector<int> numbers(count);
    for (int i = 0; i < count; ++i) numbers[i] = i + 1;
    for (int i = count - 1; i > 0; --i) {
        seed = seed * 1103515245u + 12345u;
        std::swap(numbers[i], numbers[(seed >> 8) % (i + 1)]);
    }
    for (int i = 0; i < count; ++i) {
        const std::string clsid = Clsid(numbers[i]);
        db.entries.push_back({"Control " + std::to_string(numbers[i] * 7 % 1000), clsid, "", 0});
        if (blockEvery > 0 && i % blockEvery == 0)
            pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(clsid), kFlags, Dword(kKillBit), REG_DWORD);
    }
    std::vector<uint8_t> bytes;
    Check(kadb::Encode(db, &bytes) == kadb::EncodeError::none, "cannot encode the database");
    Check(pvtest::WriteBytes(sandbox / "Kordon.adb", std::string(bytes.begin(), bytes.end())), "cannot write Kordon.adb");

    pvtest::MessageBoxHook boxes;
    pvtest::PageHost host(RUNTIME_CLASS(CActiveXBlock));
    const HWND list = host.control(IDC_ACTIVEX_LIST);
    Check(static_cast<int>(ReadRows(list).size()) == count, "the page did not list every control");
    // Each click sorts the other way: descending first, then ascending.
    Timing sort;
    for (int round = 0; round < g_rounds; ++round) {
        const Rows before = ReadRows(list);
        const double start = Now();
        pvtest::ListView(list).ClickHeader(1);
        UpdateWindow(list);
        const double time = Now() - start;
        const Rows after = ReadRows(list);
        for (size_t row = 1; row < after.size(); ++row)
            Check((after.cells[row - 1][1] > after.cells[row][1]) == (round % 2 == 0), "the sort left rows out of order");
        Check(TickedCount(after) == TickedCount(before), "the sort lost ticks");

        BareList bare(list, before);
        const double floor = TimeFloor(
            bare.hwnd(), false, count,
            [&](int row) {
                for (int column = 1; column <= 2; ++column) bare.SetText(row, column, after.cells[row][column]);
                if (after.ticked[row] != before.ticked[row]) bare.SetTick(row, after.ticked[row]);
            },
            [&] {
                const pvtest::ListView list(bare.hwnd());
                for (int row = 0; row < count; ++row) {
                    list.Cell(row, 1);
                    list.Cell(row, 2);
                    list.Ticked(row);
                }
            });
        sort.Add(time, floor);
    }
    sort.Print(label, count);
}

}  // namespace

int main(int argc, char** argv) {
    const int diskRows = argc > 1 ? atoi(argv[1]) : 10000;
    const int reportRows = argc > 2 ? atoi(argv[2]) : 10000;
    const int activexRows = argc > 3 ? atoi(argv[3]) : 1000;
    if (argc > 4) g_rounds = std::max(1, atoi(argv[4]));
    InitCommonControls();
    if (diskRows > 0) BenchDiskTab(diskRows);
    if (reportRows > 0) BenchReportsPage(reportRows);
    if (activexRows > 0) {
        BenchActiveXSort(activexRows, 0, "ActiveX sort");
        BenchActiveXSort(activexRows, 3, "ActiveX sort, 1/3 blocked");
    }
    return 0;
}
