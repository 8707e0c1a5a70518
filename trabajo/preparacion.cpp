// SPDX-License-Identifier: EUPL-1.2
#include "trabajo/preparacion.h"

#include "trabajo/directorio.h"
#include "base/error.h"
#include "so/sistema.h"

#include <fstream>
#include <sstream>

namespace thn {
namespace fs = std::filesystem;
namespace {

constexpr const char* kCarpeta = ".transhoralianorvica";
constexpr const char* kDiario = "DIARIO";
constexpr const char* kFirma = "TRANSHORALIANORVICA 1";
constexpr const char* kFin = "FIN";

// One rename of the replacement. Apartar takes an old file of the working
// directory into the staging folder; Poner brings a new table out of it.
struct Paso {
    enum Clase { Apartar, Poner } clase;
    std::string fuera;   // name in the working directory
    std::string dentro;  // name in the staging folder
};

bool Existe(const fs::path& ruta)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(ruta, ec));
}

// Idempotent: a step whose source is gone is done already.
int Aplicar(const fs::path& directorio, const fs::path& carpeta, const Paso& p)
{
    const fs::path fuera = directorio / p.fuera, dentro = carpeta / p.dentro;
    if (p.clase == Paso::Apartar)
        return Existe(fuera) && !Existe(dentro) ? so::Renombrar(fuera, dentro) : 0;
    return Existe(dentro) ? so::Renombrar(dentro, fuera) : 0;
}

int Deshacer(const fs::path& directorio, const fs::path& carpeta, const Paso& p)
{
    const fs::path fuera = directorio / p.fuera, dentro = carpeta / p.dentro;
    if (p.clase == Paso::Apartar)
        return Existe(dentro) && !Existe(fuera) ? so::Renombrar(dentro, fuera) : 0;
    return !Existe(dentro) && Existe(fuera) ? so::Renombrar(fuera, dentro) : 0;
}

std::string TextoDiario(const std::vector<Paso>& pasos)
{
    std::string texto = std::string(kFirma) + "\n";
    for (const Paso& p : pasos)
        texto += std::string(p.clase == Paso::Apartar ? "APARTAR" : "PONER") + "\t" + p.fuera + "\t" + p.dentro + "\n";
    return texto + kFin + "\n";
}

// The steps of a whole journal; none when it is absent or was cut short
// (then no step had been taken).
std::vector<Paso> LeerDiario(const fs::path& ruta)
{
    std::ifstream in(ruta, std::ios::binary);
    std::vector<Paso> pasos;
    std::string linea;
    if (!std::getline(in, linea) || linea != kFirma)
        return {};
    while (std::getline(in, linea)) {
        if (linea == kFin)
            return pasos;
        std::istringstream campos(linea);
        std::string clase, fuera, dentro;
        if (!std::getline(campos, clase, '\t') || !std::getline(campos, fuera, '\t') || !std::getline(campos, dentro)
            || fuera.empty() || dentro.empty() || fuera.find('/') != std::string::npos
            || dentro.find('/') != std::string::npos || fuera.front() == '.' || dentro.front() == '.')
            return {};
        if (clase != "APARTAR" && clase != "PONER")
            return {};
        pasos.push_back({clase == "APARTAR" ? Paso::Apartar : Paso::Poner, fuera, dentro});
    }
    return {};
}

void EscribirDiario(const fs::path& carpeta, const std::vector<Paso>& pasos, const fs::path& directorio)
{
    const std::string texto = TextoDiario(pasos);
    so::Descriptor d;
    int error = so::Abrir(carpeta / kDiario, so::Apertura::CrearNueva, d);
    if (error == 0)
        error = so::EscribirEn(d, texto.data(), texto.size(), 0);
    if (error == 0)
        error = so::Volcar(d);
    if (const int al_cerrar = so::Cerrar(d); error == 0)
        error = al_cerrar;
    if (error == 0)
        error = so::VolcarCarpeta(carpeta);
    if (error != 0)
        throw Error(Formatear("No se pueden sustituir las tablas de Horalia en '%s': %s",
                              {directorio.string(), so::Motivo(error)}));
}

