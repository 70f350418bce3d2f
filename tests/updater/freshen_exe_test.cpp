// Freshen.exe as a real process: started in a scratch installation folder
// beside a stand-in main program named Purvex.exe, against a loopback update
// server, with its message boxes answered by a WH_CBT hook.
#include <winsock2.h>  // before windows.h
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <commctrl.h>

#include "base/unique_handle.h"
#include "framework/afxwin.h"
#include "tests/support/updater_fixture.h"
#include "tests/support/window_driver.h"
#include "updater/file_table.h"
#include "updater/freshen_texts.h"
#include "updater/main_program.h"
#include "updater/update_host.h"

using namespace freshen_test;

namespace {

const char kStartedEvent[] = "PurvexUpdaterTestStandInStarted";
const UINT kGetBarColour = WM_USER + 15;  // PBM_GETBARCOLOR; the headers declare it for Vista on only

struct Process {
    base::UniqueHandleKernel handle;
    DWORD id = 0;
};

Process Start(const std::string& exe, const std::string& folder) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string command = "\"" + exe + "\"";
    Process process;
    if (CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                       &info)) {
        CloseHandle(info.hThread);
        process.handle.reset(info.hProcess);
        process.id = info.dwProcessId;
    }
    return process;
}

HWND FindWindowOf(DWORD pid, const char* caption) {
    const std::vector<HWND> found = pvtest::ProcessWindows(pid, caption);
    return found.empty() ? nullptr : found[0];
}

// Pixels of a window's client area (0x00RRGGBB), top row first.
struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> bits;
    DWORD At(int x, int y) const { return bits[static_cast<size_t>(y) * width + x]; }
};

