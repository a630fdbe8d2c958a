#include "shellext/context_menu.h"
#include "shellext/shell_ids.h"
#include "tests/shell/shell_test_support.h"

#include <gtest/gtest.h>

namespace vantrel::shell::test {
namespace {

class ComServerTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dll_.loaded());
        ASSERT_EQ(dll_.CanUnloadNow(), S_OK);
    }
    void TearDown() override { EXPECT_EQ(dll_.CanUnloadNow(), S_OK) << "a lock was left"; }

    IClassFactory* Factory() {
        IClassFactory* factory = nullptr;
        EXPECT_EQ(dll_.GetClassObject(kClsidMyContextMenu, IID_IClassFactory,
                                      reinterpret_cast<void**>(&factory)),
                  S_OK);
        return factory;
    }

    ShellLibrary dll_;
};

TEST_F(ComServerTest, ClassObjectOnlyForItsOwnClass) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(dll_.GetClassObject(IID_IContextMenu, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(dll_.GetClassObject(kClsidMyContextMenu, IID_IClassFactory, nullptr), E_POINTER);
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(dll_.GetClassObject(kClsidMyContextMenu, IID_IContextMenu, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);

    IClassFactory* first = Factory();
    IClassFactory* second = Factory();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second) << "the class object is created once and cached";
    IUnknown* unknown = nullptr;
    EXPECT_EQ(
        dll_.GetClassObject(kClsidMyContextMenu, IID_IUnknown, reinterpret_cast<void**>(&unknown)),
        S_OK);
    EXPECT_EQ(unknown, static_cast<IUnknown*>(first));
    unknown->Release();
    second->Release();
    first->Release();
}

TEST_F(ComServerTest, LockCountFollowsInstancesClassObjectAndLockServer) {
    IClassFactory* factory = Factory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE) << "a held class object keeps the library";

    IContextMenu* menu = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu)),
              S_OK);
    factory->Release();
    EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE) << "a live instance keeps the library";
    menu->AddRef();
    EXPECT_EQ(menu->Release(), 1u);
    EXPECT_EQ(menu->Release(), 0u);
    EXPECT_EQ(dll_.CanUnloadNow(), S_OK);

    factory = Factory();
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE);
    factory = Factory();
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory->Release();
}

TEST_F(ComServerTest, QueryInterfaceAnswersTheFiveInterfacesOnly) {
    IUnknown* unknown = nullptr;
    ASSERT_EQ(dll_.CreateMenu(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    struct Case {
        const IID* iid;
        bool answered;
    };
    const Case cases[] = {{&kIidMyContextMenu, true},  {&IID_IDispatch, true},
                          {&IID_IShellExtInit, true},  {&IID_IContextMenu, true},
                          {&IID_IUnknown, true},       {&IID_IContextMenu2, false},
                          {&IID_IContextMenu3, false}, {&IID_IClassFactory, false},
                          {&IID_IPersistFile, false},  {&IID_IObjectWithSite, false}};
    for (const Case& c : cases) {
        void* object = reinterpret_cast<void*>(1);
        const HRESULT hr = unknown->QueryInterface(*c.iid, &object);
        if (c.answered) {
            EXPECT_EQ(hr, S_OK);
            ASSERT_NE(object, nullptr);
            IUnknown* identity = nullptr;
            static_cast<IUnknown*>(object)->QueryInterface(IID_IUnknown,
                                                           reinterpret_cast<void**>(&identity));
            EXPECT_EQ(identity, unknown) << "one identity for every interface";
            identity->Release();
            static_cast<IUnknown*>(object)->Release();
        } else {
            EXPECT_EQ(hr, E_NOINTERFACE);
            EXPECT_EQ(object, nullptr);
        }
    }
    IDispatch* dispatch = nullptr;
    unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    IDispatch* own = nullptr;
    unknown->QueryInterface(kIidMyContextMenu, reinterpret_cast<void**>(&own));
    EXPECT_EQ(dispatch, own) << "IDispatch is the dual interface";
    dispatch->Release();
    own->Release();
    EXPECT_EQ(unknown->Release(), 0u);
}

// An outer object that counts the references its inner part delegates to it.
class OuterObject final : public IUnknown {
  public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown)) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        return inner != nullptr ? inner->QueryInterface(riid, ppv) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }

    ULONG references = 1;
    IUnknown* inner = nullptr;
};

