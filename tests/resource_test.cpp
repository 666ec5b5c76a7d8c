// Reads the resources back from the built Vantry.exe and checks them field
// by field.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string.h>

#include <string>
#include <vector>

#include "../res/resource.h"
#include "support/helper_process.h"

namespace {

const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN);

class ExecutableResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = TestProgramDirectory() + "..\\Vantry.exe";
        module_ = LoadLibraryExA(path_.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module_ != NULL) << path_;
    }
    void TearDown() override
    {
        if (module_ != NULL)
            FreeLibrary(module_);
    }

    std::vector<BYTE> Load(LPCSTR type, LPCSTR name) { return LoadFrom(module_, type, name); }

    static std::vector<BYTE> LoadFrom(HMODULE module, LPCSTR type, LPCSTR name)
    {
        HRSRC found = FindResourceExA(module, type, name, kJapanese);
        if (found == NULL)
            return std::vector<BYTE>();
        const BYTE *data = static_cast<const BYTE *>(LockResource(LoadResource(module, found)));
        return std::vector<BYTE>(data, data + SizeofResource(module, found));
    }

    std::string path_;
    HMODULE module_ = NULL;
};

// Walks a resource's bytes: the template formats are sequences of words,
// strings and ordinals.
class Reader {
public:
    explicit Reader(const std::vector<BYTE> &bytes) : bytes_(bytes), at_(0) {}
    WORD Word() { WORD w = bytes_[at_] | (bytes_[at_ + 1] << 8); at_ += 2; return w; }
    DWORD Dword() { DWORD low = Word(); return low | (static_cast<DWORD>(Word()) << 16); }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() { return bytes_[at_++]; }
    std::wstring String()
    {
        std::wstring text;
        for (WORD c = Word(); c != 0; c = Word())
            text += static_cast<wchar_t>(c);
        return text;
    }
    // A string, or an ordinal written as "#<number>".
    std::wstring StringOrOrdinal()
    {
        WORD first = Word();
        if (first == 0xFFFF)
            return L"#" + std::to_wstring(Word());
        at_ -= 2;
        return String();
    }
    void AlignDword() { at_ = (at_ + 3) & ~3u; }
    void Skip(size_t count) { at_ += count; }

private:
    const std::vector<BYTE> &bytes_;
    size_t at_;
};

struct ControlExpectation {
    DWORD id;
    const wchar_t *className;
    const wchar_t *classOrdinal;
    const wchar_t *text;
    DWORD style;
    short x, y, cx, cy;
};

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found)
{
    reinterpret_cast<std::vector<WORD> *>(found)->push_back(language);
    return TRUE;
}

BOOL CALLBACK CollectName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR languages)
{
    EnumResourceLanguagesA(module, type, name, CollectLanguage, languages);
    return TRUE;
}

BOOL CALLBACK CollectType(HMODULE module, LPSTR type, LONG_PTR languages)
{
    EnumResourceNamesA(module, type, CollectName, languages);
    return TRUE;
}

TEST_F(ExecutableResources, EveryResourceIsJapanese)
{
    std::vector<WORD> languages;
    EnumResourceTypesA(module_, CollectType, reinterpret_cast<LONG_PTR>(&languages));
    ASSERT_GE(languages.size(), 5u);  // dialog, icon, icon group, manifest, version
    for (WORD language : languages)
        EXPECT_EQ(0x0411, language);
}

