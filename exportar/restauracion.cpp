// SPDX-License-Identifier: EUPL-1.2
#include "exportar/restauracion.h"

#include "base/error.h"
#include "trabajo/en_carpeta.h"
#include "trabajo/sesion.h"
#include "trabajo/tablas.h"

#include <algorithm>

namespace thn {
namespace fs = std::filesystem;
namespace {

// The set's files in the staging folder as the new tables, table by table.
// A table the set does not hold stays as it is; its index alone is never
// put back over a table it does not belong to.
std::vector<TablaPreparada> PrepararConjunto(const Preparacion& preparacion, const ConjuntoGuardado& conjunto,
                                             const std::vector<std::string>& contenidos)
{
    std::vector<TablaPreparada> tablas;
    std::size_t nuevas = 0;
    for (const DefinicionTabla* t : TablasExportadas()) {
        TablaPreparada tabla{t->nombre, t->borrar_indice};
        std::vector<std::size_t> indices;
        for (std::size_t i = 0; i < conjunto.ficheros.size(); ++i)
            if (TablaExportadaDe(conjunto.ficheros[i].nombre, true) == t->nombre)
                indices.push_back(i);
        // The data file first: staged as NAME.DBF, it marks the table as one to replace.
        std::stable_partition(indices.begin(), indices.end(), [&](std::size_t i) {
            return TablaExportadaDe(conjunto.ficheros[i].nombre, false).has_value();
        });
        if (indices.empty() || !TablaExportadaDe(conjunto.ficheros[indices.front()].nombre, false))
            continue;
        for (std::size_t i : indices) {
            const std::string dentro = tabla.poner.empty() ? std::string(t->nombre) + ".DBF" : NombreNuevo(nuevas++);
            if (const int error = EscribirEnCarpeta(preparacion.CarpetaAbierta(), dentro, contenidos[i]))
                throw Error(Formatear("No se pueden preparar las tablas guardadas en '%s': %s",
                                      {preparacion.Carpeta().string(), so::Motivo(error)}));
            tabla.poner.emplace_back(dentro, conjunto.ficheros[i].nombre);
            tabla.borrar_indice = tabla.borrar_indice || !TablaExportadaDe(conjunto.ficheros[i].nombre, false);
        }
        tablas.push_back(std::move(tabla));
    }
    return tablas;
}

Error SinConjunto(const std::string& nombre)
{
    if (nombre.empty())
        return Error("No hay exportaciones anteriores guardadas");
    return Error(Formatear("No hay ninguna exportación anterior guardada con la fecha '%s'", {nombre}),
                 "Vea las que hay con: transhoralianorvica-cli anteriores");
}

std::string ElegirConjunto(const so::Carpeta& anteriores, const std::string& nombre)
{
    if (nombre.empty())
        if (const auto reciente = ConjuntoMasReciente(anteriores))
            return *reciente;
    bool existe = false;
    if (!nombre.empty() && EsNombreConjunto(nombre) && so::ExisteEn(anteriores, nombre, existe) == 0 && existe)
        return nombre;
    throw SinConjunto(nombre);
}

void Poner(const fs::path& directorio, const std::string& nombre, ResultadoAccion& resultado, EstadoTablas& estado)
{
    SesionTrabajo sesion(directorio, estado);
    Preparacion preparacion(directorio, estado);
    so::Carpeta anteriores;
    if (!AbrirAnteriores(directorio, anteriores))
        throw SinConjunto(nombre);
    std::vector<std::string> contenidos;
    const ConjuntoGuardado conjunto = ComprobarConjunto(anteriores, ElegirConjunto(anteriores, nombre), contenidos);
    const std::vector<TablaPreparada> tablas = PrepararConjunto(preparacion, conjunto, contenidos);
    preparacion.ComprobarTablasLibres(tablas);
    preparacion.Confirmar(tablas);
    // Back in place, the set is no longer kept; what it replaced is.
    BorrarConjunto(anteriores, conjunto.nombre);
    GuardarSustituidas(preparacion, "restaurar", conjunto.nombre, resultado);
    resultado.informe.recuentos = RecuentosConjunto(conjunto);
}

}  // namespace

std::vector<Recuento> RecuentosConjunto(const ConjuntoGuardado& conjunto)
{
    std::vector<Recuento> recuentos;
    for (const FicheroGuardado& f : conjunto.ficheros)
        if (f.registros)
            recuentos.push_back({*TablaExportadaDe(f.nombre, false), *f.registros});
    return recuentos;
}

void GuardarSustituidas(const Preparacion& preparacion, const std::string& accion, const std::string& documento,
                        ResultadoAccion& resultado, DescripcionesPrevias* previas)
{
    try {
        resultado.anteriores =
            GuardarConjunto(preparacion.CarpetaAbierta(), preparacion.Apartadas(), accion, documento, previas);
    } catch (const Error& e) {
        resultado.aviso_anteriores = e.what();
    }
}

std::vector<ConjuntoGuardado> ListarAnteriores(const fs::path& directorio)
{
    BloqueoTrabajo bloqueo(directorio);
    so::Carpeta anteriores;
    if (!AbrirAnteriores(directorio, anteriores))
        return {};
    return LeerConjuntos(anteriores);
}

ResultadoAccion Restaurar(const fs::path& directorio, const std::string& nombre)
{
    ResultadoAccion resultado;
    EstadoTablas estado;
    try {
        Poner(directorio, nombre, resultado, estado);
    } catch (const Error& e) {
        throw ConNotaTablas(e, estado);
    }
    return resultado;
}

}  // namespace thn
