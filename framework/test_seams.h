// Replacements a test puts in place of the real services, so that nothing
// pops up and every request can be recorded. nullptr restores the real one.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/services.h"

using MessageBoxFn = int (*)(HWND owner, const char* text, const char* caption, UINT type);
void SetMessageBoxSeam(MessageBoxFn fn);

using ShellExecuteFn = INT_PTR (*)(HWND owner, const char* verb, const char* file,
                                   const char* parameters, const char* directory, int show);
void SetShellExecuteSeam(ShellExecuteFn fn);

// The help engine: true when it could be started.
using HelpFn = bool (*)(HWND owner, const char* helpFile, UINT command, ULONG_PTR data);
void SetHelpSeam(HelpFn fn);

// The sockets start-up: returns 0 on success and the granted version
// (low byte major, high byte minor, as WSAStartup); cleanup is WSACleanup.
struct SocketsApi {
    int (*Startup)(WORD requested, WORD* granted);
    int (*Cleanup)();
};
void SetSocketsSeam(const SocketsApi* api);

using ThreadStartFn = bool (*)(WorkerProc proc, void* parameter);
void SetThreadStartSeam(ThreadStartFn fn);
