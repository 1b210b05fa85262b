// The binding's loading, gate and shutdown against the test engine library.
#include "TestEngine.h"

#include "platform/system/LastError.h"

#include <gtest/gtest.h>

using namespace engine;
using namespace enginetest;

namespace {

std::vector<String> schemes;
void RegisterLocal(ICefSchemeRegistrar& registrar)
{
    schemes.push_back(u"local");
    registrar.AddCustomScheme(u"local", true, true, false);
}

class CefLib : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartRecord();
        ResetBinding(u"libcef-complete.so");
        schemes.clear();
    }
    void TearDown() override { ResetBinding(u"libcef-complete.so"); }
};

} // namespace

TEST_F(CefLib, LoadsInitialisesOnceAndIgnoresLaterChanges)
{
    CefOnRegisterCustomSchemes = RegisterLocal;
    CefSingleProcess = false;
    ASSERT_TRUE(CefLoadLibDefault());
    EXPECT_NE(LibHandle, nullptr);
    EXPECT_TRUE(CefIsMainProcess);
    std::string first = Record();
    EXPECT_NE(first.find("execute_process browser\n"), std::string::npos);
    EXPECT_NE(first.find("initialize size=1 single_process=0 multi_threaded=0 log_severity=99 cache= locale= port=0"),
              std::string::npos)
        << first;
    EXPECT_NE(first.find("add_custom_scheme local 1 1 0"), std::string::npos);
    EXPECT_NE(first.find("browser_process_handler none"), std::string::npos);
    EXPECT_LT(first.find("execute_process"), first.find("initialize"));

    // A second load, even with other settings, neither reloads nor reaches the engine.
    platform::HMODULE handle = LibHandle;
    CefSingleProcess = true;
    CefCache = u"/tmp/elsewhere";
    CefLibrary = u"libcef-lacking.so";
    EXPECT_TRUE(CefLoadLibDefault());
    EXPECT_EQ(LibHandle, handle);
    EXPECT_EQ(Record(), first);

    CefShutDown();
    EXPECT_EQ(LibHandle, nullptr);
    EXPECT_FALSE(CefIsMainProcess);
    EXPECT_TRUE(Recorded("shutdown\n"));
}

TEST_F(CefLib, NothingHappensBeforeAnyLoad)
{
    ASSERT_EQ(LibHandle, nullptr);
    CefDoMessageLoopWork();
    CefShutDown();
    EXPECT_EQ(LibHandle, nullptr);
    EXPECT_FALSE(std::filesystem::exists(LogPath()));
    EXPECT_EQ(engine::cef_do_message_loop_work, nullptr);
}

TEST_F(CefLib, MessageLoopStepReachesTheEngineOnlyWhileLoaded)
{
    ASSERT_TRUE(CefLoadLibDefault());
    auto workCount = Export<int (*)()>("lumo_test_engine_work_count");
    int before = workCount();
    CefDoMessageLoopWork();
    CefDoMessageLoopWork();
    EXPECT_EQ(workCount(), before + 2);
}

TEST_F(CefLib, MissingLibraryRaisesTheSystemErrorAndLeavesNothingLoaded)
{
    CefLibrary = u"libcef-none.so";
    try {
        CefLoadLibDefault();
        FAIL() << "no error raised";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode, platform::ERROR_MOD_NOT_FOUND);
        EXPECT_NE(e.Message().find(platform::GetErrorText(platform::ERROR_MOD_NOT_FOUND)), String::npos);
        EXPECT_NE(e.Message().find(u"126"), String::npos);
    }
    EXPECT_EQ(LibHandle, nullptr);
    EXPECT_FALSE(CefIsMainProcess);
    EXPECT_FALSE(std::filesystem::exists(LogPath()));
}

TEST_F(CefLib, LibraryLackingOneEntryPointIsRefusedAndStaysLoadedUntilShutdown)
{
    CefLibrary = u"libcef-lacking.so";
    try {
        CefLoadLibDefault();
        FAIL() << "no error raised";
    } catch (const ECefException& e) {
        EXPECT_EQ(e.Message(), u"Invalid CEF Library version");
    }
    EXPECT_NE(LibHandle, nullptr);
    EXPECT_FALSE(CefIsMainProcess);
    EXPECT_FALSE(Recorded("execute_process"));
    // The entries it has were bound; the one it lacks was not.
    EXPECT_NE(engine::cef_initialize, nullptr);
    EXPECT_EQ(engine::cef_end_tracing_async, nullptr);

    CefShutDown();
    EXPECT_EQ(LibHandle, nullptr);
    EXPECT_FALSE(Recorded("shutdown"));
}

TEST_F(CefLib, SubProcessRegistersTheSchemeAndEndsWithoutInitialisingOrShuttingDown)
{
    CefLibrary = u"libcef-subprocess.so";
    CefOnRegisterCustomSchemes = RegisterLocal;
    char program[] = "lumo-tv-player";
    char type[] = "--type=renderer";
    char* argv[] = {program, type, nullptr};
    CefSetMainArgs(2, argv);
    EXPECT_FALSE(CefLoadLibDefault());
    EXPECT_FALSE(CefIsMainProcess);
    EXPECT_NE(LibHandle, nullptr);
    EXPECT_EQ(schemes.size(), 1u);
    EXPECT_TRUE(Recorded("execute_process sub\nadd_custom_scheme local 1 1 0\n"));
    EXPECT_FALSE(Recorded("initialize"));

    CefShutDown();
    EXPECT_EQ(LibHandle, nullptr);
    EXPECT_FALSE(Recorded("shutdown"));
}

TEST_F(CefLib, SameLibraryWithoutSubProcessSwitchIsTheBrowserProcess)
{
    CefLibrary = u"libcef-subprocess.so";
    char program[] = "lumo-tv-player";
    char* argv[] = {program, nullptr};
    CefSetMainArgs(1, argv);
    EXPECT_TRUE(CefLoadLibDefault());
    EXPECT_TRUE(CefIsMainProcess);
    // Without the hook no scheme is asked for, and the default is single-process.
    EXPECT_FALSE(Recorded("add_custom_scheme"));
    EXPECT_TRUE(Recorded("single_process=1"));
}

namespace {

String seenProcessType = u"unset";
void AddSwitch(const String& processType, ICefCommandLine& commandLine)
{
    seenProcessType = processType;
    commandLine.AppendSwitch(u"lumo-test-switch");
}

} // namespace

TEST_F(CefLib, CommandLineHookSeesTheProcessTypeAndChangesTheEnginesCommandLine)
{
    CefOnBeforeCommandLineProcessing = AddSwitch;
    ASSERT_TRUE(CefLoadLibDefault());
    CefOnBeforeCommandLineProcessing = nullptr;
    EXPECT_EQ(seenProcessType, u"");
    EXPECT_TRUE(Recorded("append_switch lumo-test-switch\n"));
}
