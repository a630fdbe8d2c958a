#include <windows.h>
// After windows.h, which they need.
#include <shellapi.h>
#include <shobjidl.h>

#include <atomic>
#include <vector>

#include "engine/shell_path_rules.h"
#include "win32/handles.h"
#include "win32/shell_delete.h"

namespace vantrel {

namespace {

// Initialises COM on the calling thread for one operation when it is not yet.
class ComForCall {
  public:
    ComForCall() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForCall() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComForCall(const ComForCall&) = delete;
    ComForCall& operator=(const ComForCall&) = delete;

  private:
    HRESULT result_;
};

// The progress sink that stops every delete the shell would not send to the Recycle Bin.
// It lives on the stack of RecycleItem and outlives the operation that holds it.
class RecycleOnlySink : public IFileOperationProgressSink {
  public:
    bool refused = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IFileOperationProgressSink) {
            *object = static_cast<IFileOperationProgressSink*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    HRESULT STDMETHODCALLTYPE PreDeleteItem(DWORD flags, IShellItem*) override {
        if ((flags & TSF_DELETE_RECYCLE_IF_POSSIBLE) == 0) {
            refused = true;  // the shell would delete this item for good
            return HRESULT_FROM_WIN32(ERROR_CANCELLED);
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE StartOperations() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE FinishOperations(HRESULT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PreRenameItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostRenameItem(DWORD, IShellItem*, LPCWSTR, HRESULT,
                                             IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PreMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PostMoveItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT,
                                           IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PreCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PostCopyItem(DWORD, IShellItem*, IShellItem*, LPCWSTR, HRESULT,
                                           IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PostDeleteItem(DWORD, IShellItem*, HRESULT, IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PreNewItem(DWORD, IShellItem*, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostNewItem(DWORD, IShellItem*, LPCWSTR, LPCWSTR, DWORD, HRESULT,
                                          IShellItem*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UpdateProgress(UINT, UINT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResetTimer() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PauseTimer() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResumeTimer() override { return S_OK; }

  private:
    std::atomic<ULONG> references_{1};
};

// True when the drive holding `path` has a Recycle Bin: a fixed drive whose bin the shell
// can be asked about. Network paths and other kinds of drive have none.
bool DriveHasRecycleBin(const std::wstring& path) {
    if (path.rfind(L"\\\\", 0) == 0) {
        return false;
    }
    std::vector<wchar_t> volume(path.size() + 2, L'\0');
    if (!GetVolumePathNameW(path.c_str(), volume.data(), static_cast<DWORD>(volume.size())) ||
        GetDriveTypeW(volume.data()) != DRIVE_FIXED) {
        return false;
    }
    SHQUERYRBINFO info = {};
    info.cbSize = sizeof(info);
    return SUCCEEDED(SHQueryRecycleBinW(volume.data(), &info));
}

// The answers of a system without the shell's file operation object.
bool Unavailable(HRESULT result) {
    return result == E_NOTIMPL || result == REGDB_E_CLASSNOTREG;
}

}  // namespace

RecycleOutcome RecycleItem(const std::wstring& path, HWND owner) {
    if (!FitsShellDelete(path) || !DriveHasRecycleBin(path)) {
        return RecycleOutcome::Refused;
    }
    const ComForCall com;
    RecycleOnlySink sink;
    {
        ComPtr<IFileOperation> operation;
        HRESULT result =
            CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_IFileOperation,
                             reinterpret_cast<void**>(operation.put()));
        if (SUCCEEDED(result)) {
            result = operation->SetOperationFlags(FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI |
                                                  FOF_ALLOWUNDO);
        }
        if (!Unavailable(result)) {
            if (FAILED(result)) {
                return RecycleOutcome::Failed;
            }
            ComPtr<IShellItem> item;
            DWORD cookie = 0;
            BOOL aborted = FALSE;
            if (owner != nullptr) {
                operation->SetOwnerWindow(owner);
            }
            if (FAILED(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_IShellItem,
                                                   reinterpret_cast<void**>(item.put()))) ||
                FAILED(operation->Advise(&sink, &cookie))) {
                return RecycleOutcome::Failed;
            }
            const bool done = SUCCEEDED(operation->DeleteItem(item.get(), nullptr)) &&
                              SUCCEEDED(operation->PerformOperations()) &&
                              SUCCEEDED(operation->GetAnyOperationsAborted(&aborted)) && !aborted;
            operation->Unadvise(cookie);
            if (sink.refused) {
                return RecycleOutcome::Refused;
            }
            return done ? RecycleOutcome::Recycled : RecycleOutcome::Failed;
        }
    }
    return ShellDelete(path, kRecycleFlags, owner) ? RecycleOutcome::Recycled
                                                   : RecycleOutcome::Failed;
}

}  // namespace vantrel