// Copies a screen-compatible bitmap into Pixels.
Pixels ReadBitmap(HDC screen, HBITMAP bitmap, int width, int height) {
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.bits.resize(static_cast<size_t>(width) * height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(screen, bitmap, 0, height, pixels.bits.data(), &info, DIB_RGB_COLORS);
    for (DWORD& p : pixels.bits) p &= 0xFFFFFF;
    return pixels;
}

// The window's client area as it is on the screen.
Pixels CaptureClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    Pixels pixels = ReadBitmap(screen, bitmap, client.right, client.bottom);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The banner of Freshen.exe with the two status lines drawn as the window
// draws them (9-point 굴림, RGB(0, 0, 240), transparent), on the same kind of
// bitmap the screen uses.
Pixels RenderStatus(const std::string& freshenExe, int width, int height, const char* status) {
    base::UniqueModule exe(LoadLibraryExA(freshenExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    HBITMAP banner = static_cast<HBITMAP>(LoadImageA(exe.get(), MAKEINTRESOURCEA(130), IMAGE_BITMAP, 0, 0, 0));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HDC source = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HGDIOBJ oldSource = SelectObject(source, banner);
    BitBlt(memory, 0, 0, 413, 99, source, 0, 0, SRCCOPY);
    CFont font;
    font.CreatePointFont(90, "굴림");
    HGDIOBJ oldFont = SelectObject(memory, font.m_hObject);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, RGB(0, 0, 240));
    TextOutA(memory, 15, 62, status, lstrlenA(status));
    TextOutA(memory, 15, 80, "잠시만 기다리세요....", lstrlenA("잠시만 기다리세요...."));
    SelectObject(memory, oldFont);
    SelectObject(source, oldSource);
    SelectObject(memory, old);
    Pixels pixels = ReadBitmap(screen, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteObject(banner);
    DeleteDC(source);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// How many pixels of the status strip (the two text lines over the banner)
// differ by more than a small tolerance in any colour channel.
// The strip ends at the banner's foot or at the progress bar, whichever comes
// first (with Gulim's metrics the bar covers the banner's last rows).
int StatusStripDifferences(const Pixels& a, const Pixels& b, int barTop) {
    int differences = 0;
    int right = std::min(std::min(a.width, b.width), 413);
    int bottom = std::min(std::min(std::min(a.height, b.height), 99), barTop);
    for (int y = 58; y < bottom; ++y) {
        for (int x = 0; x < right; ++x) {
            DWORD p = a.At(x, y), q = b.At(x, y);
            for (int shift = 0; shift < 24; shift += 8) {
                int d = static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF);
                if (d > 24 || d < -24) {
                    ++differences;
                    break;
                }
            }
        }
    }
    return differences;
}

BOOL CALLBACK CollectStatics(HWND child, LPARAM param) {
    char cls[32] = {}, text[256] = {};
    GetClassNameA(child, cls, sizeof cls);
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(cls, "Static") == 0 && text[0]) *reinterpret_cast<std::string*>(param) += std::string(text) + "|";
    return TRUE;
}

int CountLines(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

class FreshenProcessTest : public ::testing::Test {
protected:

    void SetUp() override {
#ifdef FRESHEN_HAS_OTHER_KEY
        GTEST_SKIP() << "Freshen.exe is built with another key than the test key the tests sign with";
#endif
        ASSERT_TRUE(server_.ok());
        started_.reset(CreateEventA(nullptr, FALSE, FALSE, kStartedEvent));
        ASSERT_TRUE(started_);
        ASSERT_TRUE(CopyFileA((pvtest::ProgramFolder() + "\\freshen_standin.exe").c_str(), folder_.At("Purvex.exe").c_str(), FALSE));
        // The updater runs from the installation folder, as it is installed: the
        // program search for "Purvex.exe" looks in the updater's own folder first.
        for (const char* name : {"Freshen.exe", "PvFrame.dll"})
            ASSERT_TRUE(CopyFileA((pvtest::ProgramFolder() + "\\" + name).c_str(), folder_.At(name).c_str(), FALSE)) << name;
        hookModule_.reset(LoadLibraryA("freshen_msgbox_hook.dll"));
        ASSERT_TRUE(hookModule_);
        auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hookModule_.get(), "AnswerMessageBox")));
        ASSERT_NE(proc, nullptr);
        hook_ = SetWindowsHookExA(WH_CBT, proc, hookModule_.get(), 0);
        ASSERT_NE(hook_, nullptr);
        before_ = installed_.Files();
    }

    void TearDown() override {
        if (hook_) UnhookWindowsHookEx(hook_);
        // The restarted stand-in, if any.
        for (int i = 0; i < 5 && freshen::EndProcessNamed("Purvex.exe"); ++i) {
        }
    }

    // Starts the stand-in main program and waits until it runs.
    void StartMainProgram() {
        mainProgram_ = Start(folder_.At("Purvex.exe"), folder_.path());
        ASSERT_TRUE(mainProgram_.handle);
        ASSERT_EQ(WaitForSingleObject(started_.get(), 60000), static_cast<DWORD>(WAIT_OBJECT_0));
    }

    Process StartFreshen(const std::string& startIn = std::string()) {
        return Start(folder_.At("Freshen.exe"), startIn.empty() ? folder_.path() : startIn);
    }

    // Starts Freshen.exe and waits until it reached the held part of a
    // download (see Held); then, unless window is null, finds its window.
    void StartFreshenUntilHeld(Process* freshen, HWND* window = nullptr) {
        *freshen = StartFreshen();
        ASSERT_TRUE(freshen->handle);
        ASSERT_EQ(WaitForSingleObject(reached_.get(), 60000), static_cast<DWORD>(WAIT_OBJECT_0));
        if (!window) return;
        *window = FindWindowOf(freshen->id, "Freshen");
        ASSERT_NE(*window, nullptr);
    }

    // Runs Freshen.exe to its end (started in its folder unless startIn
    // names another); returns its exit code.
    DWORD RunFreshen(const std::string& startIn = std::string()) {
        Process freshen = StartFreshen(startIn);
        EXPECT_TRUE(freshen.handle);
        if (!freshen.handle) return ~0u;
        WaitForSingleObject(freshen.handle.get(), INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(freshen.handle.get(), &code);
        return code;
    }

    std::string ServeVersionFile(const std::string& announcements, unsigned long serial = 1,
                                 const char* expires = "2099-12-31") {
        return ServeSignedVersionFile(server_, announcements, serial, expires);
    }

    // A response that sends half of body, then holds the rest back until
    // release_ is set: the update is caught in the middle of that file, and
    // reached_ is set.
    CannedResponse Held(const std::string& body) {
        CannedResponse held{200, body};
        held.reached = reached_.get();
        held.release = release_.get();
        return held;
    }

    void ExpectMainProgramEndedAndRestarted() {
        ASSERT_TRUE(mainProgram_.handle);
        EXPECT_EQ(WaitForSingleObject(mainProgram_.handle.get(), 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "ended";
        DWORD code = 0;
        GetExitCodeProcess(mainProgram_.handle.get(), &code);
        EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE)) << "terminated with its own exit code";
        EXPECT_EQ(WaitForSingleObject(started_.get(), 60000), static_cast<DWORD>(WAIT_OBJECT_0)) << "started again";
        EXPECT_EQ(CountLines(pvtest::ReadBytes(folder_.At("standin-starts.log"))), 2);
    }

    Installation installed_{"exe", false};  // the stand-in is the main program
    ScratchInstallFolder& folder_ = installed_.folder;
    pvtest::VersionKeySandbox& key_ = installed_.key;
    LoopbackServer server_;
    // Freshen.exe inherits both: the server, and where its boxes are logged.
    pvtest::EnvironmentOverride host_{freshen::kUpdateHostVariable, server_.host().c_str()};
    pvtest::EnvironmentOverride boxLog_{"PURVEX_TEST_MSGBOX_LOG", folder_.At("msgbox.log").c_str()};
    base::UniqueHandleKernel started_;
    base::UniqueHandleKernel reached_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    base::UniqueHandleKernel release_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    base::UniqueModule hookModule_;
    HHOOK hook_ = nullptr;
    Process mainProgram_;
    std::map<std::string, std::string> before_;  // the installation's files as the test starts
};

TEST_F(FreshenProcessTest, WithoutRunningMainProgramClosesAtOnceAndChangesNothing) {
    ServeVersionFile(Announce("PURVEXADB", "2004.10.07", "new database"));
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, "new database"});
    RunFreshen();
    EXPECT_EQ(server_.TotalRequests(), 0);
    EXPECT_EQ(key_.Get("PurvexADB"), "2004.10.06");
    EXPECT_EQ(pvtest::ReadBytes(folder_.At("purvex.adb")), "installed purvex.adb");
    EXPECT_FALSE(pvtest::Exists(folder_.At("Purvex_Ver.txt")));
    EXPECT_FALSE(pvtest::Exists(folder_.At("msgbox.log"))) << "no message";
    EXPECT_FALSE(pvtest::Exists(folder_.At("standin-starts.log"))) << "nothing started";
}

