// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The tables an export or a restore replaced, kept so that the replacement
// can be undone: each set in a folder named after its local time
// ("2026-12-10_19-47-03") under the staging folder's "anteriores", with the
// files under the names they had and a description a person can read
// ("descripcion.txt": clave=valor lines, UTF-8). The description is put
// in place last, by a rename: a folder without one is a set whose keeping
// was cut short, or whose removal was, and goes at the next keeping.

#include "so/sistema.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace thn {

inline constexpr const char* kCarpetaAnteriores = "anteriores";
inline constexpr const char* kDescripcionConjunto = "descripcion.txt";
// A kept file is never larger: nor is any table Horalia or this program writes.
inline constexpr std::uint64_t kMaximoFicheroGuardado = std::uint64_t{1} << 31;

struct FicheroGuardado {
    std::string nombre;                       // as it was in the working directory: "asignomt.dbf"
    std::uint64_t tamano = 0;
    std::optional<std::uint32_t> registros;   // a table's, from its header; none for an index
    std::uint32_t crc32 = 0;
};

struct ConjuntoGuardado {
    std::string nombre;              // its folder: "2026-12-10_19-47-03", what restaurar takes
    std::filesystem::path carpeta;
    std::string fecha;               // "2026-12-10 19:47:03"
    std::string accion;              // what replaced them: "exportar" or "restaurar"
    std::string documento;           // exportar: the document exported; restaurar: the set put back
    std::string version;
    std::vector<FicheroGuardado> ficheros;
};

// "2026-12-10_19-47-03", or with "_2", "_3"... when that second is taken.
bool EsNombreConjunto(std::string_view nombre);

class DescripcionesPrevias;

// Moves the old files the replacement set aside in the staging folder
// ({name there, name in the working directory}) into a new set, describes
// it (with the descriptions `previas` made ahead, when there are any), and
// then leaves only the newest three. Returns the set's folder;
// when no table was set aside (at most stale indexes), nothing is kept.
// Throws Error when the set could not be kept whole; the replacement
// stands either way.
std::filesystem::path GuardarConjunto(const so::Carpeta& preparacion,
                                      const std::vector<std::pair<std::string, std::string>>& apartadas,
                                      const std::string& accion, const std::string& documento,
                                      DescripcionesPrevias* previas = nullptr);

// The newest set kept whole (its description in place), readable or not.
std::optional<std::string> ConjuntoMasReciente(const so::Carpeta& anteriores);

// The kept sets whose description can be read, newest first.
std::vector<ConjuntoGuardado> LeerConjuntos(const so::Carpeta& anteriores);

// The set `nombre`, checked file by file against its description; throws
// Error naming the first file missing or damaged. Fills `contenidos` with
// the files' bytes, in the description's order.
ConjuntoGuardado ComprobarConjunto(const so::Carpeta& anteriores, const std::string& nombre,
                                   std::vector<std::string>& contenidos);

// Removes a set, its description first; something at its name that is not
// a real folder is left alone.
int BorrarConjunto(const so::Carpeta& anteriores, const std::string& nombre);

}  // namespace thn
