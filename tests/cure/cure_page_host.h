// The scan and cure page in the shared page host, with the page's own list
// and the scan pass as one step.
#pragma once
#include "app/cure/cure_view.h"
#include "app/cure/cure_texts.h"
#include "tests/support/page_host.h"

namespace cure_test {

class PageHost : public pvtest::PageHost {
public:
    PageHost() : pvtest::PageHost(RUNTIME_CLASS(CCureView)) {}

    // Presses "검사시작" and pumps until the pass has ended (the start button
    // reads "초기화면") or was stopped (back on the initial screen).
    void RunPass() {
        Click(IDC_CURE_START);
        pvtest::PumpUntil([this] {
            return Text(IDC_CURE_START) == cure::kCaptionInitialScreen || Visible(IDC_CURE_DB_GROUP);
        });
    }
    void PumpPending() { pvtest::PumpPending(); }

    pvtest::ListView list() const { return List(IDC_CURE_LIST); }
    int Rows() const { return list().Rows(); }
    std::string Cell(int row, int column) const { return list().Cell(row, column); }
    bool RowTicked(int row) const { return list().Ticked(row); }
    void TickRow(int row, bool ticked) { list().Tick(row, ticked); }
    int HeaderImage() const { return list().HeaderImage(0); }
    void ClickHeaderColumn0() { list().ClickHeader(0); }
};

}  // namespace cure_test