TEST_F(FreshenProcessTest, EndsMainProgramUpdatesDatabaseAndStartsItAgain) {
    StartMainProgram();
    std::string body = MakeBody(20000, 'z');
    ServeVersionFile(Announce("PURVEXADB", "2004.10.07", body) + Announce("PURVEXEXE", "1.0.0.1", "exe"), 9);
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, body});
    RunFreshen();
    ExpectMainProgramEndedAndRestarted();
    EXPECT_EQ(pvtest::ReadBytes(folder_.At("purvex.adb")), body);
    EXPECT_EQ(key_.Get("PurvexADB"), "2004.10.07");
    EXPECT_EQ(key_.Get("KordonADB"), "2004.10.06");
    EXPECT_EQ(key_.Get("Purvex.exe"), "1.0.0.1");
    EXPECT_EQ(server_.Requests(UpdatePath("Purvex.adb")), 1);
    EXPECT_EQ(server_.BodyBytesSent(UpdatePath("Purvex.adb")), body.size());
    EXPECT_EQ(server_.TotalRequests(), 3);
    EXPECT_EQ(key_.Get("UpdateSerial"), "9");
    EXPECT_FALSE(pvtest::Exists(folder_.At("temp")));
    EXPECT_FALSE(pvtest::Exists(folder_.At("Purvex_Ver.txt")));
    EXPECT_FALSE(pvtest::Exists(folder_.At("msgbox.log"))) << "no message";
}

// Started from another folder (a shortcut's start folder, a console in C:\),
// the updater works in its own: a "temp" of user files there stays.
TEST_F(FreshenProcessTest, StartedFromAnotherFolderCleansUpOnlyItsOwn) {
    pvtest::TempFolder elsewhere("startfolder");
    ASSERT_TRUE(pvtest::MakeFolders(elsewhere / "temp") && pvtest::WriteBytes(elsewhere / "temp\\user.txt", "keep"));
    StartMainProgram();
    ServeVersionFile("[PURVEXADB]\r\nVER=2004.10.06\r\n");
    RunFreshen(elsewhere.path());
    ExpectMainProgramEndedAndRestarted();
    EXPECT_EQ(pvtest::ReadBytes(elsewhere / "temp\\user.txt"), "keep");
    EXPECT_FALSE(pvtest::Exists(elsewhere / "Purvex_Ver.txt"));
    EXPECT_FALSE(pvtest::Exists(folder_.At("Purvex_Ver.txt")));
}

