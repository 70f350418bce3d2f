// The Winsock catalog repair, checked field by field in the registry.
#include "engine/packed_catalog_item.h"

#include <gtest/gtest.h>
#include <string.h>

#include "base/unique_handle.h"
#include "engine/repair.h"
#include "tests/support/engine_probe.h"
#include "tests/support/registry_sandbox.h"

namespace {

using namespace enginetest;

// The two catalog entries, each saved for one test and put back afterwards.
struct CatalogSandbox {
    pvtest::KeyBackup tcp{HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[0]};
    pvtest::KeyBackup udp{HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[1]};
};

pvtest::RegValue CatalogItem(int entry) {
    return pvtest::ReadValue(HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[entry], "PackedCatalogItem");
}

void RemoveCatalogItems() {
    for (const char* path : engine::kCatalogEntryKeys) {
        base::UniqueHKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
            RegDeleteValueA(key.get(), "PackedCatalogItem");
    }
}

TEST(WinsockCatalog, TemplatePathAreaKeepsTheOldTail) {
    const engine::PackedCatalogItem& tcp = engine::CatalogTemplate(0);
    static const char kArea[] = "%SystemRoot%\\system32\\mswsock.dll\0et6_38.dll";
    EXPECT_EQ(memcmp(tcp.providerPath, kArea, sizeof(kArea)), 0);
    for (size_t i = sizeof(kArea); i < sizeof(tcp.providerPath); ++i) ASSERT_EQ(tcp.providerPath[i], 0) << i;
}

TEST(WinsockCatalog, NewdotnetNameRule) {
    EXPECT_TRUE(engine::IsNewdotnetName("Newdotnet"));
    EXPECT_TRUE(engine::IsNewdotnetName("NEWDOTNET"));
    EXPECT_TRUE(engine::IsNewdotnetName("newdot"));
    EXPECT_FALSE(engine::IsNewdotnetName("Newdotnet6"));
    EXPECT_FALSE(engine::IsNewdotnetName("Gator"));
    EXPECT_FALSE(engine::IsNewdotnetName("")) << "an empty name is no adware's name";
    EXPECT_FALSE(engine::IsNewdotnetName(nullptr));
}

TEST(WinsockCatalog, RepairWritesBothEntriesFieldByField) {
    CatalogSandbox sandbox;
    RemoveCatalogItems();
    Engine engine;
    ASSERT_TRUE(engine.ok());
    AdScanResult other = {-1, const_cast<char*>("Gator"), 0, nullptr};
    EXPECT_EQ(engine.AdRepair(other), 1);
    EXPECT_FALSE(CatalogItem(0).present) << "other names leave the catalog alone";

    AdScanResult result = {-1, const_cast<char*>("Newdotnet"), 0, nullptr};
    EXPECT_EQ(engine.AdRepair(result), 1) << "nothing found: nothing failed";

    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string provider = std::string(system) + "\\mswsock.dll";
    const wchar_t* names[2] = {L"MSAFD Tcpip [TCP/IP]", L"MSAFD Tcpip [UDP/IP]"};
    for (int e = 0; e < 2; ++e) {
        const pvtest::RegValue data = CatalogItem(e);
        ASSERT_TRUE(data.present) << e;
        EXPECT_EQ(data.type, static_cast<DWORD>(REG_BINARY));
        ASSERT_EQ(data.data.size(), 888u);
        engine::PackedCatalogItem item;
        memcpy(&item, data.data.data(), sizeof(item));
        EXPECT_STREQ(item.providerPath, provider.c_str());
        const WSAPROTOCOL_INFOW& info = item.info;
        EXPECT_EQ(info.dwServiceFlags1, e ? 0x00020609u : 0x00020066u);
        EXPECT_EQ(info.dwServiceFlags2, 0u);
        EXPECT_EQ(info.dwServiceFlags3, 0u);
        EXPECT_EQ(info.dwServiceFlags4, 0u);
        EXPECT_EQ(info.dwProviderFlags, 8u);
        const GUID expected = {0xE70F1AA0, 0xAB8B, 0x11CF, {0x8C, 0xA3, 0x00, 0x80, 0x5F, 0x48, 0xA1, 0x92}};
        EXPECT_EQ(memcmp(&info.ProviderId, &expected, sizeof(GUID)), 0);
        EXPECT_EQ(info.dwCatalogEntryId, e ? 1002u : 1001u);
        EXPECT_EQ(info.ProtocolChain.ChainLen, 1);
        for (int k = 0; k < MAX_PROTOCOL_CHAIN; ++k) EXPECT_EQ(info.ProtocolChain.ChainEntries[k], 0u);
        EXPECT_EQ(info.iVersion, 2);
        EXPECT_EQ(info.iAddressFamily, 2);
        EXPECT_EQ(info.iMaxSockAddr, 16);
        EXPECT_EQ(info.iMinSockAddr, 16);
        EXPECT_EQ(info.iSocketType, e ? 2 : 1);
        EXPECT_EQ(info.iProtocol, e ? 17 : 6);
        EXPECT_EQ(info.iProtocolMaxOffset, 0);
        EXPECT_EQ(info.iNetworkByteOrder, 0);
        EXPECT_EQ(info.iSecurityScheme, 0);
        EXPECT_EQ(info.dwMessageSize, e ? 65467u : 0u);
        EXPECT_EQ(info.dwProviderReserved, 0u);
        EXPECT_EQ(wcscmp(info.szProtocol, names[e]), 0);
        for (size_t k = wcslen(names[e]); k < 256; ++k) ASSERT_EQ(info.szProtocol[k], 0) << k;
    }
}

}  // namespace
