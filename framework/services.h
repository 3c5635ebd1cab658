// The system services the windows and the start-up use.
#pragma once

#include <windows.h>

#include <cstdint>

// A message box with one OK button, the exclamation icon and the
// application's name as caption, owned by the active window.
int ShowMessageBox(const char* text);
// The same with the text of string resource stringId.
int ShowResourceMessage(UINT stringId);

// Starts proc(parameter) on a thread of its own at normal priority, with the
// default stack; the thread is not joined and its handle not kept. False
// when the thread could not be started.
using WorkerProc = uint32_t (*)(void* parameter);
bool StartWorkerThread(WorkerProc proc, void* parameter = nullptr);

// Starts Windows Sockets asking for 1.1; true only when exactly 1.1 is
// granted. Another granted version is given back (WSACleanup).
bool StartSockets();

// The shell's "open" on file: no owner, no parameters, no directory,
// SW_SHOWNORMAL. The shell's result, not examined by the windows.
INT_PTR ShellOpen(const char* file);

// Nothing to prepare for ActiveX hosting or 3-D controls on Windows 4.0 and
// later; kept so the start-up reads as its steps.
void EnableControlContainer();
bool Enable3dControlsStatic();
