// SPDX-License-Identifier: EUPL-1.2
#include "lanzador/nucleo/orden.h"

#include "lanzador/nucleo/recepcion.h"

#include <charconv>

namespace thn::lanzador {
namespace {

constexpr std::string_view kMarca = "transhoralianorvica-estado ";
constexpr std::string_view kSinArrancar = "transhoralianorvica-sin-arrancar";

}  // namespace

std::vector<std::string> OrdenConEstado(int puerto, const std::string& programa,
                                        const std::vector<std::string>& parametros)
{
    // $0 is the program, "$@" its parameters: nothing of them is parsed by the shell.
    const std::string testigo = std::string(kVariableTestigo);
    const std::string guion = "exec 3<>/dev/tcp/127.0.0.1/" + std::to_string(puerto) + " || exit 1; printf '%s\\n' \"$"
                              + testigo + "\" >&3; unset " + testigo + "; [ -f \"$0\" ] && [ -x \"$0\" ] || { echo "
                              + std::string(kSinArrancar) + " >&3; exit 126; }; \"$0\" \"$@\" </dev/null 3>&-; echo \""
                              + std::string(kMarca) + "$?\" >&3";
    std::vector<std::string> orden = {kShell, "-c", guion, programa};
    orden.insert(orden.end(), parametros.begin(), parametros.end());
    return orden;
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

bool SinArrancar(std::string_view salida) { return salida.starts_with(kSinArrancar); }

}  // namespace thn::lanzador
