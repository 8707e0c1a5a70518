// SPDX-License-Identifier: EUPL-1.2
#include "importar/traduccion_solucion.h"

#include "base/error.h"
#include "base/texto.h"

namespace thn {

const std::vector<const char*>& CamposSoluc()
{
    static const std::vector<const char*> campos = {"DIA", "HORA", "SESIONES", "CODGRUPO",
                                                    "ASIG", "TAREA", "PROF", "AULA"};
    return campos;
}

std::string FaltaCampoSoluc(const char* campo, const dbf::Tabla& soluc)
{
    return Formatear("Falta el campo '%s' en la tabla de solución '%s'", {campo, soluc.Ruta().string()});
}

TraduccionSolucion::TraduccionSolucion(dbf::Tabla& soluc, dbf::Tabla& grupos, dbf::Tabla& profesores,
                                       dbf::Tabla& aulas, dbf::Tabla& materias, char separador, Informe& informe)
    : soluc_(soluc), grupos_(grupos), profesores_(profesores), aulas_(aulas), materias_(materias),
      separador_(separador), informe_(informe)
{
}

std::string TraduccionSolucion::Donde() const
{
    return "SOLUC registro " + std::to_string(soluc_.RegistroActual());
}

void TraduccionSolucion::Omitir(const char* codigo, const std::string& motivo)
{
    informe_.omisiones.push_back({"SOLUC", soluc_.RegistroActual(), codigo, Donde(), motivo});
}

void TraduccionSolucion::Aviso(const char* codigo, const std::string& tabla, const std::string& campo,
                               const std::string& clave)
{
    if (!clave.empty())
        informe_.avisos.push_back({"SOLUC", soluc_.RegistroActual(), codigo, Donde(), "ningún registro de " + tabla + " tiene " + campo + " '"
                                                + DesdeAnsi(clave) + "'; el atributo queda vacío"});
}

// The activity of an entry: LECT and GUAR name the usual activities; a code
// of ASIGNOMT gives its identifier; the subject's own prefix gives the subject.
std::string TraduccionSolucion::Actividad(std::string tarea, const std::string& casig)
{
    if (tarea == "LECT")
        tarea = "LECTIVA";
    else if (tarea == "GUAR")
        tarea = "GUARDIA";
    if (materias_.Localizar("COD", tarea))
        return materias_.LeerTexto("IDASIG");
    if (PrimerosAnsi(casig, 4) == tarea)
        return casig;
    return tarea;
}

std::optional<EntradaSolucion> TraduccionSolucion::Traducir()
{
    EntradaSolucion s;
    s.dia = soluc_.LeerEntero("DIA", separador_);
    if (s.dia == 0) {
        Omitir("sin_dia", "sin día (DIA 0): no se escribe");
        return std::nullopt;
    }
    if (soluc_.LeerNumero("HORA", separador_) == 0) {
        Omitir("sin_hora", "sin hora (HORA 0): no se escribe");
        return std::nullopt;
    }
    s.hora = soluc_.LeerTexto("HORA", separador_);
    s.sesiones = soluc_.LeerTexto("SESIONES", separador_);

    const std::string codgrupo = soluc_.LeerTexto("CODGRUPO", separador_);
    if (grupos_.Localizar("ABREV", codgrupo)) {
        s.cgrupo = grupos_.LeerTexto("IDGRUPO");
        s.idcurso = grupos_.LeerTexto("IDCURSO");
    } else {
        Aviso("grupo_inexistente", "GRUPOST", "ABREV", codgrupo);
    }
    const std::string asig = soluc_.LeerTexto("ASIG", separador_);
    if (!materias_.Localizar("COD", asig)) {
        Omitir("materia_inexistente", "la materia '" + DesdeAnsi(asig) + "' no está en ASIGNOMT: no se escribe");
        return std::nullopt;
    }
    s.casig = materias_.LeerTexto("IDASIG");
    s.cactiv = Actividad(soluc_.LeerTexto("TAREA", separador_), s.casig);
    const std::string prof = soluc_.LeerTexto("PROF", separador_);
    if (profesores_.Localizar("ABREV", prof))
        s.cprofe = profesores_.LeerTexto("IDPROF");
    else
        Aviso("profesor_inexistente", "PROFT", "ABREV", prof);
    const std::string aula = soluc_.LeerTexto("AULA", separador_);
    if (aulas_.Localizar("ABREV", aula))
        s.caula = aulas_.LeerTexto("IDAULA");
    else
        Aviso("aula_inexistente", "AULAT", "ABREV", aula);
    return s;
}

}  // namespace thn
