#include "updater/update_session.h"

#include <string>

#include "updater/file_table.h"
#include "updater/install.h"
#include "updater/update_host.h"
#include "updater/version_compare.h"
#include "updater/version_file.h"
#include "updater/version_record.h"

namespace freshen {

const char kNewestText[] = "이미 최신버전을 사용하고 계십니다.";
const char kMessageCaption[] = "Purvex";

FetchResult UpdateSession::FetchVersionFile() {
    return FetchToFile(UpdateUrl(kVersionFileName), kVersionFilePath);
}

int UpdateSession::Percent() const {
    long long total = progress_.total;
    if (total <= 0) return 0;
    long long percent = static_cast<long long>(progress_.written) * 100 / total;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

void UpdateSession::DownloadCurrent() {
    const UpdateItem& item = Item(currentItem_);
    CreateDirectoryA(kTempFolder, nullptr);  // an existing folder is no error
    lastResult_ = FetchToFile(UpdateUrl(item.serverFile), item.tempFile, &progress_, &cancel_,
                              ReadServerDigest(item.section));
    done_.Signal();
}

void UpdateSession::Run(UpdateUi& ui) {
    std::string failed;
    {
        base::UniqueHKey key = OpenVersionRecord();
        for (int number = 1; number <= kItemCount && !cancel_; ++number) {
            const UpdateItem& item = Item(number);
            VersionText installed, server;
            ReadInstalledVersion(key.get(), item.valueRead, installed);
            ReadServerVersion(item.section, server);
            if (!IsNewer(server, installed)) continue;

            ++updates_;
            progress_.total = 0;
            progress_.written = 0;
            currentItem_ = number;
            ui.ShowFetching(number);
            ui.StartDownload();
            done_.Wait();

            // A version is recorded only for a file fetched whole.
            if (lastResult_ == FetchResult::kOk) {
                WriteInstalledVersion(key.get(), item.valueWritten, server);
            } else if (lastResult_ != FetchResult::kCancelled) {
                if (!failed.empty()) failed += "\r\n";
                failed += item.failedText;
            }
        }
    }
    InstallFetchedFiles();
    RemoveLeftovers(ui.Owner());
    if (!cancel_) {
        if (updates_ == 0)
            ui.Message(kNewestText, MB_ICONEXCLAMATION);
        else if (!failed.empty())
            ui.Message(failed.c_str(), MB_ICONSTOP);
    }
    ui.RestartMainProgram();
}

}  // namespace freshen
