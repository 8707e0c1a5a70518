// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The one pass that fills a CentroLeido: libxml2's parser with handlers of
// its own in place of the tree builder's. Names are compared as the parser's
// dictionary interns them, by address; values are copied once, trimmed,
// into their section's texts.

#include "documento/centro_leido.h"
#include "documento/errores_xml.h"

#include <libxml/parser.h>

#include <filesystem>
#include <string>
#include <vector>

namespace thn {

class LectorCentro {
public:
    explicit LectorCentro(CentroLeido& centro) : centro_(centro) {}
    // Fails as DocumentoCentro::Cargar does.
    void Leer(const std::filesystem::path& ruta);

private:
    // A name looked for: by address when it has no prefix.
    struct Nombre {
        std::string texto;
        const xmlChar* interno = nullptr;
        bool Es(const xmlChar* local, const xmlChar* prefijo) const;
    };
    // A kind of element the export reads, and its section.
    struct Clase {
        Nombre elemento, seccion;
        documento::SeccionLeida* destino;
        std::vector<Nombre> atributos;  // the destination's, in its order
    };
    struct Abierto {
        const xmlChar* local;
        const xmlChar* prefijo;
        std::size_t numero;  // its identity: elements started before it, and 1
    };
    // One attribute's value for the element being kept.
    struct Valor {
        std::string_view texto;
        std::string expandido;
        bool presente = false, demasiado_largo = false;
    };

    void Instalar(xmlParserCtxt* contexto, documento::RecogidaErroresXml& errores);
    void Empezar(const xmlChar* local, const xmlChar* prefijo, int atributos, const xmlChar** valores);
    const Clase* ClaseDe(const xmlChar* local, const xmlChar* prefijo) const;
    bool FueraDeSitio(const Clase& clase) const;
    void AnotarFueraDeLugar(const Clase& clase);
    void Guardar(const Clase& clase, int atributos, const xmlChar** valores);
    std::size_t Linea() const;

    static LectorCentro& De(void* contexto);
    static void Inicio(void* ctx, const xmlChar* local, const xmlChar* prefijo, const xmlChar* uri, int nns,
                       const xmlChar** ns, int natr, int ndef, const xmlChar** atr);
    static void Fin(void* ctx, const xmlChar* local, const xmlChar* prefijo, const xmlChar* uri);
    static void Caracteres(void* ctx, const xmlChar* texto, int largo);
    static void Blancos(void* ctx, const xmlChar* texto, int largo);
    static void Cdata(void* ctx, const xmlChar* texto, int largo);
    static void Comentario(void* ctx, const xmlChar* texto);
    static void Instruccion(void* ctx, const xmlChar* destino, const xmlChar* datos);
    static void Referencia(void* ctx, const xmlChar* nombre);
    static void ErrorXml(void* ctx, xmlErrorPtr error);

    CentroLeido& centro_;
    xmlParserCtxt* principal_ = nullptr;  // other contexts are entities' content being checked
    xmlSAXHandler original_{};
    documento::RecogidaErroresXml* errores_ = nullptr;
    std::vector<Clase> clases_;
    std::vector<Abierto> abiertos_;  // root first
    std::size_t empezados_ = 0;
    std::string raiz_;
    bool en_centro_ = false;
    std::size_t ultimo_contenedor_ = 0;
    std::vector<Valor> valores_;
};

}  // namespace thn
