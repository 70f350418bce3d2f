// One run of the update: the sequence the update thread follows, and the
// fetch the download thread does for it. The window is reached only through
// UpdateUi, so the sequence also runs without one.
#pragma once
#include <windows.h>
#include <atomic>

#include <string>

#include "updater/completion_event.h"
#include "updater/download.h"
#include "updater/verify/signed_version_file.h"

namespace freshen {

extern const char kNewestText[];     // the newest-version message
extern const char kMessageCaption[];  // "Purvex"

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
    virtual HWND Owner() = 0;
};

class UpdateSession {
public:
    // Updates signed with the key of this modulus (kRsaBytes) are accepted.
    explicit UpdateSession(const unsigned char* publicKey) : publicKey_(publicKey) {}

    // Fetches the version file and its signature into memory (window thread,
    // during start-up). Returns how the version file's fetch went.
    FetchResult FetchVersionFile();

    // The update thread's whole sequence: check the version file, compare,
    // fetch, install, record, clean up, tell the user, restart the main
    // program. Closing the window is the caller's part.
    //
    // A version file that came but is not accepted (see CheckVersionFile)
    // fetches and changes nothing; the user is told why. A file that arrives
    // other than announced (IsRefusal) ends the fetching, and nothing is
    // installed or recorded; the user is told which. Otherwise each file
    // fetched whole is installed, then its version recorded, then the
    // version file's serial; a file whose fetch failed is named to the user
    // and the others still go through. After Cancel() the current fetch
    // stops, nothing further is fetched and no message is shown; what was
    // fetched whole is still installed and recorded.
    void Run(UpdateUi& ui);

    // The download thread's work for the current item; reports completion.
    void DownloadCurrent();

    void Cancel() { cancel_ = true; }
    bool cancelled() const { return cancel_; }

    int currentItem() const { return currentItem_; }
    // Written bytes as a percentage of the total, truncated; 0 while the
    // total is unknown.
    int Percent() const;
    int updatesCounted() const { return updates_; }

private:
    // Checks the fetched version file; false (after telling the user) when
    // it came and is not accepted. Without a version file nothing is newer.
    bool AcceptVersionFile(HKEY key, UpdateUi& ui);

    const unsigned char* publicKey_;
    FetchResult versionResult_ = FetchResult::kOpenFailed;
    std::string versionText_;
    bool signatureFetched_ = false;
    std::string signature_;
    VersionFile accepted_;         // the checked version file
    ExpectedFile expected_;        // of the current item; set before its download thread starts
    std::atomic<int> currentItem_{0};
    DownloadProgress progress_;
    std::atomic<bool> cancel_{false};
    std::atomic<int> updates_{0};
    FetchResult lastResult_ = FetchResult::kOk;  // written by the download thread before it signals
    CompletionEvent done_;
};

}  // namespace freshen
