// SPDX-License-Identifier: EUPL-1.2
#include "win32/usuario.h"

#include <wincodec.h>

#include <algorithm>
#include <thread>
#include <utility>

namespace thn::prueba {

bool Esperar(const std::function<bool()>& condicion, std::chrono::milliseconds limite)
{
    const auto fin = std::chrono::steady_clock::now() + limite;
    for (;;) {
        if (condicion())
            return true;
        if (std::chrono::steady_clock::now() > fin)
            return false;
        std::this_thread::sleep_for(20ms);
    }
}

std::wstring Texto(HWND ventana)
{
    wchar_t texto[4096] = L"";
    DWORD_PTR n = 0;
    SendMessageTimeoutW(ventana, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(texto), SMTO_ABORTIFHUNG, 5000, &n);
    return texto;
}

std::wstring Clase(HWND ventana)
{
    wchar_t clase[128] = L"";
    GetClassNameW(ventana, clase, 128);
    return clase;
}

namespace {

BOOL CALLBACK Anotar(HWND v, LPARAM l)
{
    reinterpret_cast<std::vector<HWND>*>(l)->push_back(v);
    return TRUE;
}

}  // namespace

std::vector<HWND> Descendientes(HWND ventana)
{
    std::vector<HWND> todas;
    EnumChildWindows(ventana, Anotar, reinterpret_cast<LPARAM>(&todas));
    return todas;
}

std::vector<HWND> BotonesVisibles(HWND ventana)
{
    std::vector<HWND> botones;
    for (HWND v : Descendientes(ventana))
        if (IsWindowVisible(v) && _wcsicmp(Clase(v).c_str(), L"Button") == 0)
            botones.push_back(v);
    // Row by row of the panels that hold them, left to right in a row.
    std::sort(botones.begin(), botones.end(), [](HWND a, HWND b) {
        RECT ra, rb, pa, pb;
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        GetWindowRect(GetParent(a), &pa);
        GetWindowRect(GetParent(b), &pb);
        return std::pair(pa.top, ra.left) < std::pair(pb.top, rb.left);
    });
    return botones;
}

HWND BotonLlamado(HWND ventana, const std::wstring& texto)
{
    for (HWND b : BotonesVisibles(ventana))
        if (Texto(b) == texto)
            return b;
    return nullptr;
}

HWND EsperarVentana(const wchar_t* clase, const wchar_t* titulo)
{
    HWND v = nullptr;
    Esperar([&] {
        v = FindWindowW(clase, titulo);
        return v && IsWindowVisible(v);
    });
    return v;
}

bool EsperarQueSeCierre(HWND ventana, std::chrono::milliseconds limite)
{
    return Esperar([ventana] { return !IsWindow(ventana) || !IsWindowVisible(ventana); }, limite);
}

void Pulsar(HWND boton) { PostMessageW(boton, BM_CLICK, 0, 0); }

HWND Foco(HWND ventana)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(ventana, nullptr), &info) ? info.hwndFocus : nullptr;
}

void Tecla(HWND ventana, WPARAM tecla)
{
    HWND foco = Foco(ventana);
    PostMessageW(foco ? foco : ventana, WM_KEYDOWN, tecla, 1);
    PostMessageW(foco ? foco : ventana, WM_KEYUP, tecla, 0xC0000001);
}

std::wstring ResponderDialogoArchivo(const std::filesystem::path& ruta, const wchar_t* titulo)
{
    HWND dialogo = EsperarVentana(L"#32770", titulo);
    if (!dialogo)
        return L"(sin diálogo)";
    HWND nombre = nullptr;
    // IFileOpenDialog's name field.
    Esperar([&] {
        for (HWND v : Descendientes(dialogo))
            if (GetDlgCtrlID(v) == 0x480 && _wcsicmp(Clase(v).c_str(), L"Edit") == 0)
                nombre = v;
        return nombre != nullptr;
    });
    const std::wstring inicial = nombre ? Texto(nombre) : L"(sin campo)";
    if (ruta.empty()) {
        PostMessageW(dialogo, WM_COMMAND, IDCANCEL, 0);
    } else {
        SendMessageW(nombre, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ruta.wstring().c_str()));
        PostMessageW(dialogo, WM_COMMAND, IDOK, 0);
    }
    EsperarQueSeCierre(dialogo);
    return inicial;
}

std::wstring ResponderCaja(const std::wstring& boton)
{
    HWND caja = EsperarVentana(L"#32770", L"TransHoraliaNorvica");
    if (!caja)
        return L"(sin caja)";
    std::wstring textos;
    HWND pulsar = nullptr;
    Esperar([&] { return (pulsar = BotonLlamado(caja, boton)) != nullptr; }, 5s);
    for (HWND v : Descendientes(caja)) {
        if (!IsWindowVisible(v) || _wcsicmp(Clase(v).c_str(), L"Button") == 0)
            continue;
        if (const std::wstring t = Texto(v); !t.empty())
            textos += t + L"\n";
    }
    if (pulsar)
        Pulsar(pulsar);
    else
        PostMessageW(caja, WM_CLOSE, 0, 0);
    EsperarQueSeCierre(caja);
    return textos;
}

std::wstring Portapapeles()
{
    std::wstring texto;
    if (!OpenClipboard(nullptr))
        return texto;
    if (HANDLE datos = GetClipboardData(CF_UNICODETEXT)) {
        texto = static_cast<const wchar_t*>(GlobalLock(datos));
        GlobalUnlock(datos);
    }
    CloseClipboard();
    return texto;
}

Proceso::~Proceso()
{
    if (h)
        CloseHandle(h);
}

