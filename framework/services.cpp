#include "framework/services.h"

#include <process.h>
#include <shellapi.h>
#include <winsock2.h>

#include <new>

#include "framework/test_seams.h"
#include "framework/win_app.h"

namespace {

int RealMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(owner, text, caption, type);
}

INT_PTR RealShellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                         const char* directory, int show) {
    return reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(owner, verb, file, parameters, directory, show));
}

bool RealHelp(HWND owner, const char* helpFile, UINT command, ULONG_PTR data) {
    return ::WinHelpA(owner, helpFile, command, data) != FALSE;
}

int RealSocketsStartup(WORD requested, WORD* granted) {
    WSADATA data;
    const int result = ::WSAStartup(requested, &data);
    if (result == 0) *granted = data.wVersion;
    return result;
}

int RealSocketsCleanup() {
    return ::WSACleanup();
}

const SocketsApi RealSockets{&RealSocketsStartup, &RealSocketsCleanup};

struct WorkerStart {
    WorkerProc Proc;
    void* Parameter;
};

unsigned __stdcall WorkerEntry(void* start) {
    const WorkerStart job = *static_cast<WorkerStart*>(start);
    delete static_cast<WorkerStart*>(start);
    return job.Proc(job.Parameter);
}

bool RealThreadStart(WorkerProc proc, void* parameter) {
    auto* start = new (std::nothrow) WorkerStart{proc, parameter};
    if (!start) return false;
    const uintptr_t thread = ::_beginthreadex(nullptr, 0, &WorkerEntry, start, 0, nullptr);
    if (!thread) {
        delete start;
        return false;
    }
    // Nobody waits for the worker: the handle is given back at once.
    ::CloseHandle(reinterpret_cast<HANDLE>(thread));
    return true;
}

MessageBoxFn MessageBoxImpl = &RealMessageBox;
ShellExecuteFn ShellExecuteImpl = &RealShellExecute;
HelpFn HelpImpl = &RealHelp;
const SocketsApi* SocketsImpl = &RealSockets;
ThreadStartFn ThreadStartImpl = &RealThreadStart;

}  // namespace

void SetMessageBoxSeam(MessageBoxFn fn) {
    MessageBoxImpl = fn ? fn : &RealMessageBox;
}
void SetShellExecuteSeam(ShellExecuteFn fn) {
    ShellExecuteImpl = fn ? fn : &RealShellExecute;
}
void SetHelpSeam(HelpFn fn) {
    HelpImpl = fn ? fn : &RealHelp;
}
void SetSocketsSeam(const SocketsApi* api) {
    SocketsImpl = api ? api : &RealSockets;
}
void SetThreadStartSeam(ThreadStartFn fn) {
    ThreadStartImpl = fn ? fn : &RealThreadStart;
}

bool RequestHelp(HWND owner, const char* helpFile, UINT command, ULONG_PTR data) {
    return HelpImpl(owner, helpFile, command, data);
}

int ShowMessageBox(const char* text) {
    HWND owner = ::GetActiveWindow();
    if (!owner) {
        CWinApp* app = CWinApp::Current();
        if (app && app->MainWindow) owner = app->MainWindow->Handle();
    }
    return MessageBoxImpl(owner, text, AppName(), MB_OK | MB_ICONEXCLAMATION);
}

int ShowResourceMessage(UINT stringId) {
    char text[1024];
    if (::LoadStringA(::GetModuleHandleA(nullptr), stringId, text, sizeof text) <= 0)
        text[0] = '\0';
    return ShowMessageBox(text);
}

bool StartWorkerThread(WorkerProc proc, void* parameter) {
    return ThreadStartImpl(proc, parameter);
}

bool StartSockets() {
    WORD granted = 0;
    if (SocketsImpl->Startup(MAKEWORD(1, 1), &granted) != 0) return false;
    if (LOBYTE(granted) == 1 && HIBYTE(granted) == 1) return true;
    SocketsImpl->Cleanup();
    return false;
}

INT_PTR ShellOpen(const char* file) {
    return ShellExecuteImpl(nullptr, "open", file, nullptr, nullptr, SW_SHOWNORMAL);
}

void EnableControlContainer() {}

bool Enable3dControlsStatic() {
    return true;
}