TEST_F(FreshenProcessTest, NothingNewerShowsMessageRestartsAndCleansUp) {
    StartMainProgram();
    ServeVersionFile(Announce("PURVEXADB", "2004.10.06", "db") + Announce("KORDONDLL", "1.0", "dll"));
    RunFreshen();
    ExpectMainProgramEndedAndRestarted();
    EXPECT_EQ(pvtest::ReadBytes(folder_.At("msgbox.log")), "Purvex|이미 최신버전을 사용하고 계십니다.\r\n");
    EXPECT_EQ(server_.TotalRequests(), 2);
    EXPECT_FALSE(pvtest::Exists(folder_.At("temp")));
    EXPECT_FALSE(pvtest::Exists(folder_.At("Purvex_Ver.txt")));
}

TEST_F(FreshenProcessTest, FailedDownloadIsNamedAndInstallsNothing) {
    StartMainProgram();
    ServeVersionFile(Announce("KORDONDLL", "1.0b", "dll"));  // Kordon.dll itself answers 404
    RunFreshen();
    ExpectMainProgramEndedAndRestarted();
    EXPECT_EQ(pvtest::ReadBytes(folder_.At("msgbox.log")),
              "Purvex|Kordon.dll 파일을 받지 못했습니다.\r\n업데이트하지 않았습니다.\r\n");
    EXPECT_EQ(pvtest::ReadBytes(folder_.At("kordon.dll")), "installed kordon.dll");
    EXPECT_EQ(key_.Get("KordonDll.dll"), "1.0a");
}

TEST_F(FreshenProcessTest, ClosingTheWindowDuringDownloadStopsCleanly) {
    StartMainProgram();
    CannedResponse held = Held(MakeBody(30000, 'h'));
    ServeVersionFile(Announce("PURVEXDLL", "1.0.0.2", held.body) + Announce("PURVEXADB", "2004.10.07", "new database"));
    server_.Set(UpdatePath("Purvex.dll"), held);
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, "new database"});

    Process freshen;
    HWND window = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartFreshenUntilHeld(&freshen, &window));
    // What Esc and the close box send; handled by the time SendMessage returns.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindow(window)) << "the window stays until the update thread has stopped";
    SetEvent(release_.get());
    WaitForSingleObject(freshen.handle.get(), INFINITE);

    ExpectMainProgramEndedAndRestarted();
    EXPECT_EQ(pvtest::ReadBytes(folder_.At("purvex.dll")), "installed purvex.dll");
    EXPECT_EQ(key_.Get("Purvex.dll"), "1.0.0.1");
    EXPECT_EQ(server_.Requests(UpdatePath("Purvex.adb")), 0) << "nothing fetched after closing";
    EXPECT_EQ(key_.Get("PurvexADB"), "2004.10.06");
    EXPECT_FALSE(pvtest::Exists(folder_.At("temp")));
    EXPECT_FALSE(pvtest::Exists(folder_.At("Purvex_Ver.txt")));
    EXPECT_FALSE(pvtest::Exists(folder_.At("msgbox.log"))) << "no message after closing";
}

TEST_F(FreshenProcessTest, WindowProgressBarAndAboutBox) {
    StartMainProgram();
    CannedResponse held = Held(MakeBody(30000, 'w'));
    ServeVersionFile(Announce("KORDONADB", "2004.10.07", held.body));
    server_.Set(UpdatePath("Kordon.adb"), held);

    Process freshen;
    HWND window = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartFreshenUntilHeld(&freshen, &window));
    HWND progress = GetDlgItem(window, 1000);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(progress, kGetBarColour, 0, 0)), RGB(255, 100, 150));
    EXPECT_EQ(SendMessageA(progress, PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(SendMessageA(progress, PBM_GETRANGE, TRUE, 0), 0);

    // System command 16 (low four bits ignored) opens the About box.
    PostMessageA(window, WM_SYSCOMMAND, 16 | 3, 0);
    HWND about = nullptr;
    for (int i = 0; i < 200 && !about; ++i) {
        about = FindWindowOf(freshen.id, "Freshen 정보");
        if (!about) Sleep(50);
    }
    ASSERT_NE(about, nullptr);
    // Found as soon as it exists; its controls are complete once it is shown.
    for (int i = 0; i < 200 && !IsWindowVisible(about); ++i) Sleep(50);
    std::string statics;
    EnumChildWindows(about, CollectStatics, reinterpret_cast<LPARAM>(&statics));
    EXPECT_NE(statics.find("Freshen 버전 1.0|"), std::string::npos) << statics;
    char ok[32] = {};
    GetWindowTextA(GetDlgItem(about, IDOK), ok, sizeof ok);
    EXPECT_STREQ(ok, "확인");
    SendMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 200 && IsWindow(about); ++i) Sleep(50);  // destroyed when its modal loop ends
    EXPECT_FALSE(IsWindow(about));

    SetEvent(release_.get());
    WaitForSingleObject(freshen.handle.get(), INFINITE);
    ExpectMainProgramEndedAndRestarted();
    EXPECT_EQ(key_.Get("KordonADB"), "2004.10.07");
}

