// SPDX-License-Identifier: EUPL-1.2
#include "cli/instalar_wine.h"

#include "base/ascii.h"
#include "cli/cabecera_pe.h"
#include "trabajo/directorio.h"
#include "base/error.h"
#include "lanzador/nucleo/configuracion.h"
#include "lanzador/nucleo/marca.h"
#include "lanzador/nucleo/rutas.h"
#include "so/reemplazo.h"
#include "so/sistema.h"

#include <fstream>
#include <iterator>

namespace thn::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLanzador = "transhoralianorvica.exe";
// The 64-bit launcher's name beside the 32-bit one, when Horalia's bitness is unknown.
constexpr const char* kLanzador64 = "transhoralianorvica64.exe";
constexpr const char* kHoralia = "Horalia.exe";

std::string Leer(const fs::path& fichero)
{
    std::ifstream f(fichero, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(f), {});
    if (f.bad() || !f.is_open())
        throw Error(Formatear("No se puede leer %s", {fichero.string()}));
    return bytes;
}

bool EsLanzador(const fs::path& fichero)
{
    return Leer(fichero).find(lanzador::MarcaLanzador()) != std::string::npos;
}

// Written whole or not at all: a failure never leaves a cut-short launcher
// or configuration behind.
void Escribir(const fs::path& destino, const std::string& contenido)
{
    if (const int error = so::ReemplazarFichero(destino, contenido, false))
        throw Error(Formatear("No se puede escribir %s: %s", {destino.string(), so::Motivo(error)}));
}

// Every folder under drive_c holding Horalia's program; Windows' own folder
// is skipped.
std::vector<fs::path> BuscarHoralia(const fs::path& unidad)
{
    std::vector<fs::path> carpetas;
    std::error_code error;
    fs::recursive_directory_iterator it(unidad, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        const std::string nombre = MinusculasAscii(it->path().filename().string());
        if (it.depth() == 0 && nombre == "windows")
            it.disable_recursion_pending();
        else if (nombre == MinusculasAscii(kHoralia) && it->is_regular_file(error))
            carpetas.push_back(it->path().parent_path());
    }
    return carpetas;
}

fs::path CarpetaHoralia(const InstalacionWine& i)
{
    if (i.horalia) {
        const fs::path carpeta = lanzador::RutaEnPrefijo(i.prefijo.string(), i.horalia->string());
        if (!fs::is_directory(carpeta))
            throw Error(Formatear("No existe la carpeta de Horalia %s", {carpeta.string()}));
        return carpeta;
    }
    const fs::path unidad = i.prefijo / "drive_c";
    const auto carpetas = BuscarHoralia(unidad);
    if (carpetas.size() == 1)
        return carpetas.front();
    if (carpetas.empty())
        throw Error(Formatear("No se encuentra %s en %s", {kHoralia, unidad.string()}),
                    "Indique la carpeta de Horalia con --horalia.");
    std::string lista;
    for (const auto& c : carpetas)
        lista += (lista.empty() ? "" : ", ") + c.string();
    throw Error(Formatear("Hay varias carpetas con %s en %s", {kHoralia, unidad.string()}),
                "Indique una con --horalia: " + lista + ".");
}

struct Copia {
    fs::path origen;
    fs::path destino;
    int bits;
};

// Which launcher goes under which name: the one of Horalia's bitness, or both
// when Horalia's program is not there to tell.
std::vector<Copia> Copias(const InstalacionWine& i, const fs::path& carpeta, std::vector<std::string>& hecho)
{
    auto destino = [&](const char* nombre) { return BuscarFichero(carpeta, nombre).value_or(carpeta / nombre); };
    auto origen = [&](int bits) { return i.lanzadores / ("transhoralianorvica" + std::to_string(bits) + ".exe"); };
    const auto horalia = BuscarFichero(carpeta, kHoralia);
    const auto bits = horalia ? BitsDeEjecutable(Leer(*horalia)) : std::nullopt;
    if (bits)
        return {{origen(*bits), destino(kLanzador), *bits}};
    hecho.push_back(Formatear("No se sabe si Horalia es de 32 o de 64 bits (%s): se instalan los dos lanzadores; "
                              "para Horalia de 64 bits, %s debe sustituir a %s.",
                              {horalia ? horalia->string() : "no está en " + carpeta.string(), kLanzador64, kLanzador}));
    return {{origen(32), destino(kLanzador), 32}, {origen(64), destino(kLanzador64), 64}};
}

