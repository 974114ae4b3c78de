#include "workarea_hook.h"

#include <windows.h>

// Runs inside the hooked program whenever its thread takes a posted message. The message that
// carries new work-area edges is acted on here, in the program's own process, and then turned
// into WM_NULL so the program's dispatch never sees a message it does not know.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    WorkAreaGetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        static const UINT setWorkArea = RegisterWindowMessageA(workarea_hook::kSetWorkAreaMessage);
        auto* message = reinterpret_cast<MSG*>(lParam);
        if (setWorkArea != 0 && message->message == setWorkArea) {
            RECT area{0, static_cast<LONG>(message->wParam), GetSystemMetrics(SM_CXSCREEN),
                      static_cast<LONG>(message->lParam)};
            SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, SPIF_SENDCHANGE);
            message->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
