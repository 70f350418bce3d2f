// Drives real windows by the messages a user's actions cause, and reads them
// back: texts, states, list-view rows and ticks, header images.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace pvtest {

// Handles every message waiting for this thread.
void PumpPending();
// Pumps messages until done() holds. No time limit of its own: the test's
// timeout ends a wait that never ends.
void PumpUntil(const std::function<bool()>& done);
// The same with a limit: false when done() still fails after timeoutMs.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Pumps messages for about ms milliseconds.
void PumpFor(DWORD ms);

std::string WindowText(HWND window);
bool IsShown(HWND window);  // the WS_VISIBLE style bit
bool IsChecked(HWND button);
// BM_CLICK, then the messages it caused.
void Click(HWND button);
// A left click at a point of the window's client area.
void ClickAt(HWND window, int x, int y);
// A left click in the middle of item index of a tab control, as a user picks
// a tab.
void ClickTab(HWND tabs, int index);
// The first visible dialog of this thread (a class "#32770" window) other
// than except, or NULL.
HWND FindThreadDialog(HWND except = nullptr);
// The first visible dialog of this thread that match accepts, or NULL.
HWND FindThreadDialog(const std::function<bool(HWND)>& match);
// The dialog of this thread with the given caption, or NULL.
HWND FindThreadDialogTitled(const std::string& caption);
// Every top-level window of the process with exactly this title, shown or not.
std::vector<HWND> ProcessWindows(DWORD processId, const std::string& title);

// Posts the click of button id to dialog (WM_COMMAND, BN_CLICKED), as a
// press the dialog handles when its loop next runs.
void PostClick(HWND dialog, int id);
// Types name into the file-name field of the system's open or save dialog.
void TypeFileName(HWND fileDialog, const std::string& name);

// Acts on the windows that modal loops of this thread show (dialogs the
// code under test opens inside a message it handles). A thread timer runs
// the first step left about every 20 ms, from whichever message loop the
// thread is in; a step returns true when it has acted (it is then dropped)
// or false to be tried again at the next tick. Steps act by posting
// messages, so that no step waits inside a loop it opened itself. One at a
// time per thread.
class ModalSteps {
public:
    using Step = std::function<bool()>;
    explicit ModalSteps(std::vector<Step> steps);
    ~ModalSteps();
    ModalSteps(const ModalSteps&) = delete;
    ModalSteps& operator=(const ModalSteps&) = delete;

    bool done() const { return next_ >= steps_.size(); }
    size_t stepsTaken() const { return next_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<Step> steps_;
    size_t next_ = 0;
    bool running_ = false;
    UINT_PTR timer_ = 0;
};

// Types text into an edit control character by character (WM_CHAR), as a
// user does, so the control's own rules (upper case, length limit) apply.
void TypeText(HWND edit, const std::string& text);

// Runs action once, from inside the message loop of the next dialog of this
// thread that is not a message box, so a test can fill in and close a modal
// dialog that its next click opens: a one-step ModalSteps. A driver that goes
// away unused stops looking.
class DialogDriver {
public:
    explicit DialogDriver(std::function<void(HWND dialog)> action);
    bool ran() const { return steps_.done(); }

private:
    ModalSteps steps_;
};

// Saves a picture of the whole display to a host path with the host's
// ImageMagick `import` (an older file of that name is replaced); returns once
// the picture has been taken, false when it could not be.
bool SaveScreenshot(const std::string& unixPath);

// A list-view control in report mode, read and driven by messages.
class ListView {
public:
    explicit ListView(HWND list) : list_(list) {}
    HWND hwnd() const { return list_; }
    HWND header() const;

    int Rows() const;
    int Columns() const;
    int ColumnWidth(int column) const;
    std::string Cell(int row, int column) const;
    bool Ticked(int row) const;
    int TickedRows() const;
    void Tick(int row, bool ticked);  // as a click on the tick box would
    // Appends count rows whose first cell reads "row <n>", with the list's
    // redrawing held meanwhile, as a page's long fill does.
    void AppendRows(int count);
    bool Selected(int row) const;
    void Select(int row);            // selected, focused and the selection mark, as a click would
    // A left click on the row's second column, as a user selects a row (it
    // also moves the selection mark there).
    void ClickRow(int row);
    // NM_DBLCLK from the list to its parent, for the given row (selected first).
    void DoubleClick(int row);
    // NM_DBLCLK for the empty space below the last row (the selection stays).
    void DoubleClickEmptySpace();
    // A click on header item column (WM_LBUTTONDOWN/UP at its middle), then
    // the messages it caused (unless pump is false: a worker it started then
    // waits for the test to handle its first message).
    void ClickHeader(int column, bool pump = true);
    // The image shown in header item column, or -1 for none.
    int HeaderImage(int column = 0) const;
    // The text of header item column.
    std::string Heading(int column) const;

private:
    HWND list_;
};

}  // namespace pvtest
