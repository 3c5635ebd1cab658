#include "framework/services.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/test_seams.h"
#include "tests/framework/test_app.h"
#include "tests/framework/test_resource.h"

TEST(MessageBoxSeam, RecordsOneOkBoxWithTheExclamationAndTheAppName) {
    RecordedServices services;
    EXPECT_EQ(ShowMessageBox("Something went wrong."), IDOK);
    EXPECT_EQ(ShowResourceMessage(IDS_TEST_TEXT), IDOK);
    ASSERT_EQ(RecordedServices::Messages.size(), 2u);
    for (const ShownMessage& shown : RecordedServices::Messages) {
        EXPECT_EQ(shown.Caption, "framework_tests");
        EXPECT_EQ(shown.Type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(RecordedServices::Messages[0].Text, "Something went wrong.");
    EXPECT_EQ(RecordedServices::Messages[1].Text, "A test string.");
}

namespace {

struct ShellRequest {
    HWND Owner;
    std::string Verb;
    std::string File;
    bool HasParameters;
    bool HasDirectory;
    int Show;
};
std::vector<ShellRequest> ShellRequests;

INT_PTR RecordShell(HWND owner, const char* verb, const char* file, const char* parameters,
                    const char* directory, int show) {
    ShellRequests.push_back({owner, verb ? verb : "(none)", file ? file : "(none)",
                             parameters != nullptr, directory != nullptr, show});
    return 33;
}

}  // namespace

TEST(ShellSeam, OpenIsOneRequestWithoutOwnerParametersOrDirectory) {
    ShellRequests.clear();
    SetShellExecuteSeam(&RecordShell);
    EXPECT_EQ(ShellOpen("c:\\dir\\sub"), 33);
    EXPECT_EQ(ShellOpen(""), 33);
    SetShellExecuteSeam(nullptr);
    ASSERT_EQ(ShellRequests.size(), 2u);
    const ShellRequest& request = ShellRequests[0];
    EXPECT_EQ(request.Owner, nullptr);
    EXPECT_EQ(request.Verb, "open");
    EXPECT_EQ(request.File, "c:\\dir\\sub");
    EXPECT_FALSE(request.HasParameters);
    EXPECT_FALSE(request.HasDirectory);
    EXPECT_EQ(request.Show, SW_SHOWNORMAL);
    EXPECT_EQ(ShellRequests[1].File, "") << "an empty file argument is passed on as it is";
}

namespace {

struct SocketsCase {
    const char* Name;
    int StartupResult;
    WORD Granted;
    bool Started;
    int Cleanups;
};

struct FakeSockets {
    static inline int StartupResult = 0;
    static inline WORD Granted = 0;
    static inline WORD Requested = 0;
    static inline int Startups = 0;
    static inline int Cleanups = 0;
    static int Startup(WORD requested, WORD* granted) {
        ++Startups;
        Requested = requested;
        if (StartupResult == 0) *granted = Granted;
        return StartupResult;
    }
    static int Cleanup() {
        ++Cleanups;
        return 0;
    }
};

class SocketsTest : public ::testing::TestWithParam<SocketsCase> {};

}  // namespace

TEST_P(SocketsTest, StartsOnlyWithVersionOnePointOneExactly) {
    const SocketsCase& c = GetParam();
    FakeSockets::StartupResult = c.StartupResult;
    FakeSockets::Granted = c.Granted;
    FakeSockets::Startups = 0;
    FakeSockets::Cleanups = 0;
    const SocketsApi fake{&FakeSockets::Startup, &FakeSockets::Cleanup};
    SetSocketsSeam(&fake);
    EXPECT_EQ(StartSockets(), c.Started);
    SetSocketsSeam(nullptr);
    EXPECT_EQ(FakeSockets::Startups, 1);
    EXPECT_EQ(FakeSockets::Requested, 0x0101);
    EXPECT_EQ(FakeSockets::Cleanups, c.Cleanups);
}

INSTANTIATE_TEST_SUITE_P(
    Grants, SocketsTest,
    ::testing::Values(SocketsCase{"Granted11", 0, MAKEWORD(1, 1), true, 0},
                      SocketsCase{"Granted22", 0, MAKEWORD(2, 2), false, 1},
                      SocketsCase{"Granted10", 0, MAKEWORD(1, 0), false, 1},
                      SocketsCase{"Granted21", 0, MAKEWORD(2, 1), false, 1},
                      SocketsCase{"StartupFails", 10092 /* WSAVERNOTSUPPORTED */, 0, false, 0}),
    [](const ::testing::TestParamInfo<SocketsCase>& info) { return std::string(info.param.Name); });

TEST(Sockets, TheSystemsStartUpGrantsOnePointOne) {
    EXPECT_TRUE(StartSockets());
}

namespace {

struct WorkerSeen {
    HANDLE Finished;
    void* Parameter;
    DWORD ThreadId;
    int Priority;
};

uint32_t Worker(void* parameter) {
    auto* seen = static_cast<WorkerSeen*>(parameter);
    seen->Parameter = parameter;
    seen->ThreadId = GetCurrentThreadId();
    seen->Priority = GetThreadPriority(GetCurrentThread());
    SetEvent(seen->Finished);
    return 0;
}

}  // namespace

TEST(WorkerThread, RunsTheProcedureOnAThreadOfItsOwnAtNormalPriority) {
    WorkerSeen seen{CreateEventA(nullptr, TRUE, FALSE, nullptr), nullptr, 0, -99};
    ASSERT_TRUE(StartWorkerThread(&Worker, &seen));
    ASSERT_EQ(WaitForSingleObject(seen.Finished, 10000), WAIT_OBJECT_0);
    CloseHandle(seen.Finished);
    EXPECT_EQ(seen.Parameter, &seen);
    EXPECT_NE(seen.ThreadId, GetCurrentThreadId());
    EXPECT_EQ(seen.Priority, THREAD_PRIORITY_NORMAL);
}

TEST(WorkerThread, AStartThatFailsIsReported) {
    SetThreadStartSeam([](WorkerProc, void*) { return false; });
    EXPECT_FALSE(StartWorkerThread(&Worker, nullptr));
    SetThreadStartSeam(nullptr);
}
