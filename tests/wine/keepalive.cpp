// Keeps one Wine GUI process alive for the whole test run: Wine's desktop process, and with it the
// clipboard's data, would otherwise go whenever the last GUI process ends between two tests.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "PathgrabTestKeepalive";
    RegisterClassA(&wc);
    CreateWindowExA(0, wc.lpszClassName, "keepalive", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    // Tell the harness we are up: it waits for this file.
    if (commandLine && *commandLine) {
        HANDLE f = CreateFileA(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