// Updates a server, or someone on the way, may offer that must not be installed.
enum class Damage { kVersionFileByte, kFileByte, kOtherKey, kNoSignature, kLowerSerial, kExpired, kLongerBody };

struct Refusal {
    Damage damage;
    const char* message;
};

class FreshenRefusalTest : public FreshenProcessTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(FreshenRefusalTest, InstallsNothingRecordsNothingAndSaysWhy) {
    const Damage damage = GetParam().damage;
    StartMainProgram();
    key_.Set("UpdateSerial", "5");
    // Kordon.adb comes first and whole; Purvex.adb, fetched after it, may be damaged.
    const std::string kordon = MakeBody(6000, 'k'), purvex = MakeBody(7000, 'p');
    CannedResponse purvexResponse{200, purvex};
    if (damage == Damage::kFileByte) purvexResponse.body[3000] ^= 1;
    if (damage == Damage::kLongerBody) purvexResponse.body += "and more";
    purvexResponse.sendLength = damage != Damage::kLongerBody;  // read no further than announced
    server_.Set(UpdatePath("Kordon.adb"), CannedResponse{200, kordon});
    server_.Set(UpdatePath("Purvex.adb"), purvexResponse);
    std::string text =
        ServeVersionFile(Announce("KORDONADB", "2004.10.07", kordon) + Announce("PURVEXADB", "2004.10.07", purvex),
                         damage == Damage::kLowerSerial ? 4 : 5, damage == Damage::kExpired ? "2000-01-01" : "2099-12-31");
    text[text.find("2004.10.07") + 9] = '8';
    if (damage == Damage::kVersionFileByte) server_.Set(UpdatePath("Purvex_Ver.txt"), CannedResponse{200, text});
    const std::string otherKeys = ReadFixture("version-file.other-key.sig");
    if (damage == Damage::kOtherKey) server_.Set(UpdatePath("Purvex_Ver.sig"), CannedResponse{200, otherKeys});
    if (damage == Damage::kNoSignature) server_.Set(UpdatePath("Purvex_Ver.sig"), CannedResponse{404, "not here"});

    RunFreshen();
    ExpectMainProgramEndedAndRestarted();
    EXPECT_EQ(pvtest::ReadBytes(folder_.At("msgbox.log")), std::string("Purvex|") + GetParam().message + "\r\n");
    EXPECT_EQ(installed_.Files(), before_);
    EXPECT_EQ(key_.Get("KordonADB") + "|" + key_.Get("PurvexADB") + "|" + key_.Get("UpdateSerial"),
              "2004.10.06|2004.10.06|5");
    EXPECT_FALSE(pvtest::Exists(folder_.At("temp")));
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, FreshenRefusalTest,
    ::testing::Values(
        Refusal{Damage::kVersionFileByte, "업데이트 정보의 서명이 올바르지 않습니다.\r\n업데이트하지 않았습니다."},
        Refusal{Damage::kFileByte, "Purvex.adb 파일이 업데이트 정보와 다릅니다.\r\n업데이트하지 않았습니다."},
        Refusal{Damage::kOtherKey, "업데이트 정보의 서명이 올바르지 않습니다.\r\n업데이트하지 않았습니다."},
        Refusal{Damage::kNoSignature, "업데이트 정보에 서명이 없습니다.\r\n업데이트하지 않았습니다."},
        Refusal{Damage::kLowerSerial, "업데이트 정보가 이전에 받은 것보다 오래되었습니다.\r\n업데이트하지 않았습니다."},
        Refusal{Damage::kExpired, "업데이트 정보의 유효 기간이 지났습니다.\r\n업데이트하지 않았습니다."},
        Refusal{Damage::kLongerBody, "Purvex.adb 파일이 업데이트 정보와 다릅니다.\r\n업데이트하지 않았습니다."}));

