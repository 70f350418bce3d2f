// One run of the update: the sequence the update thread follows, and the
// fetch the download thread does for it. The window is reached only through
// UpdateUi, so the sequence also runs without one.
#pragma once
#include <windows.h>
#include <atomic>

#include "updater/completion_event.h"
#include "updater/download.h"

namespace freshen {

extern const char kNewestText[];     // the newest-version message
extern const char kMessageCaption[];  // "Purvex"

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
    // Fetches the version file into the current folder (window thread,
    // during start-up). Nothing is written unless the whole file arrived.
    static FetchResult FetchVersionFile();

    // The update thread's whole sequence: compare, fetch, record, install,
    // clean up, tell the user, restart the main program. Closing the window
    // is the caller's part. After Cancel() the current fetch stops, nothing
    // further is fetched and no message is shown; what was fetched whole is
    // still installed, so the record matches the installed files.
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
    std::atomic<int> currentItem_{0};
    DownloadProgress progress_;
    std::atomic<bool> cancel_{false};
    std::atomic<int> updates_{0};
    FetchResult lastResult_ = FetchResult::kOk;  // written by the download thread before it signals
    CompletionEvent done_;
};

}  // namespace freshen