// Removes the staging folder. The journal goes first: while it exists the
// old tables set aside must stay, for the next run may still need them.
int Limpiar(const fs::path& carpeta)
{
    if (Existe(carpeta / kDiario))
        if (const int error = so::Borrar(carpeta / kDiario))
            return error;
    std::error_code ec;
    std::vector<fs::path> ficheros;
    for (auto it = fs::directory_iterator(carpeta, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        ficheros.push_back(it->path());
    int error = 0;
    for (const fs::path& f : ficheros)
        if (const int e = so::Borrar(f); e != 0 && error == 0)
            error = e;
    if (const int e = so::BorrarCarpeta(carpeta); e != 0 && error == 0)
        error = e;
    return error;
}

}  // namespace

Preparacion::Preparacion(fs::path directorio) : directorio_(std::move(directorio)), carpeta_(directorio_ / kCarpeta)
{
    if (const int error = so::CrearCarpeta(carpeta_))
        throw Error(Formatear("No se puede crear la carpeta '%s': %s", {carpeta_.string(), so::Motivo(error)}));
}

Preparacion::~Preparacion() { Limpiar(carpeta_); }

void Preparacion::ComprobarTablasLibres(const std::vector<TablaPreparada>& tablas) const
{
    for (const TablaPreparada& t : tablas)
        for (const fs::path& ruta : TodasLasGrafias(directorio_, t.nombre + ".DBF"))
            if (so::BloqueadoPorOtro(ruta))
                throw Error(Formatear("La tabla '%s' está abierta por otro programa", {ruta.string()}));
}

void Preparacion::Confirmar(const std::vector<TablaPreparada>& tablas)
{
    std::vector<Paso> pasos;
    auto apartar = [&](const fs::path& viejo) {
        pasos.push_back({Paso::Apartar, viejo.filename().string(), "ANTERIOR." + std::to_string(pasos.size())});
    };
    for (const TablaPreparada& t : tablas) {
        const std::string fichero = t.nombre + ".DBF";
        const auto viejas = TodasLasGrafias(directorio_, fichero);
        for (const fs::path& v : viejas)
            apartar(v);
        if (t.borrar_indice)
            for (const fs::path& v : TodasLasGrafias(directorio_, t.nombre + ".MDX"))
                apartar(v);
        // The table keeps the spelling Horalia gave it.
        pasos.push_back({Paso::Poner, viejas.empty() ? fichero : viejas.front().filename().string(), fichero});
    }
    ComprobarTablasLibres(tablas);
    EscribirDiario(carpeta_, pasos, directorio_);

    std::size_t hechos = 0;
    int error = 0;
    while (hechos < pasos.size() && (error = Aplicar(directorio_, carpeta_, pasos[hechos])) == 0)
        ++hechos;
    if (error == 0)
        error = so::VolcarCarpeta(directorio_);
    if (error != 0) {
        for (std::size_t i = std::min(hechos + 1, pasos.size()); i-- > 0;)
            Deshacer(directorio_, carpeta_, pasos[i]);
        so::VolcarCarpeta(directorio_);
        // Left in place only if it cannot be removed: then the next run
        // completes this replacement, whose tables are all whole.
        so::Borrar(carpeta_ / kDiario);
        throw Error(Formatear("No se pueden sustituir las tablas de Horalia en '%s': %s",
                              {directorio_.string(), so::Motivo(error)}));
    }
    so::Borrar(carpeta_ / kDiario);
}

void RecuperarDirectorioTrabajo(const fs::path& directorio)
{
    const fs::path carpeta = directorio / kCarpeta;
    if (!Existe(carpeta))
        return;
    const std::vector<Paso> pasos = LeerDiario(carpeta / kDiario);
    int error = 0;
    for (const Paso& p : pasos)
        if ((error = Aplicar(directorio, carpeta, p)) != 0)
            break;
    if (error == 0 && !pasos.empty())
        error = so::VolcarCarpeta(directorio);
    if (error == 0)
        error = Limpiar(carpeta);
    if (error != 0)
        throw Error(Formatear("No se puede completar la exportación interrumpida en '%s': %s",
                              {directorio.string(), so::Motivo(error)}));
}

}  // namespace thn
