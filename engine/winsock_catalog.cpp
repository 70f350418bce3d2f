#include "engine/packed_catalog_item.h"
#include "engine/winsock_catalog.h"

#include <string.h>

#include "backup/keeper.h"
#include "base/unique_handle.h"
#include "engine/bounded_text.h"

namespace engine {

const char* const kCatalogEntryKeys[kCatalogEntries] = {
    "SYSTEM\\CurrentControlSet\\Services\\WinSock2\\Parameters\\Protocol_Catalog9\\Catalog_Entries\\000000000001",
    "SYSTEM\\CurrentControlSet\\Services\\WinSock2\\Parameters\\Protocol_Catalog9\\Catalog_Entries\\000000000002",
};

namespace {

constexpr char kPackedCatalogItemValue[] = "PackedCatalogItem";

// {E70F1AA0-AB8B-11CF-8CA3-00805F48A192}: the platform's TCP/IP provider.
const GUID kMsafdTcpipProvider = {0xE70F1AA0, 0xAB8B, 0x11CF, {0x8C, 0xA3, 0x00, 0x80, 0x5F, 0x48, 0xA1, 0x92}};

PackedCatalogItem BuildTemplate(bool udp) {
    PackedCatalogItem item;
    memset(&item, 0, sizeof(item));
    // The path area as the platform left it: the default path, then the tail
    // of the replaced provider's name behind its terminator.
    static const char kPathArea[] = "%SystemRoot%\\system32\\mswsock.dll\0et6_38.dll";
    memcpy(item.providerPath, kPathArea, sizeof(kPathArea));

    WSAPROTOCOL_INFOW& info = item.info;
    info.dwServiceFlags1 = udp ? 0x00020609 : 0x00020066;
    info.dwProviderFlags = 0x00000008;
    info.ProviderId = kMsafdTcpipProvider;
    info.dwCatalogEntryId = udp ? 1002 : 1001;
    info.ProtocolChain.ChainLen = 1;  // a base protocol
    info.iVersion = 2;
    info.iAddressFamily = 2;          // IPv4
    info.iMaxSockAddr = 16;
    info.iMinSockAddr = 16;
    info.iSocketType = udp ? 2 : 1;   // datagram : stream
    info.iProtocol = udp ? 17 : 6;    // UDP : TCP
    info.dwMessageSize = udp ? 65467 : 0;
    const wchar_t* name = udp ? L"MSAFD Tcpip [UDP/IP]" : L"MSAFD Tcpip [TCP/IP]";
    for (size_t i = 0; name[i]; ++i) info.szProtocol[i] = name[i];
    return item;
}

}  // namespace

const PackedCatalogItem& CatalogTemplate(int index) {
    static const PackedCatalogItem kTemplates[kCatalogEntries] = {BuildTemplate(false), BuildTemplate(true)};
    return kTemplates[index == 1 ? 1 : 0];
}

bool RepairWinsockCatalog() {
    char systemDir[kPathSize];
    UINT n = GetSystemDirectoryA(systemDir, kPathSize);
    if (n == 0 || n >= kPathSize) return false;
    for (int i = 0; i < kCatalogEntries; ++i) {
        base::UniqueHKey key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kCatalogEntryKeys[i], 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            key.put(), nullptr) != ERROR_SUCCESS)
            return false;
        PackedCatalogItem value = CatalogTemplate(i);
        // The new path and its zero byte; the template's bytes behind it stay.
        if (!JoinText(value.providerPath, sizeof(value.providerPath), systemDir, "\\mswsock.dll")) return false;
        if (RegSetValueExA(key.get(), kPackedCatalogItemValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value),
                           sizeof(value)) != ERROR_SUCCESS)
            return false;
    }
    return true;
}

void KeepWinsockCatalog(backup::Keeper& keeper, const char* record) {
    std::vector<backup::Keeper::Setting> entries;
    for (const char* key : kCatalogEntryKeys) entries.push_back({HKEY_LOCAL_MACHINE, key, kPackedCatalogItemValue});
    keeper.KeepSettings(entries, record);
}

}  // namespace engine
