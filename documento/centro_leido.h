// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The centre document as the export reads it: only the elements of the
// sections asked for, and of them only the attributes the conversions read,
// kept compactly. Read in one streaming pass that builds no tree, so a large
// centre costs about its size, not the tenfold of a full tree.

#include "documento/crecible.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace thn {

namespace documento {
struct SeccionLeida;
}

class ElementoLeido {
public:
    const std::string& Nombre() const;
    std::size_t Posicion() const;                   // 1-based, within its path
    std::size_t Linea() const { return linea_; }  // of its start tag; 0 when unknown
    // Only for the attributes asked for when the document was read; asking
    // for any other is a fault of the caller, and fails.
    bool TieneAtributo(std::string_view nombre) const;
    // Same text and errors as Elemento::Atributo; valid while the document lives.
    std::string_view Atributo(std::string_view nombre) const;
    // The same by the attribute's place among those asked for
    // (CentroLeido::Lugar), for a conversion that reads many elements.
    std::string_view AtributoEn(std::size_t lugar) const;

private:
    friend class LectorCentro;
    const documento::SeccionLeida* seccion_ = nullptr;
    // Narrow, so that 100,000 elements take less memory to fill.
    std::uint32_t inicio_ = 0;  // where its values start in the section's texts
    std::uint32_t linea_ = 0;
};

// Elements of a kind the export reads, found where it does not look for
// them (a `dmateria` straight under `centro`, a `materias` section inside
// another element): the export passes over them.
struct FueraDeLugar {
    std::string contenedor;   // "/centro/datos/materias"
    std::string elemento;     // "dmateria"
    std::string ruta;         // where the export reads them: "/centro/materias/dmateria"
    std::size_t linea = 0;    // of the first of them
    std::size_t elementos = 0;
};

namespace documento {
// The elements of one path, the values of their attributes one after another.
struct SeccionLeida {
    std::string ruta;                    // "/centro/aulas/daula"
    std::string elemento;                // "daula"
    std::vector<std::string> atributos;  // those kept, in this order
    Crecible<char> textos;               // each element's kept values, trimmed, in that order
    // Per element and kept attribute: where its value ends, counted from
    // the element's first value, with the marks below.
    Crecible<std::uint32_t> fines;
    Crecible<ElementoLeido> elementos;

    static constexpr std::uint32_t kAusente = 1u << 31;
    static constexpr std::uint32_t kDemasiadoLargo = 1u << 30;  // its entities expand beyond reason
    static constexpr std::uint32_t kFin = kDemasiadoLargo - 1;
};
}  // namespace documento

class CentroLeido {
public:
    // A path of the form "/centro/section/element" and the attributes to keep.
    struct Seccion {
        std::string ruta;
        std::vector<std::string> atributos;
    };

    // Reads the document with the same rules and errors as
    // DocumentoCentro::Cargar, keeping the elements of the given paths.
    static CentroLeido Cargar(const std::filesystem::path& ruta, const std::vector<Seccion>& secciones);

    // The elements of one of those paths, in document order.
    std::span<const ElementoLeido> Seleccionar(const std::string& ruta) const;
    // The place of `atributo` among those kept for `ruta`.
    std::size_t Lugar(const std::string& ruta, std::string_view atributo) const;

    // In document order, one entry per run of them under one container.
    const std::vector<FueraDeLugar>& ElementosFueraDeLugar() const { return fuera_de_lugar_; }

private:
    friend class LectorCentro;
    // Their addresses never move: the elements point at their section.
    std::vector<std::unique_ptr<documento::SeccionLeida>> secciones_;
    std::vector<FueraDeLugar> fuera_de_lugar_;
};

}  // namespace thn