std::vector<std::string> Instalar(const InstalacionWine& i, const fs::path& carpeta)
{
    std::vector<std::string> hecho;
    const auto copias = Copias(i, carpeta, hecho);
    if (!fs::is_regular_file(i.programa))
        throw Error(Formatear("No existe el programa %s", {i.programa.string()}), "Indíquelo con --programa.");
    for (const auto& c : copias) {
        if (!fs::is_regular_file(c.origen))
            throw Error(Formatear("No se encuentra el lanzador %s", {c.origen.string()}));
        if (fs::exists(c.destino) && !EsLanzador(c.destino))
            throw Error(Formatear("%s no es el lanzador de TransHoraliaNorvica: no se sustituye", {c.destino.string()}));
    }
    for (const auto& c : copias) {
        Escribir(c.destino, Leer(c.origen));
        hecho.push_back(Formatear("Lanzador de %s bits: %s", {std::to_string(c.bits), c.destino.string()}));
    }
    const fs::path configuracion =
        BuscarFichero(carpeta, lanzador::kNombreConfiguracion).value_or(carpeta / lanzador::kNombreConfiguracion);
    Escribir(configuracion, lanzador::TextoConfiguracion({i.programa.string()}));
    hecho.push_back(Formatear("Configuración: %s (programa %s)", {configuracion.string(), i.programa.string()}));
    return hecho;
}

std::vector<std::string> Quitar(const fs::path& carpeta)
{
    std::vector<std::string> hecho;
    bool ajeno = false;
    auto quitar = [&](const fs::path& fichero) {
        if (const int error = so::Borrar(fichero))
            throw Error(Formatear("No se puede quitar %s: %s", {fichero.string(), so::Motivo(error)}));
        hecho.push_back(Formatear("Quitado %s", {fichero.string()}));
    };
    for (const char* nombre : {kLanzador, kLanzador64}) {
        const auto fichero = BuscarFichero(carpeta, nombre);
        if (!fichero)
            continue;
        if (!EsLanzador(*fichero)) {
            hecho.push_back(Formatear("Se deja %s: no es el lanzador de TransHoraliaNorvica", {fichero->string()}));
            ajeno = true;
            continue;
        }
        quitar(*fichero);
    }
    // A program of the launcher's name that is not ours may be what reads it.
    if (const auto configuracion = BuscarFichero(carpeta, lanzador::kNombreConfiguracion); configuracion && ajeno)
        hecho.push_back(Formatear("Se deja %s, junto al programa que no es el lanzador", {configuracion->string()}));
    else if (configuracion) {
        quitar(*configuracion);
    }
    if (hecho.empty())
        hecho.push_back(Formatear("No había nada que quitar en %s", {carpeta.string()}));
    return hecho;
}

}  // namespace

std::vector<std::string> InstalarWine(const InstalacionWine& instalacion)
{
    if (!fs::is_directory(instalacion.prefijo / "drive_c"))
        throw Error(Formatear("No existe el prefijo de Wine %s", {instalacion.prefijo.string()}),
                    "Indíquelo con --prefijo o con la variable WINEPREFIX.");
    const fs::path carpeta = CarpetaHoralia(instalacion);
    return instalacion.quitar ? Quitar(carpeta) : Instalar(instalacion, carpeta);
}

}  // namespace thn::cli
