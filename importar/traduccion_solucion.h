// SPDX-License-Identifier: EUPL-1.2
#pragma once
// One SOLUC record translated back into NORVICA identifiers through the
// tables the export wrote: the import writes what this gives, and the
// check of a solution counts it, so both decide alike.

#include "dbf/tabla.h"
#include "resultado/informe.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace thn {

// The values of one `dsolucion`, as table text (Windows-1252).
struct EntradaSolucion {
    std::string casig, cgrupo, cprofe, caula, cactiv;
    std::int32_t dia = 0;
    std::string hora, sesiones, idcurso;
};

// The fields of SOLUC that the import reads.
const std::vector<const char*>& CamposSoluc();
// "Falta el campo 'DIA' en la tabla de solución '…'"
std::string FaltaCampoSoluc(const char* campo, const dbf::Tabla& soluc);

class TraduccionSolucion {
public:
    // The tables are open; SOLUC has every field of CamposSoluc.
    TraduccionSolucion(dbf::Tabla& soluc, dbf::Tabla& grupos, dbf::Tabla& profesores, dbf::Tabla& aulas,
                       dbf::Tabla& materias, char separador, Informe& informe);

    // SOLUC's current record, or nullopt when it is left out; what is left
    // out and the look-ups that find nothing go to the report. A value that
    // cannot be read throws Error.
    std::optional<EntradaSolucion> Traducir();

private:
    // A look-up table's field, found once; a table without it fails where
    // it is used, with the engine's error, as a search by name would.
    class Campo {
    public:
        Campo(const dbf::Tabla& tabla, const char* nombre);
        dbf::Columna operator()() const { return columna_ ? *columna_ : tabla_.Campo(nombre_); }

    private:
        const dbf::Tabla& tabla_;
        const char* nombre_;
        std::optional<dbf::Columna> columna_;
    };

    std::string Donde() const;
    void Omitir(const char* codigo, const std::string& motivo);
    void Aviso(const char* codigo, const std::string& tabla, const std::string& campo, const std::string& clave);
    std::string Actividad(std::string tarea, const std::string& casig);

    dbf::Tabla& soluc_;
    dbf::Tabla& grupos_;
    dbf::Tabla& profesores_;
    dbf::Tabla& aulas_;
    dbf::Tabla& materias_;
    char separador_;
    Informe& informe_;
    dbf::Columna dia_, hora_, sesiones_, codgrupo_, asig_, tarea_, prof_, aula_;
    Campo grupo_abrev_, grupo_id_, grupo_idcurso_, materia_cod_, materia_id_, profesor_abrev_, profesor_id_,
        aula_abrev_, aula_id_;
};

}  // namespace thn
