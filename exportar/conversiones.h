// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The seven conversions of the export, run in this order by Exportar.

#include "exportar/contexto.h"

namespace thn {

void TransformarMaterias(ContextoExportacion& c);     // subjects: rebuilds ASIGNOMT
void TransformarTareas(ContextoExportacion& c);       // activities: appended to ASIGNOMT
void TransformarProfesores(ContextoExportacion& c);   // PROFT
void TransformarAulas(ContextoExportacion& c);        // AULAT
void TransformarGrupos(ContextoExportacion& c);       // GRUPOST
void TransformarTramos(ContextoExportacion& c);       // DIASHORAST
void TransformarAsignaturas(ContextoExportacion& c);  // ASIGT

// The sections of the document that the conversions read, with the
// attributes each reads.
CentroLeido LeerCentro(const std::filesystem::path& documento);

// Elements of the kinds the export reads, found where it does not read
// them: left out, so they go to the report.
void AnotarFueraDeLugar(const CentroLeido& doc, Informe& informe);

// The seven conversions, in order, into c.directorio; the code registries
// are emptied first and the table components closed on every path.
void EjecutarConversiones(ContextoExportacion& c);

}  // namespace thn
