#include "updater/update_session.h"

#include <vector>

#include "updater/file_table.h"
#include "updater/freshen_texts.h"
#include "updater/install.h"
#include "updater/uninstall_entry.h"
#include "updater/update_host.h"
#include "updater/version_compare.h"
#include "updater/version_file.h"
#include "updater/version_record.h"

namespace freshen {

namespace {

// A signature is kRsaBytes long; a little more is read to refuse a longer one.
constexpr size_t kMaxSignatureFetch = 4096;

UtcDate TodayUtc() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return UtcDate{now.wYear, now.wMonth, now.wDay};
}

std::string CurrentFolder() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

}  // namespace

const char* RefusalText(Verdict verdict) {
    switch (verdict) {
        case Verdict::kAccepted: return nullptr;
        case Verdict::kNoSignature: return kNoSignatureText;
        case Verdict::kBadSignature: return kBadSignatureText;
        case Verdict::kIncomplete: return kIncompleteText;
        case Verdict::kOlderSerial: return kOlderSerialText;
        case Verdict::kExpired: return kExpiredText;
    }
    return nullptr;
}

int UpdateSession::Percent() const {
    long long total = progress_.total;
    if (total <= 0) return 0;
    long long percent = static_cast<long long>(progress_.written) * 100 / total;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

void UpdateSession::Cancel() {
    cancel_ = true;
    stop_.Stop();
}

void UpdateSession::DownloadCurrent() {
    fetch_();
    done_.Signal();
}

void UpdateSession::OnDownloadThread(UpdateUi& ui, std::function<void()> fetch) {
    fetch_ = std::move(fetch);
    ui.StartDownload();
    done_.Wait();
}

const char* UpdateSession::TakeVersionFile(HKEY key, UpdateUi& ui) {
    std::string text, signature;
    FetchResult fetched = FetchResult::kOpenFailed;
    bool signed_ = false;
    OnDownloadThread(ui, [&] {
        fetched = FetchToMemory(UpdateUrl(kVersionFileName), kMaxVersionFileSize, text, limits_, &stop_);
        if (fetched == FetchResult::kOk)
            signed_ = FetchToMemory(UpdateUrl(kSignatureFileName), kMaxSignatureFetch, signature, limits_, &stop_) ==
                      FetchResult::kOk;
    });
    if (fetched != FetchResult::kOk) return IsUnreachable(fetched) ? kServerUnreachableText : kNoUpdateInfoText;

    std::vector<const char*> sections;
    for (int number = 1; number <= kItemCount; ++number) sections.push_back(Item(number).section);
    Verdict verdict = CheckVersionFile(text, signed_ ? &signature : nullptr, publicKey_,
                                       LowestAcceptedSerial(key, builtSerial_), TodayUtc(), sections.data(),
                                       kItemCount, accepted_);
    return RefusalText(verdict);
}

std::string UpdateSession::UpdateFiles(HKEY key, UpdateUi& ui, bool* restart) {
    std::vector<int> newer;
    for (int number = 1; number <= kItemCount; ++number) {
        VersionText installed;
        ReadInstalledVersion(key, Item(number).valueRead, installed);
        if (IsNewer(accepted_.files[number - 1].version.c_str(), installed)) newer.push_back(number);
    }
    if (newer.empty()) return std::string();

    WorkFolder folder;
    if (!folder.ok()) return kNoWorkFolderText;
    std::vector<StagedFile> staged;
    for (int number : newer) {
        if (cancel_) return std::string();
        const UpdateItem& item = Item(number);
        const Announcement& server = accepted_.files[number - 1];
        StagedFile file;
        file.item = number;
        file.expected = ExpectedFile{server.size, server.sha256Hex};
        file.file = folder.MakeFile(item.serverFile);
        ++updates_;
        progress_.total = 0;
        progress_.written = 0;
        currentItem_ = number;
        ui.ShowFetching(number);
        FetchResult result = FetchResult::kWriteFailed;
        if (file.file) {
            OnDownloadThread(ui, [&] {
                result = FetchToFile(UpdateUrl(item.serverFile), file.file.get(), file.expected, limits_,
                                     &progress_, &stop_);
            });
        }
        if (cancel_) return std::string();
        if (IsRefusal(result)) return FileText(item, kRefusedSuffix);
        if (IsUnreachable(result)) return kServerUnreachableText;
        if (result != FetchResult::kOk) return FileText(item, kNotFetchedSuffix);
        staged.push_back(std::move(file));
    }

    const InstallOutcome outcome = InstallStaged(folder, staged);
    switch (outcome.status) {
        case InstallStatus::kInstalled: break;
        case InstallStatus::kChanged: return FileText(Item(outcome.item), kRefusedSuffix);
        case InstallStatus::kNotReplaced: return FileText(Item(outcome.item), kNotReplacedSuffix);
        case InstallStatus::kNotRestored:
            *restart = false;
            return FileText(Item(outcome.item), kNotRestoredSuffix);
    }
    for (const StagedFile& file : staged) {
        const UpdateItem& item = Item(file.item);
        const char* version = accepted_.files[file.item - 1].version.c_str();
        WriteInstalledVersion(key, item.valueWritten, version);
        if (file.item == kMainProgramItem) UpdateDisplayVersion(CurrentFolder().c_str(), version);
    }
    KeepAcceptedSerial(key, accepted_.serial);
    return std::string();
}

void UpdateSession::Run(UpdateUi& ui) {
    std::string message;
    UINT icon = MB_ICONSTOP;
    bool restart = true;
    {
        base::UniqueHKey key = OpenVersionRecord();
        if (const char* refused = TakeVersionFile(key.get(), ui)) {
            message = refused;
        } else {
            message = UpdateFiles(key.get(), ui, &restart);
            if (message.empty() && updates_ == 0 && !cancel_) {
                KeepAcceptedSerial(key.get(), accepted_.serial);
                message = kNewestText;
                icon = MB_ICONEXCLAMATION;
            }
        }
    }
    RemoveLeftovers();
    if (!cancel_ && !message.empty()) ui.Message(message.c_str(), icon);
    if (restart) ui.RestartMainProgram();
}

}  // namespace freshen
