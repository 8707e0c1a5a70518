// SPDX-License-Identifier: EUPL-1.2
#include "importar/importacion.h"

#include "trabajo/directorio.h"
#include "documento/centro.h"
#include "documento/entrada_ausente.h"
#include "base/error.h"
#include "base/numeros.h"
#include "trabajo/sesion.h"
#include "base/texto.h"
#include "importar/medida_tablas.h"
#include "importar/traduccion_solucion.h"
#include "so/reemplazo.h"

#include <optional>

namespace thn {
namespace {

// Text of the document that passes through the tables' code page on its way
// to the result: what the page cannot hold does not survive.
std::string PorLaPagina(const std::string& utf8)
{
    return DesdeAnsi(AAnsi(utf8));
}

// SOLUC, once it is known to have every field the import reads.
dbf::Tabla& SolucCompleta(dbf::Tabla& soluc)
{
    for (const char* campo : CamposSoluc())
        if (!soluc.ExisteCampo(campo))
            throw Error(FaltaCampoSoluc(campo, soluc));
    return soluc;
}

class Transferencia {
public:
    Transferencia(ComponentesTabla& c, char separador, Informe& informe)
        : soluc_(SolucCompleta(c.wwTableSoluc.Tabla())),
          traduccion_(soluc_, c.wwTableGrupos.Tabla(), c.wwTableProfesor.Tabla(), c.wwTableAulas.Tabla(),
                      c.wwTableNomAsg.Tabla(), separador, informe)
    {
    }

    // Writes the result as it goes: each entry is written and freed as soon
    // as it is made, so a large solution never stands whole in memory.
    std::size_t Guardar(const DocumentoCentro& doc, const Elemento& contenedor, const std::filesystem::path& ruta)
    {
        std::size_t escritas = 0;
        soluc_.Primero();
        doc.GuardarEnFlujo(ruta, contenedor, [&](Elemento c) {
            if (soluc_.Fin())
                return false;
            if (const auto entrada = traduccion_.Traducir()) {
                Escribir(c, *entrada);
                ++escritas;
            }
            soluc_.Siguiente();
            return !soluc_.Fin();
        });
        return escritas;
    }

private:
    static void Escribir(Elemento contenedor, const EntradaSolucion& s)
    {
        Elemento e = contenedor.AnadirHijo("dsolucion");
        e.PonerAtributo("casig", DesdeAnsi(s.casig));
        e.PonerAtributo("cgrupo", DesdeAnsi(s.cgrupo));
        e.PonerAtributo("cprofe", DesdeAnsi(s.cprofe));
        e.PonerAtributo("caula", DesdeAnsi(s.caula));
        e.PonerAtributo("cactiv", DesdeAnsi(s.cactiv));
        e.PonerAtributo("dia", TextoDesdeEntero(s.dia));
        e.PonerAtributo("hora", DesdeAnsi(s.hora));
        e.PonerAtributo("sesiones", DesdeAnsi(s.sesiones));
        e.PonerAtributo("idcurso", DesdeAnsi(s.idcurso));
    }

    dbf::Tabla& soluc_;
    TraduccionSolucion traduccion_;
};

}  // namespace

std::filesystem::path RutaResultado(const std::filesystem::path& documento)
{
    return documento.parent_path() / ("ResultadoHoralia" + documento.filename().string());
}

std::optional<std::string> EntradaAusente(const std::filesystem::path& documento,
                                          const std::filesystem::path& directorio)
{
    auto ausente = ArchivoAusente(documento);
    if (!ausente && !BuscarFichero(directorio, "SOLUC.DBF"))
        ausente = ArchivoAusente(directorio / "SOLUC.DBF").value_or("");
    return ausente;
}

ResultadoAccion Importar(const std::filesystem::path& documento, const std::filesystem::path& directorio,
                         ComponentesTabla& componentes, char separador, const Reloj& reloj)
{
    ResultadoAccion resultado;
    if (const auto ausente = EntradaAusente(documento, directorio)) {
        resultado.desenlace = Desenlace::FaltaEntrada;
        resultado.detalle = *ausente;
        return resultado;
    }

    EstadoTablas estado;
    std::optional<SesionTrabajo> sesion;
    try {
        sesion.emplace(directorio, estado);
    } catch (const Error& e) {
        // Settling an interrupted export that failed half-way: say so.
        if (!estado.a_medias)
            throw;
        throw Error(e.what(), e.Detalle().empty() ? NotaTablas(estado) : e.Detalle() + "\n" + NotaTablas(estado));
    }
    CierreComponentes cierre(componentes);
    for (ComponenteTabla* c : {&componentes.wwTableSoluc, &componentes.wwTableGrupos, &componentes.wwTableProfesor,
                               &componentes.wwTableAulas, &componentes.wwTableNomAsg, &componentes.wwTableAsig})
        c->Abrir(directorio);

    DocumentoCentro doc = DocumentoCentro::CargarSoloRaiz(documento);
    const Elemento raiz = doc.Raiz();
    const std::string codigo_interno = PorLaPagina(raiz.Atributo("codigo_interno"));
    const std::string nombre = PorLaPagina(raiz.Atributo("nombre"));
    const std::string curso = PorLaPagina(raiz.Atributo("curso"));
    const std::string version = PorLaPagina(raiz.Atributo("version"));

    doc.QuitarRaiz();
    Elemento centro = doc.CrearRaiz("centro");
    centro.PonerAtributo("codigo_interno", codigo_interno);
    centro.PonerAtributo("nombre", nombre);
    centro.PonerAtributo("curso", curso);
    centro.PonerAtributo("fecha_exportacion", reloj.MarcaTemporal());
    centro.PonerAtributo("version", version);
    Elemento solucion = centro.AnadirHijo("solucion_horario");

    // Records past what a header announces are never read: they are listed.
    for (ComponenteTabla* c : {&componentes.wwTableSoluc, &componentes.wwTableGrupos, &componentes.wwTableProfesor,
                               &componentes.wwTableAulas, &componentes.wwTableNomAsg})
        AnotarSobrantes(c->Nombre(), c->Tabla().Ruta(), true, resultado.informe);
    Transferencia transferencia(componentes, separador, resultado.informe);
    resultado.resultado = RutaResultado(documento);
    so::BorrarTemporalesAbandonados(resultado.resultado);
    resultado.informe.recuentos.push_back({"dsolucion", transferencia.Guardar(doc, solucion, resultado.resultado)});
    componentes.CerrarTodos();
    return resultado;
}

}  // namespace thn
