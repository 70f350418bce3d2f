// What the shell starts outside itself: the browser for the maker's and the
// platform vendor's web pages, and the updater. Returns at once; failures are
// not reported.
#pragma once
#include <string>

namespace shell {

// The maker's web host and the platform vendor's update site; the page paths
// below are fixed, the hosts are this program's configuration.
inline constexpr char kMakerHost[] = "http://www.orvane.co.kr";
inline constexpr char kWindowsUpdateAddress[] = "http://windowsupdate.microsoft.com/";

inline constexpr char kMainPagePath[] = "/purvex/main.php";
inline constexpr char kHelpPagePath[] = "/purvex/ad_help.php";
inline constexpr char kReportPagePath[] = "/purvex/ad_report.php";

// kMakerHost followed by path.
std::string MakerPage(const char* path);

// Shell "open" of "IEXPLORE.EXE" with the address as its parameter, SW_SHOW.
void OpenInBrowser(const std::string& address);
// Runs "Freshen.exe" from the main program's folder with SW_SHOW.
void StartUpdater();

// Tests replace what the two calls above do; nullptr restores the real one.
using AddressLauncher = void (*)(const std::string& address);
using ProgramLauncher = void (*)();
void SetLaunchersForTesting(AddressLauncher openAddress, ProgramLauncher startUpdater);

}  // namespace shell
