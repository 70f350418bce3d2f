// Answers the message boxes of the calling thread by pressing their buttons.
// A WH_CBT hook sees each box when it is activated, records its caption, text
// and icon, and posts the click of the next button in the queue, so the box
// closes through its own button as if the user pressed it. Hooks nest: the
// one made last answers until it goes.
#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace pvtest {

struct SeenMessageBox {
    HWND box = nullptr;  // no longer valid once the box has closed
    std::string caption;
    std::string text;
    HICON icon = nullptr;  // the icon shown, compare with LoadIcon(nullptr, IDI_...)
    bool hadButton = false;  // the answer's button existed in the box
};

class MessageBoxHook {
public:
    // Each box is answered with the next id of answers (IDOK, IDYES, IDNO ...);
    // when the queue is empty the box gets IDCANCEL, or IDOK if it has no Cancel.
    explicit MessageBoxHook(std::vector<int> answers = {});
    ~MessageBoxHook();
    MessageBoxHook(const MessageBoxHook&) = delete;
    MessageBoxHook& operator=(const MessageBoxHook&) = delete;

    const std::vector<SeenMessageBox>& seen() const { return seen_; }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND box);

    HHOOK hook_ = nullptr;
    MessageBoxHook* outer_ = nullptr;
    std::deque<int> answers_;
    std::vector<SeenMessageBox> seen_;
};

// Boxes shown by another thread of this process (a worker's box), which the
// hook of this thread cannot see. FindOtherThreadBox returns such a box when
// one is up (NULL otherwise; pump and ask again) with what it shows;
// AnswerBox presses its button id. A box already answered is not found again.
HWND FindOtherThreadBox(SeenMessageBox* seen);
void AnswerBox(HWND box, int id);

}  // namespace pvtest
