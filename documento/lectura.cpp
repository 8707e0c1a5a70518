// SPDX-License-Identifier: EUPL-1.2
#include "documento/codificacion_xml.h"
#include "documento/entrada.h"
#include "documento/errores_xml.h"
#include "documento/xml.h"
#include "base/error.h"

#include <libxml/parser.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace thn::documento {
namespace fs = std::filesystem;

void LiberarDocXml::operator()(xmlDoc* d) const { xmlFreeDoc(d); }

namespace {

// Every external entity or DTD is refused, whatever its URL: the document
// itself comes through our own callbacks, so libxml2 needs to open nothing.
xmlParserInputPtr NingunaEntidadExterna(const char* /*url*/, const char* /*id*/, xmlParserCtxtPtr /*ctxt*/)
{
    return nullptr;
}

}  // namespace

void PrepararLibxml2()
{
    static std::once_flag una_vez;
    std::call_once(una_vez, [] {
        xmlInitParser();
        RegistrarWindows1252();
        xmlSetExternalEntityLoader(NingunaEntidadExterna);
    });
}

namespace {

// A document still in the context (parsing stopped by a failed read) goes with it.
struct LiberarContexto {
    void operator()(xmlParserCtxt* c) const
    {
        xmlFreeDoc(c->myDoc);
        xmlFreeParserCtxt(c);
    }
};

// Reading only the root: the parser still reads and checks the whole
// document, but nothing below the root element is built. The handlers of
// the tree builder are called only outside the root's content.
struct SoloRaiz {
    xmlSAXHandler original;
    RecogidaErroresXml* errores = nullptr;
    int profundidad = 0;

    static SoloRaiz& De(void* ctx) { return *static_cast<SoloRaiz*>(static_cast<xmlParserCtxt*>(ctx)->_private); }

    static void Inicio(void* ctx, const xmlChar* local, const xmlChar* prefijo, const xmlChar* uri, int nns,
                       const xmlChar** ns, int natr, int ndef, const xmlChar** atr)
    {
        SoloRaiz& s = De(ctx);
        if (s.profundidad++ == 0)
            s.original.startElementNs(ctx, local, prefijo, uri, nns, ns, natr, ndef, atr);
    }
    static void Fin(void* ctx, const xmlChar* local, const xmlChar* prefijo, const xmlChar* uri)
    {
        SoloRaiz& s = De(ctx);
        if (--s.profundidad == 0)
            s.original.endElementNs(ctx, local, prefijo, uri);
    }
    static void Caracteres(void* ctx, const xmlChar* texto, int largo)
    {
        if (De(ctx).profundidad == 0)
            De(ctx).original.characters(ctx, texto, largo);
    }
    static void Comentario(void* ctx, const xmlChar* texto)
    {
        if (De(ctx).profundidad == 0)
            De(ctx).original.comment(ctx, texto);
    }
    static void Instruccion(void* ctx, const xmlChar* destino, const xmlChar* datos)
    {
        if (De(ctx).profundidad == 0)
            De(ctx).original.processingInstruction(ctx, destino, datos);
    }
    static void Referencia(void* ctx, const xmlChar* nombre)
    {
        if (De(ctx).profundidad == 0)
            De(ctx).original.reference(ctx, nombre);
    }
    static void Nada(void*, const xmlChar*, int) {}

    static void Error(void* ctx, xmlErrorPtr error)
    {
        if (error != nullptr)
            De(ctx).errores->Recibir(*error);
    }

    // Takes the context's private slot, so it forwards the diagnostics too.
    void Instalar(xmlParserCtxt* ctxt, RecogidaErroresXml& recogida)
    {
        original = *ctxt->sax;
        errores = &recogida;
        ctxt->_private = this;
        ctxt->sax->serror = Error;
        ctxt->sax->startElementNs = Inicio;
        ctxt->sax->endElementNs = Fin;
        ctxt->sax->characters = Caracteres;
        ctxt->sax->ignorableWhitespace = Caracteres;
        ctxt->sax->cdataBlock = Nada;
        ctxt->sax->comment = Comentario;
        ctxt->sax->processingInstruction = Instruccion;
        ctxt->sax->reference = Referencia;
    }
};

}  // namespace

DocXml Analizar(const fs::path& ruta, const std::function<void(xmlParserCtxt*, RecogidaErroresXml&)>& preparar)
{
    PrepararLibxml2();
    EntradaDocumento entrada(ruta);
    const std::string& nombre = entrada.Nombre();

    // Fed block by block, as the streaming reader is: the parser then sees
    // the true end of the input and refuses whatever follows the root, a
    // NUL byte included.
    std::string_view bloque = entrada.Siguiente();
    const auto primeros = static_cast<int>(std::min<std::size_t>(bloque.size(), 4));  // enough to tell the encoding
    RecogidaErroresXml errores;
    std::unique_ptr<xmlParserCtxt, LiberarContexto> contexto(
        xmlCreatePushParserCtxt(nullptr, nullptr, bloque.data(), primeros, nombre.c_str()));
    if (!contexto)
        throw Error(Formatear("No se pudo leer el archivo '%s': %s", {nombre, "sin memoria"}));
    errores.Vigilar(contexto.get());
    xmlCtxtUseOptions(contexto.get(), kOpcionesLectura);
    preparar(contexto.get(), errores);

    bloque.remove_prefix(static_cast<std::size_t>(primeros));
    while (contexto->wellFormed) {
        if (!bloque.empty())
            xmlParseChunk(contexto.get(), bloque.data(), static_cast<int>(bloque.size()), 0);
        if (!contexto->wellFormed || (bloque = entrada.Siguiente()).empty())
            break;
    }
    entrada.Comprobar();
    const int resultado = xmlParseChunk(contexto.get(), nullptr, 0, 1);
    DocXml doc(contexto->myDoc);
    contexto->myDoc = nullptr;

    if (resultado != 0 || !contexto->wellFormed || !doc)
        throw Error(Formatear("El archivo '%s' no es un documento XML válido (%s)", {nombre, errores.Motivo()}));
    if (doc->URL == nullptr)
        doc->URL = xmlStrdup(reinterpret_cast<const xmlChar*>(nombre.c_str()));
    return doc;
}

DocXml LeerXml(const fs::path& ruta, Alcance alcance)
{
    SoloRaiz solo_raiz;
    return Analizar(ruta, [&](xmlParserCtxt* contexto, RecogidaErroresXml& errores) {
        if (alcance == Alcance::SoloRaiz)
            solo_raiz.Instalar(contexto, errores);
    });
}

}  // namespace thn::documento
