// The dispatch methods of the menu object, linked into the tests, when memory runs out
// while the type information is loaded: a failure result, never an exception into the
// caller (Explorer).

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "shellext/context_menu.h"
#include "shellext/shell_ids.h"
#include "shellext/shell_module.h"

namespace {

// While set, the next operator new on this thread fails.
thread_local bool fail_next_allocation = false;

}  // namespace

void* operator new(std::size_t size) {
    if (fail_next_allocation) {
        fail_next_allocation = false;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace vantrel::shell {
namespace {

TEST(ComBoundaryTest, DispatchMethodsTurnAnExhaustedMemoryIntoAResult) {
    ITypeLib* registered = nullptr;
    if (SUCCEEDED(LoadRegTypeLib(kLibidVantrelShellLib, kTypeLibMajorVersion, kTypeLibMinorVersion,
                                 0x409, &registered))) {
        registered->Release();
        GTEST_SKIP() << "the type library is registered here: loading it allocates nothing";
    }
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(CMyContextMenu::Create(nullptr, IID_IDispatch, reinterpret_cast<void**>(&dispatch)),
              S_OK);
    wchar_t member[] = L"Clean";
    LPOLESTR names[] = {member};
    DISPID id = 0;
    DISPPARAMS none = {};
    ITypeInfo* info = nullptr;
    const struct {
        const char* method;
        HRESULT (*call)(IDispatch*, LPOLESTR*, DISPID*, DISPPARAMS*, ITypeInfo**);
    } calls[] = {
        {"GetTypeInfo", [](IDispatch* d, LPOLESTR*, DISPID*, DISPPARAMS*,
                           ITypeInfo** i) { return d->GetTypeInfo(0, 0x409, i); }},
        {"GetIDsOfNames", [](IDispatch* d, LPOLESTR* n, DISPID* i, DISPPARAMS*,
                             ITypeInfo**) { return d->GetIDsOfNames(IID_NULL, n, 1, 0x409, i); }},
        {"Invoke",
         [](IDispatch* d, LPOLESTR*, DISPID*, DISPPARAMS* p, ITypeInfo**) {
             return d->Invoke(1, IID_NULL, 0x409, DISPATCH_METHOD, p, nullptr, nullptr, nullptr);
         }},
    };
    for (const auto& c : calls) {
        ShellModule().Detach(true);  // the type information is loaded afresh
        HRESULT hr = S_OK;
        fail_next_allocation = true;
        EXPECT_NO_THROW(hr = c.call(dispatch, names, &id, &none, &info)) << c.method;
        fail_next_allocation = false;
        EXPECT_EQ(hr, E_OUTOFMEMORY) << c.method;
    }
    dispatch->Release();
}

}  // namespace
}  // namespace vantrel::shell
