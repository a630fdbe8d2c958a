#include "engine/path.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// The process stands in "C:\work\x."; drive D: was last in "D:\data", E: never visited.
const CurrentFolders kCurrent{
    [] { return std::wstring(L"C:\\work\\x."); },
    [](wchar_t letter) {
        return letter == L'D' || letter == L'd' ? std::wstring(L"D:\\data") : std::wstring();
    },
};

// Each row: a text as a person or a program may give it, its absolute form, and another
// writing of the same folder that must share its key ("" where the form is refused).
TEST(PathTest, AbsoluteFormTrimsNothingAndKeysEveryWritingOfAFolderAlike) {
    const struct {
        std::wstring text;
        std::wstring form;
        std::wstring same_folder;
    } cases[] = {
        // Relative: joined with the current folder, dots and blanks kept on every name.
        {L".", L"C:\\work\\x.", L"c:/WORK/x./"},
        {L"x.o.", L"C:\\work\\x.\\x.o.", L"\\\\?\\C:\\work\\x.\\X.O."},
        {L"a \\.\\b.. /", L"C:\\work\\x.\\a \\b.. ", L"C:\\work\\x.\\a \\b.. \\"},
        {L"..\\y", L"C:\\work\\y", L"C:\\work\\x.\\..\\y"},
        {L"..\\..\\..\\..", L"C:\\", L"c:"},  // ".." stops at the root
        // Drive-relative and root-relative.
        {L"D:sub.", L"D:\\data\\sub.", L"d:\\DATA\\sub.\\"},
        {L"d:", L"D:\\data", L"D:\\data\\"},
        {L"E:", L"E:\\", L"\\\\?\\E:"},
        {L"E:..\\z", L"E:\\z", L"e:/z"},
        {L"\\top.", L"C:\\top.", L"C:\\work\\..\\top."},
        {L"/", L"C:\\", L"C:\\."},
        // Absolute: resolved in the text only.
        {L"C:\\x", L"C:\\x", L"\\\\?\\c:\\X\\"},
        {L"c:/x//y/../z ", L"c:\\x\\z ", L"C:\\X\\Z \\"},
        {L"C:\\..\\x", L"C:\\x", L"C:\\x"},
        // Shares: "\\server\share" is the root.
        {L"\\\\srv\\sh\\a.\\..\\..\\b", L"\\\\srv\\sh\\b", L"\\\\?\\UNC\\SRV\\sh\\b\\"},
        {L"//srv/sh/", L"\\\\srv\\sh", L"\\\\srv\\sh\\"},
        {L"\\\\srv", L"", L""},
        // "\\.\" would be resolved and trimmed by Windows: it becomes the literal form.
        {L"\\\\.\\C:\\src\\y.o.", L"\\\\?\\C:\\src\\y.o.", L"C:\\src\\y.o."},
        {L"\\\\.\\C:\\src\\..\\..", L"\\\\?\\C:\\", L"C:\\"},
        {L"\\\\.\\C:", L"\\\\?\\C:\\", L"c:\\"},
        {L"//./c:/a/./b", L"\\\\?\\c:\\a\\b", L"C:\\A\\B"},
        {L"//?/C:/a./", L"\\\\?\\C:\\a.", L"C:\\a."},  // only "\\?\" is literal
        {L"\\\\.\\UNC\\srv\\sh\\d", L"\\\\?\\UNC\\srv\\sh\\d", L"\\\\srv\\sh\\d"},
        {L"\\\\.\\Volume{1234}\\d", L"\\\\?\\Volume{1234}\\d", L"\\\\?\\volume{1234}\\d\\"},
        {L"\\\\.\\pipe\\p", L"", L""},
        {L"\\\\.\\PhysicalDrive0", L"", L""},
        // "\\?\" is taken literally; a bare drive gains its root's "\".
        {L"\\\\?\\C:\\a\\..\\b.", L"\\\\?\\C:\\a\\..\\b.", L"\\\\?\\C:\\a\\..\\b.\\"},
        {L"\\\\?\\D:", L"\\\\?\\D:\\", L"D:\\"},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        const std::wstring form = AbsolutePathForm(c.text, kCurrent);
        EXPECT_EQ(form, c.form) << Narrow(c.text);
        if (!form.empty()) {
            EXPECT_EQ(AbsolutePathForm(form, kCurrent), form) << "not stable: " << Narrow(form);
            EXPECT_EQ(FolderKey(form), FolderKey(AbsolutePathForm(c.same_folder, kCurrent)))
                << Narrow(c.text) << " vs " << Narrow(c.same_folder);
        }
    }
    // Names that differ only in a trailing dot or blank are different folders.
    EXPECT_NE(FolderKey(L"C:\\x."), FolderKey(L"C:\\x"));
    EXPECT_NE(FolderKey(L"C:\\x "), FolderKey(L"C:\\x"));
    // Without a usable current folder a relative text names nothing.
    EXPECT_EQ(AbsolutePathForm(L"x", CurrentFolders{}), L"");
}

