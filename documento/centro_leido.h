// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The centre document as the export reads it: only the elements of the
// sections asked for, with their attribute texts, kept compactly. Read in one
// streaming pass, so a large centre costs a few times its size, not the
// tenfold of a full tree.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace thn {

class ElementoLeido {
public:
    struct Atributo_ {
        const std::string* nombre;  // interned
        std::string texto;          // trimmed UTF-8
        bool demasiado_largo = false;
    };

    const std::string& Nombre() const { return *nombre_; }
    std::size_t Posicion() const { return posicion_; }  // 1-based, within its path
    std::size_t Linea() const { return linea_; }        // of its start tag; 0 when unknown
    bool TieneAtributo(std::string_view nombre) const;
    // Same text and errors as Elemento::Atributo.
    std::string Atributo(std::string_view nombre) const;

private:
    friend class CentroLeido;
    const std::string* nombre_ = nullptr;
    std::size_t posicion_ = 0;
    std::size_t linea_ = 0;
    std::vector<Atributo_> atributos_;
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

class CentroLeido {
public:
    // Reads the document with the same rules and errors as
    // DocumentoCentro::Cargar, keeping the elements of the given absolute
    // paths of the form "/centro/section/element".
    static CentroLeido Cargar(const std::filesystem::path& ruta, const std::vector<std::string>& rutas);

    // The elements of one of those paths, in document order.
    const std::vector<ElementoLeido>& Seleccionar(const std::string& ruta) const;

    // In document order, one entry per run of them under one container.
    const std::vector<FueraDeLugar>& ElementosFueraDeLugar() const { return fuera_de_lugar_; }

private:
    std::unordered_set<std::string> nombres_;  // interned names: their addresses never move
    std::unordered_map<std::string, std::vector<ElementoLeido>> secciones_;  // "section/element"
    std::vector<FueraDeLugar> fuera_de_lugar_;
};

}  // namespace thn
