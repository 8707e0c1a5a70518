// SPDX-License-Identifier: EUPL-1.2
#include "proceso.h"

#include "lanzador/nucleo/linea_ordenes.h"
#include "lanzador/nucleo/orden.h"
#include "texto.h"
#include "wine.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <bcrypt.h>

#include <memory>
#include <stdexcept>

namespace thn::lanzador {
namespace {

class Winsock {
public:
    Winsock()
    {
        WSADATA datos;
        if (WSAStartup(MAKEWORD(2, 2), &datos) != 0)
            throw std::runtime_error("No se pueden usar los sockets de Windows");
    }
    ~Winsock() { WSACleanup(); }
    Winsock(const Winsock&) = delete;
    Winsock& operator=(const Winsock&) = delete;
};

class Enchufe {
public:
    explicit Enchufe(SOCKET s = INVALID_SOCKET) : s_(s) {}
    ~Enchufe()
    {
        if (s_ != INVALID_SOCKET)
            closesocket(s_);
    }
    Enchufe(const Enchufe&) = delete;
    Enchufe& operator=(const Enchufe&) = delete;
    SOCKET get() const { return s_; }

private:
    SOCKET s_;
};

[[noreturn]] void Fallo(const std::string& que)
{
    throw std::runtime_error(que + " (error " + std::to_string(WSAGetLastError()) + ")");
}

// How long bash may take to call back before the start counts as failed: it
// connects before anything else, so a few seconds are plenty even on a busy
// machine, and a bash without /dev/tcp is not waited on for long.
constexpr DWORD kEsperaConexionMs = 15000;
// How long a peer has, once accepted, to present the token.
constexpr DWORD kEsperaTestigoMs = 3000;

// A socket listening on a free loopback port; sets `puerto`.
std::unique_ptr<Enchufe> Escucha(int& puerto)
{
    auto escucha = std::make_unique<Enchufe>(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (escucha->get() == INVALID_SOCKET)
        Fallo("No se puede crear un socket");
    sockaddr_in direccion{};
    direccion.sin_family = AF_INET;
    direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int largo = sizeof direccion;
    if (bind(escucha->get(), reinterpret_cast<sockaddr*>(&direccion), largo) != 0
        || listen(escucha->get(), SOMAXCONN) != 0
        || getsockname(escucha->get(), reinterpret_cast<sockaddr*>(&direccion), &largo) != 0)
        Fallo("No se puede escuchar en la dirección local");
    puerto = ntohs(direccion.sin_port);
    return escucha;
}

// 128 random bits in hexadecimal.
std::string Testigo()
{
    unsigned char azar[16];
    if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, azar, sizeof azar, BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
        throw std::runtime_error("No se puede obtener un número aleatorio del sistema");
    std::string testigo;
    for (unsigned char b : azar) {
        testigo += "0123456789abcdef"[b >> 4];
        testigo += "0123456789abcdef"[b & 15];
    }
    return testigo;
}

// True when `s` has something to read within `ms` milliseconds.
bool Llega(SOCKET s, DWORD ms)
{
    fd_set llegada;
    FD_ZERO(&llegada);
    FD_SET(s, &llegada);
    timeval espera{static_cast<long>(ms / 1000), static_cast<long>(ms % 1000) * 1000};
    return select(0, &llegada, nullptr, nullptr, &espera) == 1;
}

// Feeds `conversacion` from `conexion` until the peer presents the token
// (true), or stops, says something else or keeps silent too long (false).
bool EsperarTestigo(SOCKET conexion, Conversacion& conversacion)
{
    const ULONGLONG limite = GetTickCount64() + kEsperaTestigoMs;
    char trozo[64];
    while (!conversacion.Presentado()) {
        const ULONGLONG ahora = GetTickCount64();
        if (ahora >= limite || !Llega(conexion, static_cast<DWORD>(limite - ahora)))
            return false;
        const int n = recv(conexion, trozo, sizeof trozo, 0);
        if (n <= 0 || !conversacion.Anadir({trozo, static_cast<std::size_t>(n)}))
            return false;
    }
    return true;
}

// Our bash's connection, and what it has said so far.
struct Llamante {
    std::unique_ptr<Enchufe> conexion;
    Conversacion conversacion;
};

// The connection of our bash among whatever connects to `escucha` before
// the time runs out; every other one is closed unheard.
Llamante ConexionDeBash(SOCKET escucha, const std::string& testigo, const std::string& programa)
{
    const ULONGLONG limite = GetTickCount64() + kEsperaConexionMs;
    for (;;) {
        const ULONGLONG ahora = GetTickCount64();
        if (ahora >= limite || !Llega(escucha, static_cast<DWORD>(limite - ahora)))
            throw std::runtime_error("El programa " + programa + " no ha llegado a arrancar");
        Llamante llamante{std::make_unique<Enchufe>(accept(escucha, nullptr, nullptr)), Conversacion(testigo)};
        if (llamante.conexion->get() == INVALID_SOCKET)
            Fallo("No se puede aceptar la conexión local");
        if (EsperarTestigo(llamante.conexion->get(), llamante.conversacion))
            return llamante;
    }
}

struct CerrarHandle {
    void operator()(HANDLE h) const
    {
        if (h && h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
};
using Handle = std::unique_ptr<void, CerrarHandle>;

std::wstring BloqueEntorno(const std::vector<std::string>& entorno)
{
    std::wstring bloque;
    for (const auto& e : entorno)
        bloque += Ancho(e) + L'\0';
    return bloque + L'\0';
}

}  // namespace

std::vector<std::string> EntornoPropio()
{
    std::vector<std::string> entorno;
    const std::unique_ptr<wchar_t, decltype(&FreeEnvironmentStringsW)> bloque(GetEnvironmentStringsW(),
                                                                             &FreeEnvironmentStringsW);
    for (const wchar_t* e = bloque.get(); e && *e; e += wcslen(e) + 1)
        entorno.push_back(Utf8(e));
    return entorno;
}

int EjecutarYEsperar(const std::string& programa, const std::vector<std::string>& parametros,
                     std::vector<std::string> entorno)
{
    const Winsock winsock;
    int puerto = 0;
    auto escucha = Escucha(puerto);
    const auto orden = OrdenConEstado(puerto, programa, parametros);
    const std::string testigo = Testigo();
    const std::string variable = std::string(kVariableTestigo) + "=";
    std::erase_if(entorno, [&](const std::string& e) { return e.starts_with(variable); });
    entorno.push_back(variable + testigo);

    STARTUPINFOW arranque{};
    arranque.cb = sizeof arranque;
    const auto aplicacion = RutaWindows(orden.front());
    if (!aplicacion)
        throw std::runtime_error("No se encuentra " + orden.front() + " desde Wine");
    std::wstring linea = Ancho(LineaOrdenes(orden));
    std::wstring bloque = BloqueEntorno(entorno);
    PROCESS_INFORMATION proceso{};
    if (!CreateProcessW(aplicacion->c_str(), linea.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, bloque.data(), nullptr, &arranque, &proceso))
        throw std::runtime_error("No se puede arrancar " + orden.front() + " (error "
                                 + std::to_string(GetLastError()) + ")");
    // Under Wine both handles of a Unix child are null; the connection tells its end.
    const Handle p(proceso.hProcess), h(proceso.hThread);

    auto [conexion, conversacion] = ConexionDeBash(escucha->get(), testigo, programa);
    escucha.reset();
    char trozo[64];
    for (int n; (n = recv(conexion->get(), trozo, sizeof trozo, 0)) > 0;)
        if (!conversacion.Anadir({trozo, static_cast<std::size_t>(n)}))
            break;
    const auto estado = conversacion.Estado();
    if (!estado)
        throw std::runtime_error("El programa " + programa + " terminó sin dar su estado de salida");
    return *estado;
}

}  // namespace thn::lanzador