TEST(PathTest, JoinPathAddsOneSeparator) {
    EXPECT_EQ(JoinPath(L"C:\\a", L"b"), L"C:\\a\\b");
    EXPECT_EQ(JoinPath(L"C:\\", L"b"), L"C:\\b");
    EXPECT_EQ(JoinPath(L"\\\\srv\\share\\", L"b"), L"\\\\srv\\share\\b");
}

TEST(ExtendedPathFormTest, KeepsEveryCharacterOfEveryNameAndResolvesOnlyTheText) {
    struct Case {
        std::wstring path;
        std::wstring form;
    };
    const Case cases[] = {
        {L"C:\\t\\notes.", L"\\\\?\\C:\\t\\notes."},
        {L"C:\\t\\blank ", L"\\\\?\\C:\\t\\blank "},
        {L"C:\\dir. \\a", L"\\\\?\\C:\\dir. \\a"},
        {L"c:/t//sub\\", L"\\\\?\\c:\\t\\sub"},
        {L"C:\\", L"\\\\?\\C:\\"},
        {L"C:\\a\\.\\b\\..\\c.", L"\\\\?\\C:\\a\\c."},
        {L"\\\\server\\share\\x.", L"\\\\?\\UNC\\server\\share\\x."},
        {L"\\\\?\\C:\\x.", L"\\\\?\\C:\\x."},
        {L"\\\\.\\pipe\\p", L"\\\\.\\pipe\\p"},
        // Not absolute, or ".." above the root: the system has to make it absolute.
        {L"", L""},
        {L"notes.", L""},
        {L"C:notes.", L""},
        {L"\\notes.", L""},
        {L"C:\\..\\x", L""},
        {L"\\\\server\\share\\..\\..\\x", L""},
        {L"\\\\server", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtendedPathForm(c.path), c.form) << std::string(c.path.begin(), c.path.end());
    }
}

TEST(PathTest, RemoveFileSpecTable) {
    const struct {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"C:\\Program Files\\Vantrel\\Vantrel.exe", L"C:\\Program Files\\Vantrel"},
        {L"C:\\Vantrel.exe", L"C:\\"},
        {L"C:\\", L"C:\\"},
        {L"C:", L"C:"},
        {L"C:file.exe", L"C:"},
        {L"C:\\dir\\", L"C:\\dir"},
        {L"\\\\server\\share\\v.exe", L"\\\\server\\share"},
        {L"\\\\server", L"\\\\"},
        {L"\\v.exe", L"\\"},
        {L"\\", L"\\"},
        {L"Vantrel.exe", L""},
        {L"", L""},
        {L"a\\b\\c", L"a\\b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RemoveFileSpec(c.in), c.out) << c.in;
    }
}

}  // namespace
}  // namespace vantrel
