// The Winsock catalog repair, checked field by field in the registry.
#include "engine/packed_catalog_item.h"

#include <gtest/gtest.h>
#include <string.h>

#include "engine/repair.h"
#include "tests/support/engine_probe.h"

namespace {

using namespace enginetest;

// Keeps the catalog entries as they were before the test and puts them back.
class CatalogSandbox {
public:
    CatalogSandbox() {
        for (int i = 0; i < engine::kCatalogEntries; ++i) saved_[i] = Read(i, &had_[i]);
    }
    ~CatalogSandbox() {
        for (int i = 0; i < engine::kCatalogEntries; ++i) {
            HKEY key = nullptr;
            if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[i], 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr) != ERROR_SUCCESS)
                continue;
            if (had_[i]) RegSetValueExA(key, "PackedCatalogItem", 0, REG_BINARY, saved_[i].data(),
                                        static_cast<DWORD>(saved_[i].size()));
            else RegDeleteValueA(key, "PackedCatalogItem");
            RegCloseKey(key);
        }
    }
    static std::vector<uint8_t> Read(int entry, bool* present) {
        std::vector<uint8_t> data(2048, 0x7E);
        DWORD size = static_cast<DWORD>(data.size()), type = 0;
        HKEY key = nullptr;
        *present = false;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[entry], 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {};
        *present = RegQueryValueExA(key, "PackedCatalogItem", nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        if (!*present) return {};
        EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
        data.resize(size);
        return data;
    }
    static void Remove() {
        for (int i = 0; i < engine::kCatalogEntries; ++i) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[i], 0, KEY_ALL_ACCESS, &key) ==
                ERROR_SUCCESS) {
                RegDeleteValueA(key, "PackedCatalogItem");
                RegCloseKey(key);
            }
        }
    }

private:
    std::vector<uint8_t> saved_[engine::kCatalogEntries];
    bool had_[engine::kCatalogEntries] = {};
};

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
    CatalogSandbox::Remove();
    Engine engine;
    ASSERT_TRUE(engine.ok());
    AdScanResult other = {-1, const_cast<char*>("Gator"), 0, nullptr};
    EXPECT_EQ(engine.AdRepair(other), 1);
    bool present = true;
    CatalogSandbox::Read(0, &present);
    EXPECT_FALSE(present) << "other names leave the catalog alone";

    AdScanResult result = {-1, const_cast<char*>("Newdotnet"), 0, nullptr};
    EXPECT_EQ(engine.AdRepair(result), 1) << "nothing found: nothing failed";

    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string provider = std::string(system) + "\\mswsock.dll";
    const wchar_t* names[2] = {L"MSAFD Tcpip [TCP/IP]", L"MSAFD Tcpip [UDP/IP]"};
    for (int e = 0; e < 2; ++e) {
        std::vector<uint8_t> data = CatalogSandbox::Read(e, &present);
        ASSERT_TRUE(present) << e;
        ASSERT_EQ(data.size(), 888u);
        engine::PackedCatalogItem item;
        memcpy(&item, data.data(), sizeof(item));
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
