#include "backup/manifest.h"

#include <windows.h>
#include <stdio.h>

#include "backup/seal.h"
#include "base/ansi_text.h"

namespace backup {

namespace {

constexpr char kHeading[] = "PURVEX-BACKUP\t1";
constexpr char kLineEnd[] = "\r\n";
const char* const kKindNames[] = {"file", "folder", "key", "value", "setting"};
const char* const kKindLabels[] = {"파일", "폴더", "레지스트리 키", "레지스트리 값", "치료 전 설정"};

std::string FlagsOf(const Entry& e) {
    std::string flags;
    auto add = [&](bool on, const char* word) {
        if (on) flags += std::string(flags.empty() ? "" : ",") + word;
    };
    add(e.view64, "64");
    add(e.realPlace, "real");
    add(!e.complete, "partial");
    add(e.valueAbsent, "novalue");
    add(e.keyAbsent, "nokey");
    add(e.refused, "refused");
    return flags;
}

bool HasFlag(const std::string& flags, const char* word) {
    return ("," + flags + ",").find("," + std::string(word) + ",") != std::string::npos;
}

std::string ManifestLine(const Entry& e) {
    using base::EscapedField;
    return std::string(kKindNames[static_cast<int>(e.kind)]) + "\t" + FlagsOf(e) + "\t" + EscapedField(e.place) +
           "\t" + EscapedField(e.valueName) + "\t" + EscapedField(e.stored) + "\t" + EscapedField(e.record) + "\t" +
           EscapedField(e.digest) + kLineEnd;
}

bool ParseLine(const std::string& line, Entry* e) {
    std::vector<std::string> fields;
    for (size_t at = 0;;) {
        const size_t tab = line.find('\t', at);
        fields.push_back(line.substr(at, tab == std::string::npos ? std::string::npos : tab - at));
        if (tab == std::string::npos) break;
        at = tab + 1;
    }
    if (fields.size() != 6 && fields.size() != 7) return false;  // a list made before digests has six
    int kind = -1;
    for (int k = 0; k < 5; ++k)
        if (fields[0] == kKindNames[k]) kind = k;
    if (kind < 0) return false;
    e->kind = static_cast<Kind>(kind);
    e->view64 = HasFlag(fields[1], "64");
    e->realPlace = HasFlag(fields[1], "real");
    e->complete = !HasFlag(fields[1], "partial");
    e->valueAbsent = HasFlag(fields[1], "novalue");
    e->keyAbsent = HasFlag(fields[1], "nokey");
    e->refused = HasFlag(fields[1], "refused");
    e->place = base::UnescapedField(fields[2]);
    e->valueName = base::UnescapedField(fields[3]);
    e->stored = base::UnescapedField(fields[4]);
    e->record = base::UnescapedField(fields[5]);
    if (fields.size() == 7) e->digest = base::UnescapedField(fields[6]);
    return !e->place.empty() && !e->stored.empty();
}

std::string ListHeading() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char stamp[40];
    snprintf(stamp, sizeof stamp, "%4d-%02d-%02d %02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
    return std::string("Purvex 치료 백업 (") + stamp + ")\r\n\r\n"
           "치료할 때 지운 항목을 이 폴더에 보관하였습니다.\r\n"
           "Purvex의 \"복원\" 단추를 누르면 모두 원래 위치로 되돌립니다.\r\n"
           "직접 되돌리려면 파일과 폴더는 원래 위치로 옮긴 뒤 파일 이름 끝의 \".bak\"를 지우고,\r\n"
           "레지스트리는 .reg 파일을 더블클릭하여 병합하십시오.\r\n\r\n";
}

std::string ListBlock(const Entry& e) {
    const bool registry = e.kind == Kind::kKey || e.kind == Kind::kValue || e.kind == Kind::kSetting;
    std::string block = "[" + std::string(kKindLabels[static_cast<int>(e.kind)]) + "] " +
                        (e.kind == Kind::kSetting ? "" : "애드웨어 : ") + base::EscapedField(e.record, false) + "\r\n";
    block += "    원래 위치 : " + base::EscapedField(e.place, false) + (e.view64 ? " (64비트)" : "") + "\r\n";
    if (e.kind == Kind::kValue || e.kind == Kind::kSetting)
        block += "    값 이름 : " + (e.valueName.empty() ? std::string("(기본값)") : base::EscapedField(e.valueName, false)) +
                 (e.valueAbsent ? " (치료 전에는 없던 값)" : "") + "\r\n";
    block += "    보관 이름 : " + base::EscapedField(e.stored, false) + (registry ? " (더블클릭하여 병합)" : "") + "\r\n";
    if (!e.complete) block += "    (일부는 지우지 못하여 원래 위치에 남아 있습니다)\r\n";
    return block + "\r\n";
}

}  // namespace

std::string ManifestText(const std::vector<Entry>& entries) {
    std::string text = std::string(kHeading) + kLineEnd;
    for (const Entry& entry : entries) text += ManifestLine(entry);
    return text;
}

bool ParseManifest(const std::string& text, std::vector<Entry>* entries) {
    entries->clear();
    size_t at = text.find(kLineEnd);
    if (at == std::string::npos || text.compare(0, at, kHeading) != 0) return false;
    for (at += 2; at < text.size();) {
        const size_t end = text.find(kLineEnd, at);
        if (end == std::string::npos) break;  // a line never finished
        Entry entry;
        if (ParseLine(text.substr(at, end - at), &entry)) entries->push_back(std::move(entry));
        at = end + 2;
    }
    return true;
}

FileRead ReadManifest(const base::OpenFolder& folder, std::string* text, std::vector<Entry>* entries) {
    entries->clear();
    const FileRead read = ReadOwnFile(folder, kManifestName, kLongestManifest, text);
    if (read == FileRead::kRead && !ParseManifest(*text, entries)) return FileRead::kRefused;
    return read;
}

bool AppendEntry(const base::OpenFolder& folder, const Entry& entry, const std::string& manifest) {
    const bool listed = WriteOwnFile(folder, kManifestName, ManifestLine(entry), true, std::string(kHeading) + kLineEnd);
    WriteOwnFile(folder, kListName, ListBlock(entry), true, ListHeading());
    std::string seal;
    if (listed && SealOf(manifest, true, &seal)) WriteOwnFile(folder, kSealName, seal + kLineEnd, false);
    return listed;
}

bool RewriteLists(const base::OpenFolder& folder, const std::vector<Entry>& entries) {
    std::string blocks = ListHeading(), seal;
    for (const Entry& entry : entries) blocks += ListBlock(entry);
    const std::string manifest = ManifestText(entries);
    const bool listed = WriteOwnFile(folder, kManifestName, manifest, false);
    WriteOwnFile(folder, kListName, blocks, false);
    if (listed && SealOf(manifest, true, &seal)) WriteOwnFile(folder, kSealName, seal + kLineEnd, false);
    return listed;
}

bool HoldsBackup(const std::string& folder) {
    std::string text;
    std::vector<Entry> entries;
    return ReadManifest(OpenBackupFolder(folder, false), &text, &entries) == FileRead::kRead && !entries.empty();
}

}  // namespace backup
