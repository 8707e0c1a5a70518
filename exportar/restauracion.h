// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Undoing an export: the tables it replaced are kept (trabajo/anteriores.h)
// and a restore puts a kept set back with the export's own all-or-nothing
// replacement, keeping in turn the set it replaces.

#include "resultado/informe.h"
#include "trabajo/anteriores.h"
#include "trabajo/preparacion.h"

#include <filesystem>
#include <string>
#include <vector>

namespace thn {

// After a replacement: keeps the tables it set aside and says where in the
// result, or why they could not be kept (which does not fail the action).
// `previas`: their descriptions made ahead, if any.
void GuardarSustituidas(const Preparacion& preparacion, const std::string& accion, const std::string& documento,
                        ResultadoAccion& resultado, DescripcionesPrevias* previas = nullptr);

// The records of each table of a kept set, as its description gives them.
std::vector<Recuento> RecuentosConjunto(const ConjuntoGuardado& conjunto);

// The kept sets of the working directory, newest first; none is no error.
std::vector<ConjuntoGuardado> ListarAnteriores(const std::filesystem::path& directorio);

// Puts back the set `nombre` ("2026-12-10_19-47-03"; the newest when
// empty) whole, after checking every file against its description. Fails
// as an export does, and changes nothing when the set is damaged or absent.
ResultadoAccion Restaurar(const std::filesystem::path& directorio, const std::string& nombre);

}  // namespace thn
