#include "updater/update_session.h"

#include "updater/file_table.h"
#include "updater/install.h"
#include "updater/update_host.h"
#include "updater/version_compare.h"
#include "updater/version_file.h"
#include "updater/version_record.h"

namespace freshen {

const char kNewestText[] = "이미 최신버전을 사용하고 계십니다.";
const char kMessageCaption[] = "Purvex";

namespace {

// A signature is kRsaBytes long; a little more is read to refuse a longer one.
constexpr size_t kMaxSignatureFetch = 4096;

UtcDate TodayUtc() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return UtcDate{now.wYear, now.wMonth, now.wDay};
}

}  // namespace

const char* RefusalText(Verdict verdict) {
    switch (verdict) {
        case Verdict::kAccepted: return nullptr;
        case Verdict::kNoSignature:
            return "업데이트 정보에 서명이 없습니다.\r\n업데이트하지 않았습니다.";
        case Verdict::kBadSignature:
            return "업데이트 정보의 서명이 올바르지 않습니다.\r\n업데이트하지 않았습니다.";
        case Verdict::kIncomplete:
            return "업데이트 정보가 올바르지 않습니다.\r\n업데이트하지 않았습니다.";
        case Verdict::kOlderSerial:
            return "업데이트 정보가 이전에 받은 것보다 오래되었습니다.\r\n업데이트하지 않았습니다.";
        case Verdict::kExpired:
            return "업데이트 정보의 유효 기간이 지났습니다.\r\n업데이트하지 않았습니다.";
    }
    return nullptr;
}

FetchResult UpdateSession::FetchVersionFile() {
    versionResult_ = FetchToMemory(UpdateUrl(kVersionFileName), kMaxVersionFileSize, versionText_);
    signatureFetched_ = FetchToMemory(UpdateUrl(kSignatureFileName), kMaxSignatureFetch, signature_) == FetchResult::kOk;
    return versionResult_;
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
    lastResult_ = FetchToFile(UpdateUrl(item.serverFile), item.tempFile, expected_, &progress_, &cancel_);
    done_.Signal();
}

bool UpdateSession::AcceptVersionFile(HKEY key, UpdateUi& ui) {
    const char* sections[kItemCount];
    for (int number = 1; number <= kItemCount; ++number) sections[number - 1] = Item(number).section;
    accepted_ = VersionFile();
    accepted_.files.resize(kItemCount);
    // A version file that did not come, or too long a one, announces nothing.
    if (versionResult_ != FetchResult::kOk) return true;
    Verdict verdict = CheckVersionFile(versionText_, signatureFetched_ ? &signature_ : nullptr, publicKey_,
                                       ReadAcceptedSerial(key), TodayUtc(), sections, kItemCount, accepted_);
    if (verdict == Verdict::kAccepted) return true;
    RemoveLeftovers(ui.Owner());
    if (!cancel_) ui.Message(RefusalText(verdict), MB_ICONSTOP);
    ui.RestartMainProgram();
    return false;
}

void UpdateSession::Run(UpdateUi& ui) {
    base::UniqueHKey key = OpenVersionRecord();
    if (!AcceptVersionFile(key.get(), ui)) return;

    std::string failed;
    const UpdateItem* refused = nullptr;
    bool fetched[kItemCount] = {};
    for (int number = 1; number <= kItemCount && !cancel_ && !refused; ++number) {
        const UpdateItem& item = Item(number);
        const Announcement& server = accepted_.files[number - 1];
        VersionText installed;
        ReadInstalledVersion(key.get(), item.valueRead, installed);
        if (!IsNewer(server.version.c_str(), installed)) continue;

        ++updates_;
        progress_.total = 0;
        progress_.written = 0;
        expected_ = ExpectedFile{server.size, server.sha256Hex};
        currentItem_ = number;
        ui.ShowFetching(number);
        ui.StartDownload();
        done_.Wait();

        if (lastResult_ == FetchResult::kOk) {
            fetched[number - 1] = true;
        } else if (IsRefusal(lastResult_)) {
            refused = &item;
        } else if (lastResult_ != FetchResult::kCancelled) {
            if (!failed.empty()) failed += "\r\n";
            failed += item.failedText;
        }
    }
    // A version is recorded only for a file installed, and the serial only
    // once the install step is done.
    if (!refused) {
        bool installed[kItemCount] = {};
        InstallFetchedFiles(fetched, installed);
        for (int number = 1; number <= kItemCount; ++number) {
            if (installed[number - 1])
                WriteInstalledVersion(key.get(), Item(number).valueWritten,
                                      accepted_.files[number - 1].version.c_str());
        }
        if (versionResult_ == FetchResult::kOk) WriteAcceptedSerial(key.get(), accepted_.serial);
    }
    key.reset();
    RemoveLeftovers(ui.Owner());
    if (!cancel_) {
        if (refused)
            ui.Message(refused->refusedText, MB_ICONSTOP);
        else if (updates_ == 0)
            ui.Message(kNewestText, MB_ICONEXCLAMATION);
        else if (!failed.empty())
            ui.Message(failed.c_str(), MB_ICONSTOP);
    }
    ui.RestartMainProgram();
}

}  // namespace freshen
