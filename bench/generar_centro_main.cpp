// SPDX-License-Identifier: EUPL-1.2
// thn-generar-centro: writes a synthetic centre document.

#include "bench/generador_centro.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace {

constexpr std::string_view kUso =
    "Uso: thn-generar-centro [opciones]\n"
    "  --profesores N   (2000)    --grupos N       (1000)\n"
    "  --materias N     (3000)    --aulas N        (500)\n"
    "  --franjas N      (60)      --asignaturas N  (100000)\n"
    "  --semilla N      (1)       --escala F       multiplica todas las cantidades\n"
    "  -o RUTA          escribe en RUTA en vez de la salida estándar\n";

template <typename T>
std::optional<T> Leer(std::string_view texto)
{
    T valor{};
    const auto [fin, error] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (error != std::errc{} || fin != texto.data() + texto.size()) {
        return std::nullopt;
    }
    return valor;
}

struct Opciones {
    thn::bench::ParametrosCentro parametros;
    double escala = 1.0;
    std::optional<std::string> salida;
};

int Uso(std::string_view motivo)
{
    std::cerr << "thn-generar-centro: " << motivo << "\n" << kUso;
    return 2;
}

// A count times the scale, rounded; nullopt when it leaves the int range.
std::optional<int> Escalar(int cuenta, double escala)
{
    const double valor = std::round(cuenta * escala);
    if (!(valor <= std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    return static_cast<int>(valor);
}

}  // namespace

int main(int argc, char** argv)
{
    Opciones opciones;
    auto& p = opciones.parametros;
    const struct {
        std::string_view nombre;
        int* destino;
    } cuentas[] = {
        {"--profesores", &p.profesores}, {"--grupos", &p.grupos},   {"--materias", &p.materias},
        {"--aulas", &p.aulas},           {"--franjas", &p.franjas}, {"--asignaturas", &p.asignaturas},
    };

    for (int i = 1; i < argc; ++i) {
        const std::string_view opcion = argv[i];
        if (opcion == "-h" || opcion == "--ayuda" || opcion == "--help") {
            std::cout << kUso;
            return 0;
        }
        if (i + 1 >= argc) {
            return Uso("falta el valor de " + std::string(opcion));
        }
        const std::string_view valor = argv[++i];
        bool reconocida = false;
        for (const auto& cuenta : cuentas) {
            if (opcion == cuenta.nombre) {
                const auto n = Leer<int>(valor);
                if (!n || *n < 0) {
                    return Uso("cantidad no válida para " + std::string(opcion) + ": " + std::string(valor));
                }
                *cuenta.destino = *n;
                reconocida = true;
            }
        }
        if (reconocida) {
            continue;
        }
        if (opcion == "--semilla") {
            const auto n = Leer<std::uint32_t>(valor);
            if (!n) {
                return Uso("semilla no válida: " + std::string(valor));
            }
            p.semilla = *n;
        } else if (opcion == "--escala") {
            const auto f = Leer<double>(valor);
            if (!f || !std::isfinite(*f) || *f < 0) {
                return Uso("escala no válida: " + std::string(valor));
            }
            opciones.escala = *f;
        } else if (opcion == "-o") {
            opciones.salida = std::string(valor);
        } else {
            return Uso("opción desconocida: " + std::string(opcion));
        }
    }

    for (const auto& cuenta : cuentas) {
        const auto n = Escalar(*cuenta.destino, opciones.escala);
        if (!n) {
            return Uso("la escala deja " + std::string(cuenta.nombre) + " fuera de rango");
        }
        *cuenta.destino = *n;
    }

    try {
        if (opciones.salida) {
            thn::bench::EscribirCentro(p, *opciones.salida);
        } else {
            const std::string documento = thn::bench::GenerarCentro(p);
            std::cout.write(documento.data(), static_cast<std::streamsize>(documento.size()));
            std::cout.flush();
            if (!std::cout) {
                std::cerr << "thn-generar-centro: no se puede escribir en la salida estándar\n";
                return 1;
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "thn-generar-centro: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
