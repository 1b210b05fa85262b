// The last error: one per thread, codes from the system's errno values, the system's texts.
#include "platform/system/LastError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

using namespace platform;

namespace {

TEST(LastError, EachThreadKeepsItsOwn)
{
    SetLastError(ERROR_ACCESS_DENIED, u"detail");
    DWORD seenThere = 1;
    String detailThere = u"x";
    std::thread other([&] {
        seenThere = GetLastError();
        detailThere = GetLastErrorDetail();
        SetLastError(ERROR_MOD_NOT_FOUND);
    });
    other.join();
    EXPECT_EQ(seenThere, ERROR_SUCCESS);
    EXPECT_EQ(detailThere, u"");
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetLastErrorDetail(), u"detail");
    // A plain SetLastError forgets the detail of the failure before.
    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetLastErrorDetail(), u"");
}

TEST(LastError, ErrnoValuesMapToTheWindowsCodes)
{
    EXPECT_EQ(ErrorFromErrno(ENOENT), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ErrorFromErrno(ENOTDIR), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ErrorFromErrno(EACCES), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ErrorFromErrno(EPERM), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ErrorFromErrno(EROFS), ERROR_WRITE_PROTECT);
    EXPECT_EQ(ErrorFromErrno(ENOSPC), ERROR_DISK_FULL);
    EXPECT_EQ(ErrorFromErrno(EFBIG), ERROR_FILE_TOO_LARGE);
    EXPECT_EQ(SetLastErrorFromErrno(EEXIST), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
}

TEST(LastError, EveryCodeHasATextAndUnknownCodesSaySo)
{
    EXPECT_EQ(GetErrorText(ERROR_ACCESS_DENIED), u"Access is denied.");
    EXPECT_EQ(GetErrorText(ERROR_MOD_NOT_FOUND), u"The specified module could not be found.");
    EXPECT_EQ(GetErrorText(987654), u"Unknown error (987654).");
    for (int value = 1; value < 134; ++value) {
        DWORD code = ErrorFromErrno(value);
        EXPECT_EQ(GetErrorText(code).find(u"Unknown"), String::npos) << "errno " << value;
    }
}

} // namespace
