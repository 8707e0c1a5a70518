// SPDX-License-Identifier: EUPL-1.2
#include "lanzador/nucleo/recepcion.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#ifndef _WIN32
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace thn::lanzador {
namespace {

#ifdef _WIN32
constexpr Socket kNinguno = INVALID_SOCKET;
void CerrarSocket(Socket s) { closesocket(s); }
#else
constexpr Socket kNinguno = -1;
void CerrarSocket(Socket s) { ::close(s); }
#endif

// What bash writes after the token: one line with the status.
constexpr std::size_t kMaximoSalida = 256;
// Connections waiting to present themselves; more are closed at once.
constexpr std::size_t kMaximoPendientes = 16;

class Conexion {
public:
    explicit Conexion(Socket s) : s_(s) {}
    ~Conexion()
    {
        if (s_ != kNinguno)
            CerrarSocket(s_);
    }
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;
    Socket get() const { return s_; }
    std::string recibido;

private:
    Socket s_;
};

// Up to `n` bytes; 0 at the end or on an error.
std::size_t Recibir(Socket s, char* destino, std::size_t n)
{
    const auto r = ::recv(s, destino, static_cast<int>(n), 0);
    return r > 0 ? static_cast<std::size_t>(r) : 0;
}

}  // namespace

std::string NuevoTestigo()
{
    std::random_device azar;
    std::string testigo;
    for (int i = 0; i < 4; ++i) {
        char trozo[9];
        std::snprintf(trozo, sizeof trozo, "%08x", static_cast<unsigned>(azar()));
        testigo += trozo;
    }
    return testigo;
}

Presentacion Presentar(std::string_view recibido, std::string_view testigo)
{
    const std::string esperado = std::string(testigo) + "\n";
    if (recibido.size() < esperado.size())
        return std::string_view(esperado).starts_with(recibido) ? Presentacion::Incompleta : Presentacion::Ajena;
    return recibido.substr(0, esperado.size()) == esperado ? Presentacion::Nuestra : Presentacion::Ajena;
}

std::optional<std::string> RecibirDeBash(Socket escucha, std::string_view testigo, int segundos)
{
    using Reloj = std::chrono::steady_clock;
    const auto limite = Reloj::now() + std::chrono::seconds(segundos);
    const std::size_t largo = testigo.size() + 1;
    std::vector<std::unique_ptr<Conexion>> pendientes;
    std::unique_ptr<Conexion> nuestra;
    while (!nuestra) {
        const auto queda = std::chrono::duration_cast<std::chrono::microseconds>(limite - Reloj::now());
        if (queda.count() <= 0)
            return std::nullopt;
        fd_set listos;
        FD_ZERO(&listos);
        FD_SET(escucha, &listos);
        Socket mayor = escucha;
        for (const auto& c : pendientes) {
            FD_SET(c->get(), &listos);
            mayor = std::max(mayor, c->get());
        }
        timeval espera{static_cast<long>(queda.count() / 1000000), static_cast<long>(queda.count() % 1000000)};
        if (::select(static_cast<int>(mayor) + 1, &listos, nullptr, nullptr, &espera) <= 0)
            continue;
        for (auto it = pendientes.begin(); it != pendientes.end() && !nuestra;) {
            Conexion& c = **it;
            Presentacion p = Presentacion::Incompleta;
            if (FD_ISSET(c.get(), &listos)) {
                char trozo[128];
                const std::size_t n = Recibir(c.get(), trozo, std::min(sizeof trozo, largo - c.recibido.size()));
                c.recibido.append(trozo, n);
                p = n == 0 ? Presentacion::Ajena : Presentar(c.recibido, testigo);
            }
            if (p == Presentacion::Nuestra)
                nuestra = std::move(*it);
            if (p != Presentacion::Incompleta)
                it = pendientes.erase(it);
            else
                ++it;
        }
        if (!nuestra && FD_ISSET(escucha, &listos)) {
            auto nueva = std::make_unique<Conexion>(::accept(escucha, nullptr, nullptr));
            if (nueva->get() != kNinguno && pendientes.size() < kMaximoPendientes)
                pendientes.push_back(std::move(nueva));
        }
    }
    std::string salida;
    char trozo[128];
    for (std::size_t n; salida.size() <= kMaximoSalida && (n = Recibir(nuestra->get(), trozo, sizeof trozo)) > 0;)
        salida.append(trozo, n);
    if (salida.size() > kMaximoSalida)
        return std::nullopt;
    return salida;
}

}  // namespace thn::lanzador
