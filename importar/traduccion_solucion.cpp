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
      separador_(separador), informe_(informe), dia_(soluc.Campo("DIA")), hora_(soluc.Campo("HORA")),
      sesiones_(soluc.Campo("SESIONES")), codgrupo_(soluc.Campo("CODGRUPO")), asig_(soluc.Campo("ASIG")),
      tarea_(soluc.Campo("TAREA")), prof_(soluc.Campo("PROF")), aula_(soluc.Campo("AULA")),
      grupo_abrev_(grupos, "ABREV"), grupo_id_(grupos, "IDGRUPO"), grupo_idcurso_(grupos, "IDCURSO"),
      materia_cod_(materias, "COD"), materia_id_(materias, "IDASIG"), profesor_abrev_(profesores, "ABREV"),
      profesor_id_(profesores, "IDPROF"), aula_abrev_(aulas, "ABREV"), aula_id_(aulas, "IDAULA")
{
}

TraduccionSolucion::Campo::Campo(const dbf::Tabla& tabla, const char* nombre) : tabla_(tabla), nombre_(nombre)
{
    if (tabla.ExisteCampo(nombre))
        columna_ = tabla.Campo(nombre);
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
    if (materias_.Localizar(materia_cod_(), tarea))
        return materias_.LeerTexto(materia_id_());
    if (PrimerosAnsi(casig, 4) == tarea)
        return casig;
    return tarea;
}

std::optional<EntradaSolucion> TraduccionSolucion::Traducir()
{
    EntradaSolucion s;
    s.dia = soluc_.LeerEntero(dia_, separador_);
    if (s.dia == 0) {
        Omitir("sin_dia", "sin día (DIA 0): no se escribe");
        return std::nullopt;
    }
    if (soluc_.LeerNumero(hora_, separador_) == 0) {
        Omitir("sin_hora", "sin hora (HORA 0): no se escribe");
        return std::nullopt;
    }
    s.hora = soluc_.LeerTexto(hora_, separador_);
    s.sesiones = soluc_.LeerTexto(sesiones_, separador_);

    const std::string codgrupo = soluc_.LeerTexto(codgrupo_, separador_);
    if (grupos_.Localizar(grupo_abrev_(), codgrupo)) {
        s.cgrupo = grupos_.LeerTexto(grupo_id_());
        s.idcurso = grupos_.LeerTexto(grupo_idcurso_());
    } else {
        Aviso("grupo_inexistente", "GRUPOST", "ABREV", codgrupo);
    }
    const std::string asig = soluc_.LeerTexto(asig_, separador_);
    if (!materias_.Localizar(materia_cod_(), asig)) {
        Omitir("materia_inexistente", "la materia '" + DesdeAnsi(asig) + "' no está en ASIGNOMT: no se escribe");
        return std::nullopt;
    }
    s.casig = materias_.LeerTexto(materia_id_());
    s.cactiv = Actividad(soluc_.LeerTexto(tarea_, separador_), s.casig);
    const std::string prof = soluc_.LeerTexto(prof_, separador_);
    if (profesores_.Localizar(profesor_abrev_(), prof))
        s.cprofe = profesores_.LeerTexto(profesor_id_());
    else
        Aviso("profesor_inexistente", "PROFT", "ABREV", prof);
    const std::string aula = soluc_.LeerTexto(aula_, separador_);
    if (aulas_.Localizar(aula_abrev_(), aula))
        s.caula = aulas_.LeerTexto(aula_id_());
    else
        Aviso("aula_inexistente", "AULAT", "ABREV", aula);
    return s;
}

}  // namespace thn
