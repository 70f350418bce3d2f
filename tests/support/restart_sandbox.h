// The test prefix's removals left for the next start of Windows (the session
// manager's PendingFileRenameOperations, WININIT.INI and the wininit.bak the
// start leaves), set aside while a test leaves removals of its own and put
// back exactly as they were found; the next start itself is Wine's
// "wineboot -r" in the test prefix, never a restart of the machine. Tests
// that use it take the lock "restart_list" (and, since the start also runs
// the machine's RunOnce keys, those of the startup keys).
#pragma once
#include <string>
#include <vector>

namespace pvtest {

class RestartSandbox {
public:
    RestartSandbox();  // saves and empties both lists
    ~RestartSandbox();
    RestartSandbox(const RestartSandbox&) = delete;
    RestartSandbox& operator=(const RestartSandbox&) = delete;

    // The names the session manager's list removes now, as stored ("\??\C:\...").
    std::vector<std::string> Removals() const;
    // WININIT.INI's bytes now; "" when there is none.
    std::string Wininit() const;
    // Carries out the removals as the next start does (wineboot -r). True
    // when it ran to its end.
    bool Restart() const;

private:
    struct Saved {
        bool present = false;
        std::string bytes;
    };
    Saved pending_, wininit_, wininitBak_;
};

// Gives Everyone full access to the folder (as an ordinary user's folder may
// be: under Wine every folder reads as its owner's alone otherwise). True
// when set.
bool LetEveryoneChange(const std::string& folder);

}  // namespace pvtest