TEST_F(ExecutableResources, DialogTemplateIsTheExtendedProcessListDialog)
{
    std::vector<BYTE> bytes = Load(RT_DIALOG, MAKEINTRESOURCEA(IDD_PROCESS_LIST));
    ASSERT_FALSE(bytes.empty());
    Reader in(bytes);
    EXPECT_EQ(1, in.Word());       // dlgVer
    EXPECT_EQ(0xFFFF, in.Word());  // signature of the extended template
    EXPECT_EQ(0u, in.Dword());     // help identifier
    EXPECT_EQ(0u, in.Dword());     // extended style
    EXPECT_EQ(static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                 WS_MAXIMIZEBOX | DS_CENTER | DS_SETFONT),
              in.Dword());
    const WORD controls = in.Word();
    EXPECT_EQ(3, controls);
    EXPECT_EQ(0, in.Short());
    EXPECT_EQ(0, in.Short());
    EXPECT_EQ(346, in.Short());
    EXPECT_EQ(205, in.Short());
    EXPECT_EQ(L"", in.StringOrOrdinal());  // no menu
    EXPECT_EQ(L"", in.StringOrOrdinal());  // no class
    EXPECT_EQ(L"Vantry", in.String());
    EXPECT_EQ(9, in.Word());
    EXPECT_EQ(0, in.Word());  // weight
    EXPECT_EQ(0, in.Byte());  // italic
    EXPECT_EQ(0, in.Byte());  // character set
    EXPECT_EQ(L"\xFF2D\xFF33\x0020\xFF30\x30B4\x30B7\x30C3\x30AF", in.String());

    const ControlExpectation expected[] = {
        { IDOK, L"Button", L"#128", L"\x30D7\x30ED\x30BB\x30B9\x306E\x7D42\x4E86(&E)",
          WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 286, 184, 53, 14 },
        { IDC_PROCESS_LIST, L"SysListView32", NULL, L"List1",
          WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
              LVS_SHOWSELALWAYS,
          7, 7, 332, 172 },
        { IDC_REFRESH, L"Button", L"#128", L"\x4E00\x89A7\x306E\x66F4\x65B0(&R)",
          WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 231, 184, 50, 14 },
    };
    for (int i = 0; i < controls && i < 3; ++i) {
        SCOPED_TRACE(i);
        in.AlignDword();
        EXPECT_EQ(0u, in.Dword());  // help identifier
        EXPECT_EQ(0u, in.Dword());  // extended style
        EXPECT_EQ(expected[i].style, in.Dword());
        EXPECT_EQ(expected[i].x, in.Short());
        EXPECT_EQ(expected[i].y, in.Short());
        EXPECT_EQ(expected[i].cx, in.Short());
        EXPECT_EQ(expected[i].cy, in.Short());
        EXPECT_EQ(expected[i].id, in.Dword());
        // Class names are case-insensitive; the resource compiler stores them
        // upper-cased, and a button class may be the predefined ordinal.
        const std::wstring className = in.StringOrOrdinal();
        EXPECT_TRUE(lstrcmpiW(className.c_str(), expected[i].className) == 0 ||
                    (expected[i].classOrdinal && className == expected[i].classOrdinal));
        EXPECT_EQ(expected[i].text, in.StringOrOrdinal());
        in.Skip(in.Word());  // creation data
    }
}

int CountPixels(const BYTE *bits, int fromX, int toX, int fromY, int toY, BYTE colour)
{
    // 4 bits a pixel, 16 bytes a row, rows stored bottom-up.
    int count = 0;
    for (int y = fromY; y < toY; ++y) {
        const BYTE *row = bits + (31 - y) * 16;
        for (int x = fromX; x < toX; ++x) {
            const BYTE pixel = (x % 2 == 0) ? (row[x / 2] >> 4) : (row[x / 2] & 0x0F);
            count += pixel == colour;
        }
    }
    return count;
}

TEST_F(ExecutableResources, IconIsOne32By32SixteenColourImageOfCogsAndACross)
{
    std::vector<BYTE> group = Load(RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_APP));
    ASSERT_EQ(6u + 14u, group.size());
    Reader in(group);
    EXPECT_EQ(0, in.Word());
    EXPECT_EQ(1, in.Word());  // icons
    EXPECT_EQ(1, in.Word());  // one image
    EXPECT_EQ(32, in.Byte());
    EXPECT_EQ(32, in.Byte());
    EXPECT_EQ(16, in.Byte());
    in.Byte();
    in.Word();
    EXPECT_EQ(4, in.Word());  // bits a pixel
    in.Dword();
    const WORD imageId = in.Word();

    std::vector<BYTE> image = Load(RT_ICON, MAKEINTRESOURCEA(imageId));
    ASSERT_GE(image.size(), 40u + 64u + 512u + 128u);
    const BITMAPINFOHEADER *header = reinterpret_cast<const BITMAPINFOHEADER *>(&image[0]);
    EXPECT_EQ(32, header->biWidth);
    EXPECT_EQ(64, header->biHeight);
    EXPECT_EQ(4, header->biBitCount);
    const BYTE *bits = &image[40 + 64];
    const BYTE silver = 7, red = 9, yellow = 11;
    EXPECT_GT(CountPixels(bits, 0, 20, 0, 16, silver), 60);   // grey cog, upper left
    EXPECT_GT(CountPixels(bits, 16, 32, 14, 32, yellow), 60); // yellow cog, lower right
    EXPECT_GT(CountPixels(bits, 0, 14, 18, 32, red), 20);     // red cross, lower left
    EXPECT_EQ(0, CountPixels(bits, 16, 32, 0, 8, red));
}

