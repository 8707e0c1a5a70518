// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Internal to the table engine: a table's layout (version, lengths, fields)
// as read from its header. The reader checks every length against the file
// before anything uses it, so that the rest of the engine can index records
// without further checks.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace thn::dbf::detalle {

// How a field's bytes are decoded.
enum class Clase {
    Texto,      // C
    Numerico,   // N, F: ASCII number
    Logico,     // L
    Fecha,      // D: YYYYMMDD, passed through as text
    Entero7,    // level-7 I and +: BE XOR 0x80000000
    Doble7,     // level-7 O
    EnteroVfp,  // Visual FoxPro I: LE two's complement
    DobleVfp,   // Visual FoxPro B: LE double
    Moneda,     // Visual FoxPro Y: LE int64 = value × 10000
    Otro,       // M G B @ T 0 and anything else: stepped over by width
};

struct Campo {
    std::string nombre;
    char tipo = 'C';
    int ancho = 0;
    int decimales = 0;
    int desp = 0;                 // offset in the record (deletion flag = 0)
    unsigned char banderas = 0;   // FoxPro descriptor byte 18
    Clase clase = Clase::Otro;
    int bit_nulo = -1;            // VFP: bit in _NullFlags, -1 when not nullable
    bool autoincremento = false;  // level-7 '+'
    bool sistema = false;         // VFP system field (_NullFlags): hidden from users
    std::size_t descriptor = 0;   // offset of the descriptor in the header
};

struct HashTexto {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};
using MapaTexto = std::unordered_map<std::string, std::size_t, HashTexto, std::equal_to<>>;

struct Estructura {
    std::string tabla;  // the file's path as text, for messages
    unsigned char version = 0;
    bool nivel7 = false;
    bool vfp = false;
    std::size_t long_cabecera = 0;
    std::size_t long_registro = 0;
    std::size_t registros = 0;  // the header's count; the file holds at least that many
    std::vector<Campo> campos;
    int campo_nulos = -1;       // index of VFP _NullFlags, -1 when absent
    MapaTexto nombres;          // upper-case name -> index in campos (user fields only)

    // The field named `nombre` (case-insensitive), or null.
    const Campo* Buscar(std::string_view nombre) const;
};

// Reads and checks the header of a whole table file `datos`; throws
// thn::Error naming `tabla` when the file is not a sound dBASE table.
// `principio`: the file's first bytes, its whole header at the least;
// `tamano`: the file's size, which must hold the records the header announces.
Estructura LeerEstructura(std::string_view principio, std::uint64_t tamano, const std::string& tabla);
// The records its header announces are not all in the file: only `presentes`.
[[noreturn]] void Incompleta(const Estructura& e, std::size_t presentes);

std::string Mayusculas(std::string_view s);

}  // namespace thn::dbf::detalle
