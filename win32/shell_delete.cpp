#include "win32/shell_delete.h"

#include <shellapi.h>

#include <vector>

#include "engine/shell_path_rules.h"

namespace vantrel {

bool ShellDelete(const std::wstring& path, unsigned flags, HWND owner) {
    if (!FitsShellDelete(path)) {
        return false;
    }
    // The shell takes a list of paths ended by an empty one: the path and two NULs.
    std::vector<wchar_t> from(path.begin(), path.end());
    from.push_back(L'\0');
    from.push_back(L'\0');

    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.data();
    operation.fFlags = static_cast<FILEOP_FLAGS>(flags);
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace vantrel
