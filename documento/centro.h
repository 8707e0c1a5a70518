// SPDX-License-Identifier: EUPL-1.2
#pragma once
// documento/: the centre document, read and written on libxml2 (its only
// user), with its limits and the Spanish reasons of its parser.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

typedef struct _xmlNode xmlNode;
typedef struct _xmlDoc xmlDoc;

namespace thn {

namespace documento {
enum class Alcance;
}

class Elemento {
public:
    explicit Elemento(xmlNode* nodo, std::size_t posicion = 0) : nodo_(nodo), posicion_(posicion) {}
    std::string Nombre() const;
    bool TieneAtributo(std::string_view nombre) const;
    // Attribute text (UTF-8) trimmed of U+0020 and below at both ends.
    // An absent attribute fails with "Falta el atributo '%s' en el elemento %s número %s".
    std::string Atributo(std::string_view nombre) const;
    // Sets (or replaces) an attribute; new attributes go after the existing ones.
    void PonerAtributo(std::string_view nombre, std::string_view valor_utf8);
    Elemento AnadirHijo(std::string_view nombre);  // appended as last child, no whitespace added
    xmlNode* Nodo() const { return nodo_; }
    std::size_t Posicion() const { return posicion_; }  // 1-based position in its selection

private:
    xmlNode* nodo_;
    std::size_t posicion_;
};

using ProductorHijos = std::function<bool(Elemento contenedor)>;

class DocumentoCentro {
public:
    // Loads with whatever encoding the document declares. No network, no
    // external entities, no DTD loading. A document that is not well-formed,
    // or whose root is not `centro`, is refused with an error naming the
    // file, the line and the parser's reason.
    static DocumentoCentro Cargar(const std::filesystem::path& ruta);
    // The same checks, but only the root element (with its attributes) and
    // what stands outside it are kept: for rebuilding the document.
    static DocumentoCentro CargarSoloRaiz(const std::filesystem::path& ruta);

    DocumentoCentro(DocumentoCentro&&) noexcept;
    DocumentoCentro& operator=(DocumentoCentro&&) noexcept;
    ~DocumentoCentro();

    // Elements of an absolute path such as "/centro/aulas/daula", in document order.
    std::vector<Elemento> Seleccionar(const std::string& ruta_absoluta) const;

    Elemento Raiz() const;
    // Removes the root element; what stands outside it stays.
    void QuitarRaiz();
    // Creates a root element `nombre`, placed as the document's last child.
    Elemento CrearRaiz(std::string_view nombre);

    // Saves keeping the prolog, comments and processing instructions outside
    // the root and the declared encoding; adds no whitespace. Written to a
    // temporary file in the same directory and then renamed.
    void Guardar(const std::filesystem::path& ruta) const;

    // Saves like Guardar, making `contenedor`'s children while writing: a
    // large result is never held whole in memory. `producir` is called until
    // it answers false; the children it adds each time are written and freed.
    void GuardarEnFlujo(const std::filesystem::path& ruta, const Elemento& contenedor,
                        const ProductorHijos& producir) const;

    const std::filesystem::path& Ruta() const { return ruta_; }

private:
    static DocumentoCentro Cargar(const std::filesystem::path& ruta, documento::Alcance alcance);
    DocumentoCentro(xmlDoc* doc, std::filesystem::path ruta);
    struct Liberar { void operator()(xmlDoc* d) const; };
    std::unique_ptr<xmlDoc, Liberar> doc_;
    std::filesystem::path ruta_;
};

}  // namespace thn
