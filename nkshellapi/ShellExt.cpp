#include "nkshellapi/ShellExt.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

namespace {

// Owns one COM interface pointer.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    void** put() { return reinterpret_cast<void**>(&p_); }
    T** put_typed() { return &p_; }

private:
    T* p_ = nullptr;
};

// Owns an item identifier list from the shell's allocator.
class ItemList {
public:
    ItemList() = default;
    ~ItemList() { CoTaskMemFree(p_); }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
    LPITEMIDLIST get() const { return p_; }
    LPITEMIDLIST* put() {
        CoTaskMemFree(p_);
        p_ = nullptr;
        return &p_;
    }

private:
    LPITEMIDLIST p_ = nullptr;
};

// COM for the calling thread for as long as the object lives; a thread that
// already has COM keeps it as it was.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() {
        if (initialised_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

// The size column of the storage property set.
const SHCOLUMNID kSizeColumn = {{0xB725F130, 0x47EF, 0x101A, {0xA5, 0xF1, 0x02, 0x60, 0x8C, 0x9E, 0xEB, 0xAC}}, 12};

DWORD SizeOf(IShellFolder* folder, LPCITEMIDLIST child) {
    ComPtr<IShellFolder2> details;
    if (FAILED(folder->QueryInterface(IID_IShellFolder2, details.put()))) return 0;
    VARIANT value;
    VariantInit(&value);
    DWORD size = 0;
    if (SUCCEEDED(details->GetDetailsEx(child, &kSizeColumn, &value))) {
        VARIANT number;
        VariantInit(&number);
        if (SUCCEEDED(VariantChangeType(&number, &value, 0, VT_UI4))) size = number.ulVal;
        VariantClear(&number);
    }
    VariantClear(&value);
    return size;
}

tagFOLDERITEM DescribeItem(IShellFolder* folder, LPCITEMIDLIST child) {
    tagFOLDERITEM item;
    STRRET name = {};
    char text[MAX_PATH] = {};
    if (SUCCEEDED(folder->GetDisplayNameOf(child, SHGDN_NORMAL, &name)) &&
        SUCCEEDED(StrRetToBufA(&name, child, text, sizeof text)))
        item.strName = text;
    SFGAOF attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_HIDDEN | SFGAO_LINK | SFGAO_READONLY;
    if (SUCCEEDED(folder->GetAttributesOf(1, &child, &attributes))) item.dwAttributes = attributes;
    item.dwSize = SizeOf(folder, child);
    return item;
}

}  // namespace

CShellExt::CShellExt() = default;

CShellExt::~CShellExt() = default;

const CList<tagFOLDERITEM, tagFOLDERITEM&>* CShellExt::GetRecycleBinItems() {
    m_items.RemoveAll();
    ComScope com;
    ComPtr<IShellFolder> desktop;
    ItemList binLocation;
    if (FAILED(SHGetDesktopFolder(desktop.put_typed())) ||
        FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, binLocation.put())))
        return &m_items;
    ComPtr<IShellFolder> bin;
    if (FAILED(desktop->BindToObject(binLocation.get(), nullptr, IID_IShellFolder, bin.put()))) return &m_items;
    ComPtr<IEnumIDList> items;
    // S_FALSE with no enumerator is an empty folder.
    if (bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                         items.put_typed()) != S_OK ||
        items.get() == nullptr)
        return &m_items;
    for (;;) {
        ItemList child;
        ULONG fetched = 0;
        if (items->Next(1, child.put(), &fetched) != S_OK || fetched != 1) break;
        tagFOLDERITEM item = DescribeItem(bin.get(), child.get());
        m_items.AddTail(item);
    }
    return &m_items;
}