long Proceso::Esperar(std::chrono::milliseconds limite) const
{
    if (!h || WaitForSingleObject(h, static_cast<DWORD>(limite.count())) != WAIT_OBJECT_0)
        return -1;
    DWORD estado = 0;
    GetExitCodeProcess(h, &estado);
    return static_cast<long>(estado);
}

Proceso Arrancar(const std::wstring& linea)
{
    SECURITY_ATTRIBUTES heredable{sizeof heredable, nullptr, TRUE};
    HANDLE nulo = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &heredable, OPEN_EXISTING,
                              0, nullptr);
    STARTUPINFOW arranque{};
    arranque.cb = sizeof arranque;
    arranque.dwFlags = STARTF_USESTDHANDLES;
    arranque.hStdInput = nulo;
    arranque.hStdOutput = nulo;
    arranque.hStdError = nulo;
    PROCESS_INFORMATION info{};
    std::wstring copia = linea;
    Proceso p;
    if (CreateProcessW(nullptr, copia.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &arranque, &info)) {
        CloseHandle(info.hThread);
        p.h = info.hProcess;
        p.id = info.dwProcessId;
    }
    CloseHandle(nulo);
    return p;
}

Proceso ProcesoDe(HWND ventana)
{
    Proceso p;
    GetWindowThreadProcessId(ventana, &p.id);
    p.h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, p.id);
    return p;
}

COLORREF Imagen::Pixel(int x, int y) const
{
    const std::uint32_t p = pixeles.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(ancho)
                                       + static_cast<std::size_t>(x));
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

Imagen Capturar(HWND ventana)
{
    RECT r;
    GetWindowRect(ventana, &r);
    Imagen imagen;
    imagen.ancho = r.right - r.left;
    imagen.alto = r.bottom - r.top;
    imagen.pixeles.resize(static_cast<std::size_t>(imagen.ancho) * static_cast<std::size_t>(imagen.alto));
    HDC pantalla = GetDC(nullptr);
    HDC memoria = CreateCompatibleDC(pantalla);
    HBITMAP mapa = CreateCompatibleBitmap(pantalla, imagen.ancho, imagen.alto);
    HGDIOBJ antes = SelectObject(memoria, mapa);
    BitBlt(memoria, 0, 0, imagen.ancho, imagen.alto, pantalla, r.left, r.top, SRCCOPY);
    SelectObject(memoria, antes);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = imagen.ancho;
    bi.bmiHeader.biHeight = -imagen.alto;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    GetDIBits(memoria, mapa, 0, static_cast<UINT>(imagen.alto), imagen.pixeles.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(mapa);
    DeleteDC(memoria);
    ReleaseDC(nullptr, pantalla);
    for (auto& p : imagen.pixeles)
        p &= 0xFFFFFF;
    return imagen;
}

bool GuardarPng(const Imagen& imagen, const std::filesystem::path& ruta)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* fabrica = nullptr;
    IWICStream* flujo = nullptr;
    IWICBitmapEncoder* codificador = nullptr;
    IWICBitmapFrameEncode* cuadro = nullptr;
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IWICImagingFactory, reinterpret_cast<void**>(&fabrica)))
              && SUCCEEDED(fabrica->CreateStream(&flujo))
              && SUCCEEDED(flujo->InitializeFromFilename(ruta.wstring().c_str(), GENERIC_WRITE))
              && SUCCEEDED(fabrica->CreateEncoder(GUID_ContainerFormatPng, nullptr, &codificador))
              && SUCCEEDED(codificador->Initialize(flujo, WICBitmapEncoderNoCache))
              && SUCCEEDED(codificador->CreateNewFrame(&cuadro, nullptr)) && SUCCEEDED(cuadro->Initialize(nullptr))
              && SUCCEEDED(cuadro->SetSize(static_cast<UINT>(imagen.ancho), static_cast<UINT>(imagen.alto)));
    WICPixelFormatGUID formato = GUID_WICPixelFormat32bppBGR;
    ok = ok && SUCCEEDED(cuadro->SetPixelFormat(&formato));
    // The encoder may ask for another layout: 24-bit BGR rows then.
    std::vector<BYTE> filas;
    UINT paso = static_cast<UINT>(imagen.ancho) * 4;
    if (ok && formato == GUID_WICPixelFormat24bppBGR) {
        paso = (static_cast<UINT>(imagen.ancho) * 3 + 3) & ~3u;
        filas.resize(static_cast<std::size_t>(paso) * static_cast<std::size_t>(imagen.alto));
        for (int y = 0; y < imagen.alto; ++y)
            for (int x = 0; x < imagen.ancho; ++x) {
                const std::uint32_t p = imagen.pixeles[static_cast<std::size_t>(y * imagen.ancho + x)];
                BYTE* d = &filas[static_cast<std::size_t>(y) * paso + static_cast<std::size_t>(x) * 3];
                d[0] = static_cast<BYTE>(p);
                d[1] = static_cast<BYTE>(p >> 8);
                d[2] = static_cast<BYTE>(p >> 16);
            }
    } else if (ok) {
        ok = formato == GUID_WICPixelFormat32bppBGR;
        filas.assign(reinterpret_cast<const BYTE*>(imagen.pixeles.data()),
                     reinterpret_cast<const BYTE*>(imagen.pixeles.data() + imagen.pixeles.size()));
    }
    ok = ok && SUCCEEDED(cuadro->WritePixels(static_cast<UINT>(imagen.alto), paso, static_cast<UINT>(filas.size()),
                                             filas.data()))
         && SUCCEEDED(cuadro->Commit()) && SUCCEEDED(codificador->Commit());
    for (IUnknown* i : std::initializer_list<IUnknown*>{cuadro, codificador, flujo, fabrica})
        if (i)
            i->Release();
    return ok;
}

}  // namespace thn::prueba