TEST_F(ComServerTest, AggregationOnlyThroughIUnknownAndDelegatesToTheOuterObject) {
    IClassFactory* factory = Factory();
    ASSERT_NE(factory, nullptr);
    OuterObject outer;
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IContextMenu, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, nullptr), E_POINTER);
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE) << "only the class object is held";

    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)),
              S_OK);
    factory->Release();
    EXPECT_EQ(outer.references, 1u) << "the inner IUnknown is not counted on the outer object";

    IContextMenu* menu = nullptr;
    ASSERT_EQ(outer.QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
    EXPECT_EQ(outer.references, 2u) << "the part's interface counts on the outer object";
    IUnknown* identity = nullptr;
    menu->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
    identity->Release();
    menu->Release();
    EXPECT_EQ(outer.references, 1u);

    EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE);
    EXPECT_EQ(outer.inner->Release(), 0u);
    outer.inner = nullptr;
}

TEST_F(ComServerTest, DispatchAnswersFromTheTypeLibraryAndFindsNoMembers) {
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(dll_.CreateMenu(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    UINT count = 0;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ITypeInfo* type_info = nullptr;
    EXPECT_EQ(dispatch->GetTypeInfo(1, 0x409, &type_info), DISP_E_BADINDEX);
    ASSERT_EQ(dispatch->GetTypeInfo(0, 0x409, &type_info), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(type_info->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, kIidMyContextMenu));
    EXPECT_TRUE((attributes->wTypeFlags & TYPEFLAG_FDUAL) != 0);
    type_info->ReleaseTypeAttr(attributes);
    ITypeLib* library = nullptr;
    UINT index = 0;
    ASSERT_EQ(type_info->GetContainingTypeLib(&library, &index), S_OK);
    BSTR name = nullptr;
    BSTR help = nullptr;
    library->GetDocumentation(-1, &name, &help, nullptr, nullptr);
    EXPECT_STREQ(name, L"VantrelShellLib");
    EXPECT_STREQ(help, L"VantrelShell 1.0 Type Library");
    SysFreeString(name);
    SysFreeString(help);
    library->Release();
    type_info->Release();

    wchar_t member_name[] = L"Clean";
    LPOLESTR names[] = {member_name};
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0x409, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_IUnknown, names, 1, 0x409, &id), DISP_E_UNKNOWNINTERFACE);
    DISPPARAMS none = {};
    EXPECT_EQ(
        dispatch->Invoke(1, IID_NULL, 0x409, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
        DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(dispatch->Release(), 0u);
}

TEST_F(ComServerTest, ResourcesOfTheLibrary) {
    wchar_t text[64] = {};
    EXPECT_EQ(LoadStringW(dll_.module(), 100, text, 64), 12);
    EXPECT_STREQ(text, L"VantrelShell");
    EXPECT_NE(FindResourceW(dll_.module(), MAKEINTRESOURCEW(1), L"TYPELIB"), nullptr);
    HBITMAP bitmap = LoadBitmapW(dll_.module(), MAKEINTRESOURCEW(202));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    GetObjectW(bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 16);
    EXPECT_EQ(info.bmHeight, 16);
    DeleteObject(bitmap);

    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(dll_.module(), path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    wchar_t* original = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\OriginalFilename",
                               reinterpret_cast<void**>(&original), &length));
    EXPECT_STREQ(original, L"VantrelShell.dll");
}

}  // namespace
}  // namespace vantrel::shell::test