// Ended by force after one file arrived whole and while the next one comes:
// nothing installed, no version or serial recorded.
TEST_F(FreshenProcessTest, KilledBeforeInstallingChangesNothing) {
    StartMainProgram();
    key_.Set("UpdateSerial", "5");
    const std::string kordon = MakeBody(6000, 'k');
    CannedResponse held = Held(MakeBody(30000, 'p'));
    server_.Set(UpdatePath("Kordon.adb"), CannedResponse{200, kordon});
    server_.Set(UpdatePath("Purvex.adb"), held);
    ServeVersionFile(Announce("KORDONADB", "2004.10.07", kordon) + Announce("PURVEXADB", "2004.10.07", held.body), 6);

    Process freshen;
    ASSERT_NO_FATAL_FAILURE(StartFreshenUntilHeld(&freshen));
    ASSERT_TRUE(TerminateProcess(freshen.handle.get(), 1));
    WaitForSingleObject(freshen.handle.get(), INFINITE);
    SetEvent(release_.get());

    EXPECT_EQ(pvtest::ReadBytes(folder_.At("temp\\Kordon.adb")), kordon) << "fetched whole, not installed";
    EXPECT_EQ(pvtest::ReadBytes(folder_.At("kordon.adb")) + "|" + pvtest::ReadBytes(folder_.At("purvex.adb")),
              "installed kordon.adb|installed purvex.adb");
    EXPECT_EQ(key_.Get("KordonADB") + "|" + key_.Get("PurvexADB") + "|" + key_.Get("UpdateSerial"),
              "2004.10.06|2004.10.06|5");
}

