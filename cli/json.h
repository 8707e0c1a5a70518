// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The JSON answers' pieces: an action's report and a check, as the README's
// schema table gives them.

#include "resultado/comprobacion.h"
#include "resultado/informe.h"
#include "trabajo/anteriores.h"

#include <string>
#include <vector>

namespace thn::cli {

// A JSON string literal holding `texto` (UTF-8).
std::string JsonTexto(const std::string& texto);
// A JSON list of omissions: [{"elemento","posicion","codigo","donde","motivo"}].
std::string JsonOmisiones(const std::vector<Omision>& lista);
// The report's members as JSON, without braces, to go inside an object:
// "recuentos":[{"tabla","registros"}], "omisiones" and "avisos":
// [{"elemento","posicion","codigo","donde","motivo"}].
std::string JsonInforme(const Informe& informe);
// The check's members as JSON, without braces: JsonInforme's, then
// "cambios" (as "omisiones") and "problemas" (the same, with "atributo"
// and "linea", null when unknown).
std::string JsonComprobacion(const Comprobacion& c);
// The kept sets: [{"fecha","carpeta","accion","documento","recuentos":[{"tabla","registros"}]}].
std::string JsonConjuntos(const std::vector<ConjuntoGuardado>& conjuntos);

}  // namespace thn::cli
