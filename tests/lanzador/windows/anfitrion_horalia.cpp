// SPDX-License-Identifier: EUPL-1.2
// A stand-in for Horalia under Wine: shows a window with a child area, starts
// PROGRAMA with DIRECCION and the handle of that child area (or VENTANA, when
// given), waits for it while serving its own window, and prints what
// "Horalia.ini" beside this program then holds. A click on the window outside
// the child area closes the window, as the host may do during the run;
// WM_APP ends the process at once, its status in wParam.
//
//   anfitrion_horalia.exe PROGRAMA DIRECCION [VENTANA]
//
// Prints, one per line: "x11 ID" (the X11 window behind the main window),
// "hija X Y" (the child area's offset in it), "estado N" (PROGRAMA's exit
// status) and "ini" followed by the INI file's lines.

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

namespace {

constexpr int kHijaX = 40;
constexpr int kHijaY = 30;

LRESULT CALLBACK Procedimiento(HWND ventana, UINT mensaje, WPARAM w, LPARAM l)
{
    if (mensaje == WM_LBUTTONDOWN) {
        DestroyWindow(ventana);
        return 0;
    }
    if (mensaje == WM_APP)
        ExitProcess(static_cast<UINT>(w));
    return DefWindowProcW(ventana, mensaje, w, l);
}

std::string Utf8(const std::wstring& ancho)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, ancho.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string texto(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, ancho.c_str(), -1, texto.data(), n, nullptr, nullptr);
    texto.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    return texto;
}

std::filesystem::path CarpetaPropia()
{
    wchar_t ruta[MAX_PATH];
    GetModuleFileNameW(nullptr, ruta, MAX_PATH);
    return std::filesystem::path(ruta).parent_path();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instancia, HINSTANCE, PWSTR, int)
{
    _setmode(_fileno(stdout), _O_BINARY);  // lines end in LF, as the test reads them
    int n = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &n), &LocalFree);
    if (n < 3) {
        std::cerr << "uso: anfitrion_horalia.exe PROGRAMA DIRECCION [VENTANA]\n";
        return 2;
    }

    WNDCLASSW clase{};
    clase.lpfnWndProc = Procedimiento;
    clase.hInstance = instancia;
    clase.hbrBackground = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    clase.lpszClassName = L"AnfitrionHoralia";
    RegisterClassW(&clase);
    HWND principal = CreateWindowExW(0, clase.lpszClassName, L"Horalia (prueba)", WS_OVERLAPPEDWINDOW, 0, 0, 760,
                                     380, nullptr, nullptr, instancia, nullptr);
    HWND hija = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_WHITERECT, kHijaX, kHijaY, 660, 290,
                                principal, nullptr, instancia, nullptr);
    ShowWindow(principal, SW_SHOW);
    UpdateWindow(principal);
    // Wine gives the window its X11 window while it processes the first messages.
    std::uintptr_t x11 = 0;
    for (int i = 0; i < 500 && !(x11 = reinterpret_cast<std::uintptr_t>(GetPropA(principal, "__wine_x11_whole_window")));
         ++i) {
        MSG mensaje;
        while (PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&mensaje);
        Sleep(20);
    }
    std::printf("x11 %llX\nhija %d %d\n", static_cast<unsigned long long>(x11), kHijaX, kHijaY);
    std::fflush(stdout);

    wchar_t hex[20];
    swprintf(hex, 20, L"%X", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(hija)));
    std::wstring linea = L"\"" + std::wstring(argv.get()[1]) + L"\" " + argv.get()[2] + L" " + (n > 3 ? argv.get()[3] : hex);
    STARTUPINFOW arranque{};
    arranque.cb = sizeof arranque;
    PROCESS_INFORMATION proceso{};
    // A loaded machine has seen Wine refuse a start now and then, before the
    // launcher runs at all: each refusal is told, and a few are waited out.
    for (int intento = 1;; ++intento) {
        if (CreateProcessW(nullptr, linea.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &arranque, &proceso))
            break;
        std::cerr << "no se puede arrancar: " << Utf8(linea) << " (error " << GetLastError() << ")\n";
        if (intento == 5)
            return 1;
        Sleep(1000);
    }
    CloseHandle(proceso.hThread);
    // Horalia keeps its window alive while it waits.
    while (MsgWaitForMultipleObjects(1, &proceso.hProcess, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG mensaje;
        while (PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&mensaje);
            DispatchMessageW(&mensaje);
        }
    }
    DWORD estado = 0;
    GetExitCodeProcess(proceso.hProcess, &estado);
    CloseHandle(proceso.hProcess);
    std::printf("estado %lu\nini\n", static_cast<unsigned long>(estado));
    std::ifstream ini(CarpetaPropia() / L"Horalia.ini", std::ios::binary);
    for (std::string l; std::getline(ini, l);)
        std::printf("%s\n", l.c_str());
    std::fflush(stdout);
    return 0;
}