// Windows refuses to start a program whose manifest names another
// architecture, so each program names its own, for itself and for the
// common controls it binds to.
#ifdef _WIN64
const char kOwnArchitecture[] = "processorArchitecture=\"amd64\"";
const char kOtherArchitecture[] = "processorArchitecture=\"X86\"";
#else
const char kOwnArchitecture[] = "processorArchitecture=\"X86\"";
const char kOtherArchitecture[] = "processorArchitecture=\"amd64\"";
#endif

size_t Occurrences(const std::string &text, const std::string &part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The program's manifest as Windows' loader reads it: an activation context
// made from the program's manifest resource, asked what it holds. (Each
// setting's place and spelling is the release check's, on the same XML.)
class LoadedManifest {
public:
    explicit LoadedManifest(const std::string &program)
    {
        const std::wstring path(program.begin(), program.end());
        ACTCTXW context;
        ZeroMemory(&context, sizeof(context));
        context.cbSize = sizeof(context);
        context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.lpSource = path.c_str();
        context.lpResourceName = MAKEINTRESOURCEW(1);
        handle_ = CreateActCtxW(&context);
    }
    ~LoadedManifest() { if (handle_ != INVALID_HANDLE_VALUE) ReleaseActCtx(handle_); }
    bool Query(ULONG infoClass, DWORD index, void *info, SIZE_T size)
    {
        ACTIVATION_CONTEXT_QUERY_INDEX at = { index, 0 };
        return QueryActCtxW(0, handle_, index != 0 ? &at : NULL, infoClass, info, size, NULL) != FALSE;
    }
    HANDLE handle_;
};

TEST_F(ExecutableResources, ManifestAsksForCommonControlsSixOfItsOwnArchitecture)
{
    std::vector<BYTE> bytes = Load(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    ASSERT_FALSE(bytes.empty());
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_EQ(2u, Occurrences(manifest, kOwnArchitecture));
    EXPECT_EQ(0u, Occurrences(manifest, kOtherArchitecture));
    // The loader binds the program to the common controls, version 6.
    LoadedManifest loaded(path_);
    ASSERT_NE(INVALID_HANDLE_VALUE, loaded.handle_) << GetLastError();
    // Both answers carry their strings after them.
    union { ACTIVATION_CONTEXT_DETAILED_INFORMATION info; BYTE space[4096]; } detail;
    ASSERT_TRUE(loaded.Query(ActivationContextDetailedInformation, 0, &detail, sizeof(detail)));
    ASSERT_EQ(2u, detail.info.ulAssemblyCount);
    union { ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION info; BYTE space[4096]; } assembly;
    ASSERT_TRUE(loaded.Query(AssemblyDetailedInformationInActivationContext, 2, &assembly, sizeof(assembly)));
    const std::wstring identity(assembly.info.lpAssemblyEncodedAssemblyIdentity);
    EXPECT_EQ(0u, identity.find(L"Microsoft.Windows.Common-Controls,")) << identity.c_str();
    EXPECT_NE(std::wstring::npos, identity.find(L"version=\"6.")) << identity.c_str();
}

// The highest rights the account has (an administrator sees the UAC
// prompt, a standard account none), and the five systems the program is
// tested for, so that Windows applies no virtualisation.
TEST_F(ExecutableResources, ManifestAsksForTheHighestAvailableRightsAndNamesItsSystems)
{
    LoadedManifest loaded(path_);
    ASSERT_NE(INVALID_HANDLE_VALUE, loaded.handle_) << GetLastError();
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level;
    ASSERT_TRUE(loaded.Query(RunlevelInformationInActivationContext, 0, &level, sizeof(level)));
    EXPECT_EQ(ACTCTX_RUN_LEVEL_HIGHEST_AVAILABLE, level.RunLevel);
    EXPECT_EQ(0u, level.UiAccess);
    union { DWORD count; BYTE space[1024]; } systems;
    ASSERT_TRUE(loaded.Query(CompatibilityInformationInActivationContext, 0, &systems, sizeof(systems)));
    EXPECT_EQ(5u, systems.count);
}

// The 64-bit suite also reads the 32-bit program (VANTRY_WIN32_BUILD names
// its build folder): both must carry the same template, icon and version
// block, and manifests that differ in the architecture alone.
TEST_F(ExecutableResources, MatchTheOtherArchitecturesProgram)
{
#ifndef _WIN64
    GTEST_SKIP() << "the 64-bit suite compares the two programs";
#endif
    const std::string otherBuild = OtherArchitectureBuild();
    ASSERT_FALSE(otherBuild.empty()) << "VANTRY_WIN32_BUILD is not set";
    const std::string otherPath = otherBuild + "\\Vantry.exe";
    HMODULE other = LoadLibraryExA(otherPath.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(other != NULL) << otherPath;
    const struct { LPCSTR type; LPCSTR name; } same[] = {
        { RT_DIALOG, MAKEINTRESOURCEA(IDD_PROCESS_LIST) },
        { RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_APP) },
        { RT_ICON, MAKEINTRESOURCEA(1) },
        { RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO) },
    };
    for (const auto &resource : same) {
        SCOPED_TRACE(reinterpret_cast<UINT_PTR>(resource.type));
        const std::vector<BYTE> ours = Load(resource.type, resource.name);
        EXPECT_FALSE(ours.empty());
        EXPECT_TRUE(ours == LoadFrom(other, resource.type, resource.name));
    }
    const std::vector<BYTE> theirs = LoadFrom(other, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    const std::vector<BYTE> ours = Load(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    std::string theirManifest(theirs.begin(), theirs.end());
    const std::string ourManifest(ours.begin(), ours.end());
    EXPECT_EQ(2u, Occurrences(theirManifest, kOtherArchitecture));
    for (size_t at = theirManifest.find(kOtherArchitecture); at != std::string::npos;
         at = theirManifest.find(kOtherArchitecture))
        theirManifest.replace(at, strlen(kOtherArchitecture), kOwnArchitecture);
    EXPECT_EQ(ourManifest, theirManifest);
    FreeLibrary(other);
}

TEST_F(ExecutableResources, VersionBlockCarriesTheReleaseNumbersAndNames)
{
    DWORD ignored;
    const DWORD size = GetFileVersionInfoSizeA(path_.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    const std::wstring widePath(path_.begin(), path_.end());
    ASSERT_TRUE(GetFileVersionInfoW(widePath.c_str(), 0, size, &block[0]));

    VS_FIXEDFILEINFO *fixed;
    UINT length;
    ASSERT_TRUE(VerQueryValueA(&block[0], "\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(0x00010002u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010002u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS);
    EXPECT_EQ(0x17u, fixed->dwFileFlagsMask);
    EXPECT_EQ(0u, fixed->dwFileFlags);
    EXPECT_EQ(4u, fixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(0u, fixed->dwFileSubtype);
    EXPECT_EQ(0u, fixed->dwFileDateMS);
    EXPECT_EQ(0u, fixed->dwFileDateLS);

    WORD *translation;
    ASSERT_TRUE(VerQueryValueA(&block[0], "\\VarFileInfo\\Translation",
                               reinterpret_cast<void **>(&translation), &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0411, translation[0]);
    EXPECT_EQ(1200, translation[1]);

    const struct { const wchar_t *key; const wchar_t *value; } strings[] = {
        { L"FileDescription", L"Vantry " }, { L"FileVersion", L"1, 2, 0, 1" },
        { L"InternalName", L"Vantry" },     { L"OriginalFilename", L"Vantry.exe" },
        { L"ProductName", L" Vantry " },    { L"ProductVersion", L"1, 2, 0, 1" },
    };
    for (const auto &entry : strings) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\041104b0\\") + entry.key;
        wchar_t *value;
        ASSERT_TRUE(VerQueryValueW(&block[0], query.c_str(), reinterpret_cast<void **>(&value),
                                   &length))
            << entry.key;
        EXPECT_EQ(std::wstring(entry.value), std::wstring(value)) << entry.key;
    }
}

}
