// SPDX-License-Identifier: EUPL-1.2
#pragma once
// dbf/: the dBASE table engine. A dBASE table: the working tables' engine.
//
// Writes level 7 (field names up to 31 characters, Windows-1252 driver);
// reads dBASE III, IV, 5, 7 and FoxPro. Text crosses this interface as
// Windows-1252 bytes. Every failure throws thn::Error with a Spanish message
// that names the operation and the file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thn::dbf {

enum class TipoCampo { Caracter, Logico, Entero, Flotante };

struct DefinicionCampo {
    std::string nombre;  // upper case ASCII, up to 31 characters
    TipoCampo tipo;
    int ancho = 0;       // character fields only: 1 to 254
};

// SoloAnadir is exclusive access for appending only: posted records go to
// the file in blocks as they come and are not kept, so writing a table of any
// size costs one block of memory; nothing can be read back (navigation,
// reading and Localizar fail), and the file's earlier records stay as they are.
enum class Acceso { Compartido, Exclusivo, SoloAnadir };

// A field of one open table, found once by its name (Tabla::Campo): reading
// and writing through it skip the search by name, for a table read or
// written record after record. It belongs to the table object that gave it;
// used on any other, it fails.
class Columna {
private:
    friend class Tabla;
    friend class RegistrosAparte;
    Columna(const void* tabla, std::size_t indice) : tabla_(tabla), indice_(indice) {}
    const void* tabla_;
    std::size_t indice_;
};

class RegistrosAparte;
namespace detalle {
struct Molde;
}

class Tabla {
public:
    // Creates (replacing) the table file at `ruta` with the given fields and no records.
    static void Crear(const std::filesystem::path& ruta, const std::vector<DefinicionCampo>& campos);

    // Opens an existing table. Exclusive access takes an advisory lock that
    // fails while another table object or process holds the table; shared
    // access fails only while someone holds it exclusively.
    Tabla(const std::filesystem::path& ruta, Acceso acceso);
    ~Tabla();  // closes; never throws
    Tabla(Tabla&&) noexcept;
    Tabla& operator=(Tabla&&) noexcept;
    Tabla(const Tabla&) = delete;
    Tabla& operator=(const Tabla&) = delete;

    const std::filesystem::path& Ruta() const;
    bool Abierta() const;
    // Writes what was posted, updates the header, releases the lock. Idempotent.
    void Cerrar();

    // The field named `campo` (any letter case); fails like every access
    // by name when the table has none.
    Columna Campo(std::string_view campo) const;

    // Writing: Anadir starts a blank record (every field null/blank),
    // Poner* fill it, Grabar appends it at the end. A record started and not
    // posted is discarded.
    void Anadir();
    void PonerTexto(std::string_view campo, std::string_view ansi);  // cut to the width; also numbers from text
    void PonerTexto(Columna campo, std::string_view ansi);
    void PonerLogico(std::string_view campo, bool valor);
    void PonerLogico(Columna campo, bool valor);
    void PonerEntero(std::string_view campo, std::int32_t valor);
    void PonerEntero(Columna campo, std::int32_t valor);
    void PonerFlotante(std::string_view campo, double valor);
    void PonerFlotante(Columna campo, double valor);
    void PonerNulo(std::string_view campo);
    void Grabar();
    // Room for `registros` more appended records, when the caller knows how many.
    void Reservar(std::size_t registros);
    // Posts records made apart from this table, in their order, each as
    // Anadir, the same Poner calls and Grabar would have; a record started
    // here and not posted is discarded.
    void AnadirHechos(const RegistrosAparte& hechos);

    // Called by PonerTexto whenever it cuts a value to a character field's
    // width, with the field's name, the whole value and the width.
    using AvisoCorte = std::function<void(const std::string& campo, std::string_view ansi, std::size_t ancho)>;
    void AvisarCortes(AvisoCorte aviso);

    // Navigation over live (not deleted) records, in record order.
    void Primero();
    void Siguiente();
    bool Fin() const;
    std::size_t NumeroRegistros() const;   // live records
    std::size_t RegistroActual() const;    // 1-based physical record number of the current record

    // Reading the current record.
    bool ExisteCampo(std::string_view campo) const;
    bool EsNulo(std::string_view campo) const;
    // Character fields without trailing blanks; numbers in shortest decimal
    // form with `separador`; logical as "T"/"F"; empty when null.
    std::string LeerTexto(std::string_view campo, char separador = '.') const;
    std::string LeerTexto(Columna campo, char separador = '.') const;
    std::int32_t LeerEntero(std::string_view campo, char separador = '.') const;  // null reads as 0
    std::int32_t LeerEntero(Columna campo, char separador = '.') const;
    double LeerNumero(std::string_view campo, char separador = '.') const;        // null reads as 0
    double LeerNumero(Columna campo, char separador = '.') const;
    bool LeerLogico(std::string_view campo) const;

    // First live record, in record order, whose field's text equals `valor`
    // exactly; it becomes the current record. Costs O(1) after one pass.
    bool Localizar(std::string_view campo, std::string_view valor);
    bool Localizar(Columna campo, std::string_view valor);

    std::vector<DefinicionCampo> Campos() const;

private:
    struct Impl;
    friend class RegistrosAparte;
    // The layout records made apart copy: the open table's.
    std::shared_ptr<const detalle::Molde> Molde() const;
    // The index of `campo` among the open table's fields; fails for a column of another table.
    std::size_t Indice(Columna campo) const;
    std::unique_ptr<Impl> impl_;
};

}  // namespace thn::dbf
