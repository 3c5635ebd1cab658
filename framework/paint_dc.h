// The device context of one WM_PAINT: BeginPaint at construction, EndPaint at destruction.
#pragma once

#include <windows.h>

#include "framework/wnd.h"

class CPaintDC {
public:
    explicit CPaintDC(const CWnd& window) : Window(window.Handle()) {
        Dc = ::BeginPaint(Window, &Paint);
    }
    ~CPaintDC() { ::EndPaint(Window, &Paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Handle() const { return Dc; }
    operator HDC() const { return Dc; }
    const PAINTSTRUCT& PaintInfo() const { return Paint; }

private:
    HWND Window;
    HDC Dc = nullptr;
    PAINTSTRUCT Paint = {};
};