TEST(FreshenResources, IconBannerAndAboutEntry) {
    base::UniqueModule exe(LoadLibraryExA((pvtest::ProgramFolder() + "\\Freshen.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(exe);
    EXPECT_NE(LoadIconA(exe.get(), MAKEINTRESOURCEA(128)), nullptr);
    HBITMAP banner = static_cast<HBITMAP>(LoadImageA(exe.get(), MAKEINTRESOURCEA(130), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(banner, nullptr);
    BITMAP size = {};
    GetObjectA(banner, sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 413);
    EXPECT_EQ(size.bmHeight, 99);
    DeleteObject(banner);
    char entry[64] = {};
    LoadStringA(exe.get(), 101, entry, sizeof entry);
    EXPECT_STREQ(entry, "Freshen 정보(&A)...");
}

TEST_F(FreshenProcessTest, OnlyDatabaseNewerOneFetchAndItsStatusLine) {
    StartMainProgram();
    std::string body = MakeBody(30000, 'q');
    CannedResponse held = Held(body);
    ServeVersionFile(Announce("PURVEXEXE", "1.0.0.1", "") + Announce("CHRONIKDLL", "1.0.0.1", "") +
                     Announce("PURVEXDLL", "1.0.0.0", "") + Announce("KORDONDLL", "1.0a", "") +
                     Announce("KORDONADB", "2004.10.06", "") + Announce("PURVEXADB", "2004.10.07", body));
    server_.Set(UpdatePath("Purvex.adb"), held);

    Process freshen;
    HWND window = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartFreshenUntilHeld(&freshen, &window));
    for (int i = 0; i < 200 && !IsWindowVisible(window); ++i) Sleep(50);  // shown once the modal loop runs
    ASSERT_TRUE(IsWindowVisible(window));
    SetForegroundWindow(window);
    // The window belongs to another process and reaches the screen when that
    // process has painted it: look again for a while until it shows the line.
    std::string exe = pvtest::ProgramFolder() + "\\Freshen.exe";
    RECT bar = {};
    GetWindowRect(GetDlgItem(window, 1000), &bar);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bar), 2);
    Pixels shown;
    int database = 0;
    for (int attempt = 0; attempt < 40; ++attempt) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        SendMessageA(window, WM_NULL, 0, 0);
        shown = CaptureClient(window);
        database = StatusStripDifferences(shown, RenderStatus(exe, shown.width, shown.height,
                                                              "Purvex.adb 파일 업데이트중..."), bar.top);
        if (database < 20) break;
        Sleep(50);
    }
    SetEvent(release_.get());
    WaitForSingleObject(freshen.handle.get(), INFINITE);

    int program = StatusStripDifferences(shown, RenderStatus(exe, shown.width, shown.height,
                                                             "Purvex.exe 파일 업데이트중..."), bar.top);
    int nothing = StatusStripDifferences(shown, RenderStatus(exe, shown.width, shown.height, ""), bar.top);
    RecordProperty("status_strip_differences", database);
    EXPECT_LT(database, 20) << "the window shows the database's status line";
    EXPECT_GT(program, database + 20) << "and not another file's";
    EXPECT_GT(nothing, database + 20);

    ExpectMainProgramEndedAndRestarted();
    EXPECT_EQ(server_.Requests(UpdatePath("Purvex.adb")), 1);
    EXPECT_EQ(server_.TotalRequests(), 3) << "exactly one fetch besides the version file and its signature";
    EXPECT_EQ(pvtest::ReadBytes(folder_.At("purvex.adb")), body);
    EXPECT_EQ(key_.Get("PurvexADB"), "2004.10.07");
    installed_.ExpectVersionsAsInstalled("PurvexADB");
    before_["purvex.adb"] = body;
    EXPECT_EQ(installed_.Files(), before_);
}

// Every file of the release, the updater and the framework it has loaded
// included; the programs among them must still run afterwards, so they are
// the real ones with bytes of their own appended.
TEST_F(FreshenProcessTest, TenFileUpdateReplacesEveryFileTheRunningUpdaterIncluded) {
    StartMainProgram();
    std::map<int, std::string> bodies;
    for (int n = 1; n <= freshen::kItemCount; ++n) bodies[n] = MakeBody(4000 + n, static_cast<char>(n));
    const std::pair<int, const char*> programs[] = {
        {1, "freshen_standin.exe"}, {7, "PvFrame.dll"}, {10, "Freshen.exe"}};
    for (const auto& program : programs)
        bodies[program.first] = pvtest::ReadBytes(pvtest::ProgramFolder() + "\\" + program.second) + "new release";
    ServeFiles(server_, bodies, "9.0", 8);
    RunFreshen();
    ExpectMainProgramEndedAndRestarted();
    for (int n = 1; n <= freshen::kItemCount; ++n) {
        const freshen::UpdateItem& item = freshen::Item(n);
        EXPECT_TRUE(pvtest::ReadBytes(folder_.At(item.installedAs + 2)) == bodies[n]) << item.serverFile;
        EXPECT_EQ(key_.Get(item.valueRead), "9.0") << item.valueRead;
    }
    EXPECT_FALSE(pvtest::Exists(folder_.At("msgbox.log"))) << "no message";

    // The next start is the new Freshen.exe on the new framework: nothing is
    // newer now, and the old files it left behind go.
    RunFreshen();
    EXPECT_EQ(pvtest::ReadBytes(folder_.At("msgbox.log")), "Purvex|이미 최신버전을 사용하고 계십니다.\r\n");
    EXPECT_FALSE(pvtest::Exists(folder_.At("temp")));
}

// The fifth file of the install step is held open without sharing: the four
// before it, the running updater and its framework among them, go back.
TEST_F(FreshenProcessTest, OneFileThatCannotBeReplacedLeavesAllTenAsTheyWere) {
    StartMainProgram();
    std::map<int, std::string> bodies;
    for (int n = 1; n <= freshen::kItemCount; ++n) bodies[n] = MakeBody(5000 + n, static_cast<char>('a' + n));
    ServeFiles(server_, bodies, "9.0", 8);
    const freshen::UpdateItem& fifth = freshen::Item(freshen::InstallOrder()[4]);
    base::UniqueFile held(
        CreateFileA(folder_.At(fifth.installedAs + 2).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    RunFreshen();
    held.reset();
    ExpectMainProgramEndedAndRestarted();
    EXPECT_EQ(installed_.Files(), before_);
    installed_.ExpectVersionsAsInstalled();
    EXPECT_EQ(key_.Get("UpdateSerial"), "<missing>");
    EXPECT_EQ(pvtest::ReadBytes(folder_.At("msgbox.log")),
              "Purvex|" + freshen::FileText(fifth, freshen::kNotReplacedSuffix) + "\r\n");
}

}  // namespace
