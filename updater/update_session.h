// One run of the update: the sequence the update thread follows, and the
// fetches the download thread does for it. The window is reached only through
// UpdateUi, so the sequence also runs without one.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "updater/completion_event.h"
#include "updater/download.h"
#include "updater/verify/signed_version_file.h"

namespace freshen {

// Why a version file was refused, as told to the user; null for kAccepted.
const char* RefusalText(Verdict verdict);

// What the update thread asks of the window. Called on the update thread.
class UpdateUi {
public:
    virtual ~UpdateUi() = default;
    // The current item was just set: start the progress timer and repaint.
    virtual void ShowFetching(int item) = 0;
    // Start the download thread, which runs UpdateSession::DownloadCurrent.
    virtual void StartDownload() = 0;
    // A modal message box captioned "Purvex"; returns after OK.
    virtual void Message(const char* text, UINT icon) = 0;
    virtual void RestartMainProgram() = 0;
};

class UpdateSession {
public:
    // Updates signed with the key of this modulus (kRsaBytes) are accepted,
    // and none whose serial is below builtSerial, the serial of the newest
    // update when the release was built.
    explicit UpdateSession(const unsigned char* publicKey, unsigned long builtSerial = 1)
        : publicKey_(publicKey), builtSerial_(builtSerial) {}

    // The update thread's whole sequence, every fetch on the download thread
    // within the time limits (FetchLimits::Configured):
    //  1. fetch the version file and its signature; one that did not come
    //     (no connection, no answer in time, not 200, too long) fetches and
    //     changes nothing, and the user is told that the update information
    //     did not come; one that came and is not accepted (CheckVersionFile,
    //     against LowestAcceptedSerial) likewise, and the user is told why;
    //  2. fetch every file whose server version is newer than the installed
    //     one into a fresh ".\temp" (WorkFolder); one that cannot be fetched
    //     or arrives other than announced ends the fetching, nothing is
    //     installed, and the user is told which;
    //  3. install them as one step (InstallStaged): all or nothing;
    //  4. only when every file is in place: record each one's version, the
    //     version file's serial (KeepAcceptedSerial), and for a new
    //     Purvex.exe the setup entry's DisplayVersion;
    //  5. remove ".\temp", tell the user when nothing was newer or anything
    //     failed, and start the main program again: on its old files or its
    //     new ones. Only when an installed file could not be put back after a
    //     failure (the installation is then mixed) is it not started.
    // After Cancel() the current fetch stops, nothing further is fetched,
    // nothing is installed or recorded and no message is shown; once the
    // install step has begun it runs to its end.
    void Run(UpdateUi& ui);

    // The download thread's work: the fetch the update thread waits for.
    void DownloadCurrent();

    void Cancel();
    bool cancelled() const { return cancel_; }

    int currentItem() const { return currentItem_; }
    // Written bytes as a percentage of the total, truncated; 0 while the
    // total is unknown.
    int Percent() const;

private:
    // Runs fetch on the download thread and waits until it is done.
    void OnDownloadThread(UpdateUi& ui, std::function<void()> fetch);
    // Step 1: fetches and checks the version file into accepted_. Null when
    // it is accepted, else what the user is told.
    const char* TakeVersionFile(HKEY key, UpdateUi& ui);
    // Steps 2 to 4 for the files newer than installed; the user's message,
    // empty when all went through. *restart false when the main program must
    // not be started.
    std::string UpdateFiles(HKEY key, UpdateUi& ui, bool* restart);

    const unsigned char* publicKey_;
    unsigned long builtSerial_;
    FetchLimits limits_ = FetchLimits::Configured();
    VersionFile accepted_;  // the checked version file
    std::function<void()> fetch_;  // set before the download thread starts
    std::atomic<int> currentItem_{0};
    DownloadProgress progress_;
    FetchStop stop_;
    std::atomic<bool> cancel_{false};
    std::atomic<int> updates_{0};
    CompletionEvent done_;
};

}  // namespace freshen
