// SPDX-License-Identifier: EUPL-1.2
#include "importar/importacion.h"

#include "formats/directorio_trabajo.h"
#include "formats/documento_centro.h"
#include "formats/entrada_ausente.h"
#include "formats/error.h"
#include "formats/numeros.h"
#include "formats/sesion_trabajo.h"
#include "formats/texto.h"

#include <array>

namespace thn {
namespace {

constexpr std::array<const char*, 8> kCamposSoluc = {"DIA", "HORA", "SESIONES", "CODGRUPO",
                                                     "ASIG", "TAREA", "PROF", "AULA"};

// Text of the document that passes through the tables' code page on its way
// to the result: what the page cannot hold does not survive.
std::string PorLaPagina(const std::string& utf8)
{
    return DesdeAnsi(AAnsi(utf8));
}

// The activity of an entry: LECT and GUAR name the usual activities; a code
// of ASIGNOMT gives its identifier; the subject's own prefix gives the subject.
std::string Actividad(std::string tarea, const std::string& casig, dbf::Tabla& materias)
{
    if (tarea == "LECT")
        tarea = "LECTIVA";
    else if (tarea == "GUAR")
        tarea = "GUARDIA";
    if (materias.Localizar("COD", tarea))
        return materias.LeerTexto("IDASIG");
    if (PrimerosAnsi(casig, 4) == tarea)
        return casig;
    return tarea;
}

class Transferencia {
public:
    Transferencia(ComponentesTabla& c, char separador, Informe& informe)
        : soluc_(c.wwTableSoluc.Tabla()), grupos_(c.wwTableGrupos.Tabla()), profesores_(c.wwTableProfesor.Tabla()),
          aulas_(c.wwTableAulas.Tabla()), materias_(c.wwTableNomAsg.Tabla()), separador_(separador),
          informe_(informe)
    {
        for (const char* campo : kCamposSoluc)
            if (!soluc_.ExisteCampo(campo))
                throw Error(Formatear("Falta el campo '%s' en la tabla de solución '%s'",
                                      {campo, soluc_.Ruta().string()}));
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
            if (Entrada(c))
                ++escritas;
            soluc_.Siguiente();
            return !soluc_.Fin();
        });
        return escritas;
    }

private:
    std::string Donde() const { return "SOLUC registro " + std::to_string(soluc_.RegistroActual()); }

    void Omitir(const char* codigo, const std::string& motivo)
    {
        informe_.omisiones.push_back({"SOLUC", soluc_.RegistroActual(), codigo, Donde(), motivo});
    }

    void Aviso(const char* codigo, const std::string& tabla, const std::string& campo, const std::string& clave)
    {
        if (!clave.empty())
            informe_.avisos.push_back({"SOLUC", soluc_.RegistroActual(), codigo, Donde(), "ningún registro de " + tabla + " tiene " + campo + " '"
                                                    + DesdeAnsi(clave) + "'; el atributo queda vacío"});
    }

    bool Entrada(Elemento contenedor)
    {
        const std::int32_t dia = soluc_.LeerEntero("DIA", separador_);
        if (dia == 0) {
            Omitir("sin_dia", "sin día (DIA 0): no se escribe");
            return false;
        }
        if (soluc_.LeerNumero("HORA", separador_) == 0) {
            Omitir("sin_hora", "sin hora (HORA 0): no se escribe");
            return false;
        }
        const std::string hora = soluc_.LeerTexto("HORA", separador_);
        const std::string sesiones = soluc_.LeerTexto("SESIONES", separador_);

        std::string cgrupo, idcurso, casig, cprofe, caula;
        const std::string codgrupo = soluc_.LeerTexto("CODGRUPO", separador_);
        if (grupos_.Localizar("ABREV", codgrupo)) {
            cgrupo = grupos_.LeerTexto("IDGRUPO");
            idcurso = grupos_.LeerTexto("IDCURSO");
        } else {
            Aviso("grupo_inexistente", "GRUPOST", "ABREV", codgrupo);
        }
        const std::string asig = soluc_.LeerTexto("ASIG", separador_);
        if (!materias_.Localizar("COD", asig)) {
            Omitir("materia_inexistente", "la materia '" + DesdeAnsi(asig) + "' no está en ASIGNOMT: no se escribe");
            return false;
        }
        casig = materias_.LeerTexto("IDASIG");
        const std::string cactiv = Actividad(soluc_.LeerTexto("TAREA", separador_), casig, materias_);
        const std::string prof = soluc_.LeerTexto("PROF", separador_);
        if (profesores_.Localizar("ABREV", prof))
            cprofe = profesores_.LeerTexto("IDPROF");
        else
            Aviso("profesor_inexistente", "PROFT", "ABREV", prof);
        const std::string aula = soluc_.LeerTexto("AULA", separador_);
        if (aulas_.Localizar("ABREV", aula))
            caula = aulas_.LeerTexto("IDAULA");
        else
            Aviso("aula_inexistente", "AULAT", "ABREV", aula);

        Elemento e = contenedor.AnadirHijo("dsolucion");
        e.PonerAtributo("casig", DesdeAnsi(casig));
        e.PonerAtributo("cgrupo", DesdeAnsi(cgrupo));
        e.PonerAtributo("cprofe", DesdeAnsi(cprofe));
        e.PonerAtributo("caula", DesdeAnsi(caula));
        e.PonerAtributo("cactiv", DesdeAnsi(cactiv));
        e.PonerAtributo("dia", TextoDesdeEntero(dia));
        e.PonerAtributo("hora", DesdeAnsi(hora));
        e.PonerAtributo("sesiones", DesdeAnsi(sesiones));
        e.PonerAtributo("idcurso", DesdeAnsi(idcurso));
        return true;
    }

    dbf::Tabla& soluc_;
    dbf::Tabla& grupos_;
    dbf::Tabla& profesores_;
    dbf::Tabla& aulas_;
    dbf::Tabla& materias_;
    char separador_;
    Informe& informe_;
};

}  // namespace

std::filesystem::path RutaResultado(const std::filesystem::path& documento)
{
    return documento.parent_path() / ("ResultadoHoralia" + documento.filename().string());
}

ResultadoAccion Importar(const std::filesystem::path& documento, const std::filesystem::path& directorio,
                         ComponentesTabla& componentes, char separador, const Reloj& reloj)
{
    ResultadoAccion resultado;
    auto ausente = ArchivoAusente(documento);
    if (!ausente && !BuscarFichero(directorio, "SOLUC.DBF"))
        ausente = ArchivoAusente(directorio / "SOLUC.DBF").value_or("");
    if (ausente) {
        resultado.desenlace = Desenlace::FaltaEntrada;
        resultado.detalle = *ausente;
        return resultado;
    }

    SesionTrabajo sesion(directorio);
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

    Transferencia transferencia(componentes, separador, resultado.informe);
    resultado.resultado = RutaResultado(documento);
    resultado.informe.recuentos.push_back({"dsolucion", transferencia.Guardar(doc, solucion, resultado.resultado)});
    componentes.CerrarTodos();
    return resultado;
}

}  // namespace thn
