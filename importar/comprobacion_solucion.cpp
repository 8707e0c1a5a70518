// SPDX-License-Identifier: EUPL-1.2
#include "importar/comprobacion_solucion.h"

#include "importar/medida_tablas.h"

#include "trabajo/componentes_tabla.h"
#include "trabajo/directorio.h"
#include "documento/centro.h"
#include "base/error.h"
#include "base/numeros.h"
#include "so/sistema.h"
#include "trabajo/preparacion.h"
#include "trabajo/sesion.h"
#include "trabajo/tablas.h"
#include "importar/importacion.h"
#include "importar/traduccion_solucion.h"

#include <chrono>
#include <ctime>
#include <optional>

namespace thn {
namespace fs = std::filesystem;
namespace {

void ComprobarRaiz(const fs::path& documento, Comprobacion& r)
{
    std::optional<DocumentoCentro> doc;
    try {
        doc.emplace(DocumentoCentro::CargarSoloRaiz(documento));
    } catch (const Error& e) {
        r.problemas.push_back(
            {"documento", 0, "documento_no_valido", "documento", e.what(), {}, LineaDelMensaje(e.what())});
        return;
    }
    const Elemento raiz = doc->Raiz();
    for (const char* atributo : {"codigo_interno", "nombre", "curso", "version"}) {
        try {
            raiz.Atributo(atributo);
        } catch (const Error& e) {
            r.problemas.push_back({"centro", 1, raiz.TieneAtributo(atributo) ? "atributo_demasiado_largo" : "falta_atributo",
                                   std::string("centro, atributo ") + atributo, e.what(), atributo, 0});
        }
    }
}

// Why a table the import opens could not be opened.
const char* Clase(const fs::path& directorio, const std::string& tabla)
{
    const auto ruta = BuscarFichero(directorio, tabla + ".DBF");
    if (!ruta)
        return "tabla_inexistente";
    return so::BloqueadoPorOtro(*ruta) ? "tabla_bloqueada" : "tabla_no_valida";
}

std::string Fecha(fs::file_time_type t)
{
    const std::time_t cuando = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(std::chrono::file_clock::to_sys(t)));
    char texto[32] = "";
    if (const std::tm* tm = std::localtime(&cuando))
        std::strftime(texto, sizeof texto, "%Y-%m-%d %H:%M:%S", tm);
    return texto;
}

// A SOLUC written before the last export was computed from other tables:
// its short codes may name other subjects, groups or teachers now.
void ComprobarFechas(ComponentesTabla& c, std::vector<Omision>& avisos)
{
    std::error_code ec;
    const auto soluc = fs::last_write_time(c.wwTableSoluc.Tabla().Ruta(), ec);
    if (ec)
        return;
    for (ComponenteTabla* t : {&c.wwTableNomAsg, &c.wwTableGrupos, &c.wwTableProfesor, &c.wwTableAulas}) {
        const auto tabla = fs::last_write_time(t->Tabla().Ruta(), ec);
        if (!ec && tabla > soluc) {
            avisos.push_back({"SOLUC", 0, "soluc_anterior", c.wwTableSoluc.Tabla().Ruta().string(),
                                      "SOLUC (" + Fecha(soluc) + ") es anterior a " + t->Nombre() + " ("
                                          + Fecha(tabla) + "): se calculó con otras tablas y sus códigos "
                                          "pueden no ser los de esta exportación"});
            return;
        }
    }
}

void ComprobarRegistros(ComponentesTabla& c, Comprobacion& r)
{
    dbf::Tabla& soluc = c.wwTableSoluc.Tabla();
    bool completa = true;
    for (const char* campo : CamposSoluc())
        if (!soluc.ExisteCampo(campo)) {
            r.problemas.push_back({"SOLUC", 0, "campo_inexistente", soluc.Ruta().string(), FaltaCampoSoluc(campo, soluc),
                                   campo, 0});
            completa = false;
        }
    if (!completa)
        return;
    TraduccionSolucion traduccion(soluc, c.wwTableGrupos.Tabla(), c.wwTableProfesor.Tabla(), c.wwTableAulas.Tabla(),
                                  c.wwTableNomAsg.Tabla(), SeparadorDecimalDelUsuario(), r.informe);
    std::size_t entradas = 0;
    for (soluc.Primero(); !soluc.Fin(); soluc.Siguiente()) {
        try {
            entradas += traduccion.Traducir() ? 1 : 0;
        } catch (const Error& e) {
            r.problemas.push_back({"SOLUC", soluc.RegistroActual(), "valor_no_valido",
                                   "SOLUC registro " + std::to_string(soluc.RegistroActual()), e.what(), {}, 0});
        }
    }
    r.informe.recuentos.push_back({"dsolucion", entradas});
}

}  // namespace

Comprobacion ComprobarSolucion(const fs::path& documento, const fs::path& directorio)
{
    Comprobacion r;
    r.accion = Comprobacion::Accion::Importacion;
    if (const auto ausente = EntradaAusente(documento, directorio)) {
        r.desenlace = Desenlace::FaltaEntrada;
        r.detalle = *ausente;
        return r;
    }
    ComprobarRaiz(documento, r);

    // Held as the import holds it, and read as the import will find it once
    // an unfinished export is settled, without settling it.
    std::optional<BloqueoTrabajo> bloqueo;
    Prevision prevision;
    try {
        bloqueo.emplace(directorio);
        prevision = PreverRecuperacion(directorio);
    } catch (const Error& e) {
        r.problemas.push_back({"directorio", 0, bloqueo ? "recuperacion_imposible" : "directorio_ocupado",
                               directorio.string(), e.what(), {}, 0});
        return r;
    }
    if (prevision.pendiente) {
        r.exportacion_a_medias = true;
        r.cambios.push_back({"directorio", 0, "exportacion_a_medias", directorio.string(),
                             "una exportación quedó a medias: la importación terminará de poner sus tablas antes de "
                             "leerlas, y se comprueban como quedarán"});
    }

    ComponentesTabla componentes;
    CierreComponentes cierre(componentes);
    bool abiertas = true;
    for (ComponenteTabla* c : {&componentes.wwTableSoluc, &componentes.wwTableGrupos, &componentes.wwTableProfesor,
                               &componentes.wwTableAulas, &componentes.wwTableNomAsg, &componentes.wwTableAsig}) {
        // Opened as the import opens them, so that what would stop it stops here;
        // reading them writes nothing.
        try {
            if (const auto nueva = prevision.nuevas.find(c->Nombre()); nueva != prevision.nuevas.end())
                c->AbrirFichero(nueva->second);
            else
                c->Abrir(directorio);
        } catch (const Error& e) {
            const fs::path ruta = RutaTabla(directorio, c->Nombre());
            r.problemas.push_back({c->Nombre(), 0, Clase(directorio, c->Nombre()), ruta.string(), e.what(), {}, 0});
            abiertas = false;
            continue;
        }
        AnotarSobrantes(c->Nombre(), c->Tabla().Ruta(), false, r.informe);
    }
    if (!abiertas)
        return r;
    ComprobarFechas(componentes, r.cambios);
    ComprobarRegistros(componentes, r);
    return r;
}

}  // namespace thn
