// SPDX-License-Identifier: EUPL-1.2
// The command line of "instalar-wine": options, and the defaults a Debian
// installation gives (the launchers and the desktop program found from this
// program's own place).

#include "cli/instalar_wine.h"

#include "base/error.h"

#include <cstdlib>

namespace thn::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsoInstalarWine =
    "Uso: transhoralianorvica-cli instalar-wine [--prefijo DIR] [--horalia CARPETA] [--programa RUTA] [--quitar]\n"
    "\n"
    "Pone junto a Horalia, en un prefijo de Wine, el lanzador transhoralianorvica.exe que\n"
    "Horalia arranca, y su configuración; --quitar los quita. No toca nada más.\n"
    "\n"
    "  --prefijo DIR       prefijo de Wine (por omisión $WINEPREFIX o ~/.wine)\n"
    "  --horalia CARPETA   carpeta de Horalia, ruta de Linux o de Windows (C:\\...);\n"
    "                      por omisión, la que tiene Horalia.exe bajo drive_c\n"
    "  --programa RUTA     programa de escritorio que arranca el lanzador (por omisión,\n"
    "                      transhoralianorvica junto a este programa)\n"
    "  --quitar            quita el lanzador y su configuración\n";

fs::path DirectorioPropio()
{
    std::error_code error;
    const fs::path propio = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : propio.parent_path();
}

fs::path PrefijoPorOmision()
{
    if (const char* wine = std::getenv("WINEPREFIX"); wine && *wine)
        return wine;
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : "") / ".wine";
}

}  // namespace

int OrdenInstalarWine(const std::vector<std::string>& argumentos, std::ostream& salida, std::ostream& errores)
{
    const fs::path propio = DirectorioPropio();
    InstalacionWine instalacion{PrefijoPorOmision(), std::nullopt, propio / "transhoralianorvica",
                                (propio / ".." / THN_DIR_LANZADORES).lexically_normal(), false};
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        std::string opcion = argumentos[i];
        std::optional<std::string> valor;
        if (const auto igual = opcion.find('='); opcion.starts_with("--") && igual != std::string::npos) {
            valor = opcion.substr(igual + 1);
            opcion.resize(igual);
        }
        auto tomar = [&](fs::path& destino) {
            if (!valor && i + 1 < argumentos.size())
                valor = argumentos[++i];
            if (valor && !valor->empty())
                destino = *valor;
            return valor && !valor->empty();
        };
        fs::path ruta;
        bool bien = true;
        if (opcion == "--help" || opcion == "-h") {
            salida << kUsoInstalarWine;
            return 0;
        } else if (opcion == "--prefijo") {
            bien = tomar(instalacion.prefijo);
        } else if (opcion == "--horalia") {
            bien = tomar(ruta);
            instalacion.horalia = ruta;
        } else if (opcion == "--programa") {
            bien = tomar(ruta);
            instalacion.programa = fs::absolute(ruta);
        } else if (opcion == "--quitar" && !valor) {
            instalacion.quitar = true;
        } else {
            errores << "transhoralianorvica-cli: opción desconocida: " << argumentos[i] << "\n\n" << kUsoInstalarWine;
            return 2;
        }
        if (!bien) {
            errores << "transhoralianorvica-cli: falta el valor de " << opcion << "\n\n" << kUsoInstalarWine;
            return 2;
        }
    }
    try {
        for (const auto& linea : InstalarWine(instalacion))
            salida << linea << "\n";
        return 0;
    } catch (const Error& e) {
        errores << TextoCajaError(e.what()) << "\n";
        if (!e.Detalle().empty())
            errores << e.Detalle() << "\n";
    } catch (const fs::filesystem_error& e) {
        errores << TextoCajaError(e.what()) << "\n";
    }
    return 1;
}

}  // namespace thn::cli
