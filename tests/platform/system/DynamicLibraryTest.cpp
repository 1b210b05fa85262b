// Loading libraries: the search order, failures with their codes and texts, reference counts.
#include "platform/system/DynamicLibrary.h"
#include "platform/system/LastError.h"
#include "platform/system/Paths.h"
#include "tests/platform/system/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace platform;
using platform::test::TempFolder;
using platform::test::WriteBytes;

namespace {

using IntFunction = int (*)();

int Call(HMODULE module, const char* name)
{
    FARPROC function = GetProcAddress(module, name);
    return function ? reinterpret_cast<IntFunction>(function)() : -1;
}

// Whether the loader still holds the file, asked without loading it.
bool StillLoaded(const std::string& path)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

const std::string besideTheProgram = Utf16ToUtf8(ExecutableDirectory()) + "LumoTestLibrary.so";

TEST(DynamicLibrary, ABareNameIsFoundBesideTheExecutableBeforeTheLoadersSearch)
{
    // A library of the same name lies in a folder on the program's run path; the one beside the
    // program must win.
    ASSERT_TRUE(std::filesystem::exists(besideTheProgram));
    HMODULE module = LoadLibraryW(u"LumoTestLibrary.so");
    ASSERT_NE(module, nullptr) << Utf16ToUtf8(GetLastErrorDetail());
    EXPECT_EQ(Call(module, "LumoTestLibraryOrigin"), 1);
    EXPECT_EQ(GetModuleFileName(module), Utf8ToUtf16(besideTheProgram));
    EXPECT_TRUE(FreeLibrary(module));

    HMODULE elsewhere = LoadLibraryW(Utf8ToUtf16(Utf16ToUtf8(ExecutableDirectory()) + "elsewhere\\LumoTestLibrary.so"));
    ASSERT_NE(elsewhere, nullptr) << Utf16ToUtf8(GetLastErrorDetail());
    EXPECT_EQ(Call(elsewhere, "LumoTestLibraryOrigin"), 2);
    EXPECT_TRUE(FreeLibrary(elsewhere));
}

TEST(DynamicLibrary, ANameNotBesideTheExecutableGoesThroughTheLoadersSearch)
{
    HMODULE module = LoadLibraryW(u"libm.so.6");
    ASSERT_NE(module, nullptr) << Utf16ToUtf8(GetLastErrorDetail());
    EXPECT_NE(GetProcAddress(module, "cos"), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
}

TEST(DynamicLibrary, LoadingTwiceGivesTheSameHandleAndTheLastFreeUnloads)
{
    HMODULE first = LoadLibraryW(u"LumoTestLibrary.so");
    ASSERT_NE(first, nullptr);
    HMODULE second = LoadLibraryW(Utf8ToUtf16(besideTheProgram));
    EXPECT_EQ(first, second);
    EXPECT_EQ(Call(first, "LumoTestLibraryCount"), 1);
    EXPECT_EQ(Call(second, "LumoTestLibraryCount"), 2);

    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_TRUE(StillLoaded(besideTheProgram));
    EXPECT_EQ(Call(second, "LumoTestLibraryCount"), 3);

    EXPECT_TRUE(FreeLibrary(second));
    EXPECT_FALSE(StillLoaded(besideTheProgram));
    // A handle given back is refused rather than handed to the loader.
    EXPECT_EQ(GetProcAddress(second, "LumoTestLibraryCount"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(FreeLibrary(second));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    HMODULE again = LoadLibraryW(u"LumoTestLibrary.so");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Call(again, "LumoTestLibraryCount"), 1);
    EXPECT_TRUE(FreeLibrary(again));
}

TEST(DynamicLibrary, AMissingLibraryAnswersNullWithCodeAndTexts)
{
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LoadLibraryW(u"LumoNoSuchLibrary.so"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(GetErrorText(GetLastError()), u"The specified module could not be found.");
    EXPECT_NE(GetLastErrorDetail().find(u"LumoNoSuchLibrary.so"), String::npos);

    TempFolder folder;
    EXPECT_EQ(LoadLibraryW(Utf8ToUtf16(folder.File("missing.so"))), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadLibraryW(u""), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadLibraryW(static_cast<const WCHAR*>(nullptr)), nullptr);
}

TEST(DynamicLibrary, AFileThatIsNoLibraryIsABadFormat)
{
    TempFolder folder;
    WriteBytes(folder.File("libcef.so"), "this is not a library\n");
    EXPECT_EQ(LoadLibraryW(Utf8ToUtf16(folder.File("libcef.so"))), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_BAD_EXE_FORMAT);
    EXPECT_FALSE(GetLastErrorDetail().empty());
    WriteBytes(folder.File("empty.so"), "");
    EXPECT_EQ(LoadLibraryW(Utf8ToUtf16(folder.File("empty.so"))), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_BAD_EXE_FORMAT);
}

TEST(DynamicLibrary, AMissingSymbolAnswersNullWithProcNotFound)
{
    HMODULE module = LoadLibraryW(u"LumoTestLibrary.so");
    ASSERT_NE(module, nullptr);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetProcAddress(module, "cef_no_such_entry"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_EQ(GetErrorText(ERROR_PROC_NOT_FOUND), u"The specified procedure could not be found.");
    EXPECT_EQ(GetProcAddress(module, ""), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "LumoTestLibraryCount"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(nullptr));
}

} // namespace
