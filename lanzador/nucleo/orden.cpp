// SPDX-License-Identifier: EUPL-1.2
#include "lanzador/nucleo/orden.h"

#include <charconv>

namespace thn::lanzador {
namespace {

constexpr std::string_view kMarca = "transhoralianorvica-estado ";
// The token's line and the status line, with room to spare.
constexpr std::size_t kMaximoRecibido = 256;

}  // namespace

std::vector<std::string> OrdenConEstado(int puerto, const std::string& programa,
                                        const std::vector<std::string>& parametros)
{
    // $0 is the program, "$@" its parameters: nothing of them is parsed by the shell.
    const std::string testigo = kVariableTestigo;
    const std::string guion = "exec 3<>/dev/tcp/127.0.0.1/" + std::to_string(puerto) + " || exit 1; echo \"$"
                              + testigo + "\" >&3; unset " + testigo + "; \"$0\" \"$@\" </dev/null 3>&-; echo \""
                              + std::string(kMarca) + "$?\" >&3";
    std::vector<std::string> orden = {kShell, "-c", guion, programa};
    orden.insert(orden.end(), parametros.begin(), parametros.end());
    return orden;
}

Conversacion::Conversacion(std::string testigo) : testigo_(std::move(testigo)) {}

bool Conversacion::Anadir(std::string_view trozo)
{
    if (rechazada_)
        return false;
    // One byte past the most it may hold tells an overlong peer apart.
    recibido_.append(trozo.substr(0, kMaximoRecibido + 1 - recibido_.size()));
    const std::size_t fin_linea = recibido_.find('\n');
    const std::string_view primera = std::string_view(recibido_).substr(0, fin_linea);
    const bool primera_posible = fin_linea == std::string::npos ? testigo_.starts_with(primera) : primera == testigo_;
    rechazada_ = !primera_posible || testigo_.empty() || recibido_.size() > kMaximoRecibido;
    return !rechazada_;
}

bool Conversacion::Presentado() const
{
    return !rechazada_ && recibido_.find('\n') != std::string::npos;
}

std::optional<int> Conversacion::Estado() const
{
    if (!Presentado())
        return std::nullopt;
    return EstadoDesdeSalida(std::string_view(recibido_).substr(recibido_.find('\n') + 1));
}

std::optional<int> EstadoDesdeSalida(std::string_view salida)
{
    while (!salida.empty() && (salida.back() == '\n' || salida.back() == '\r'))
        salida.remove_suffix(1);
    const auto inicio = salida.rfind('\n');
    std::string_view linea = inicio == std::string_view::npos ? salida : salida.substr(inicio + 1);
    if (!linea.starts_with(kMarca))
        return std::nullopt;
    linea.remove_prefix(kMarca.size());
    int estado = 0;
    const auto [fin, error] = std::from_chars(linea.data(), linea.data() + linea.size(), estado);
    if (linea.empty() || error != std::errc() || fin != linea.data() + linea.size())
        return std::nullopt;
    return estado;
}

}  // namespace thn::lanzador
