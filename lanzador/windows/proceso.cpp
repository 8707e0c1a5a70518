// SPDX-License-Identifier: EUPL-1.2
#include "proceso.h"

#include "lanzador/nucleo/linea_ordenes.h"
#include "lanzador/nucleo/orden.h"
#include "lanzador/nucleo/recepcion.h"
#include "lanzador/nucleo/rutas.h"
#include "texto.h"
#include "wine.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

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

// How long bash may take to call back before the start counts as failed.
constexpr int kEsperaConexion = 30;

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
    if (bind(escucha->get(), reinterpret_cast<sockaddr*>(&direccion), largo) != 0 || listen(escucha->get(), SOMAXCONN) != 0
        || getsockname(escucha->get(), reinterpret_cast<sockaddr*>(&direccion), &largo) != 0)
        Fallo("No se puede escuchar en la dirección local");
    puerto = ntohs(direccion.sin_port);
    return escucha;
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
                     const std::vector<std::string>& entorno)
{
    const Winsock winsock;
    int puerto = 0;
    const auto escucha = Escucha(puerto);
    const auto orden = OrdenConEstado(puerto, programa, parametros);

    // The token goes in bash's environment, which other users cannot read,
    // not in its arguments, which they can.
    const std::string testigo = NuevoTestigo();
    std::vector<std::string> entorno_bash = entorno;
    entorno_bash.push_back(std::string(kVariableTestigo) + "=" + testigo);

    STARTUPINFOW arranque{};
    arranque.cb = sizeof arranque;
    const std::wstring aplicacion = RutaWindows(orden.front()).value_or(Ancho(RutaWindowsDesdeUnix(orden.front())));
    std::wstring linea = Ancho(LineaOrdenes(orden));
    std::wstring bloque = BloqueEntorno(entorno_bash);
    PROCESS_INFORMATION proceso{};
    if (!CreateProcessW(aplicacion.c_str(), linea.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, bloque.data(), nullptr, &arranque, &proceso))
        throw std::runtime_error("No se puede arrancar " + orden.front() + " (error "
                                 + std::to_string(GetLastError()) + ")");
    // Under Wine both handles of a Unix child are null; the connection tells its end.
    const Handle p(proceso.hProcess), h(proceso.hThread);

    const auto salida = RecibirDeBash(escucha->get(), testigo, kEsperaConexion);
    if (!salida)
        throw std::runtime_error("El programa " + programa + " no ha llegado a arrancar");
    if (SinArrancar(*salida))
        throw std::runtime_error("No se puede arrancar el programa " + programa
                                 + ": no existe o no es un programa ejecutable");
    const auto estado = EstadoDesdeSalida(*salida);
    if (!estado)
        throw std::runtime_error("El programa " + programa + " terminó sin dar su estado de salida");
    return *estado;
}

}  // namespace thn::lanzador
