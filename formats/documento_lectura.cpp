#include "formats/documento_archivo.h"
#include "formats/documento_errores_xml.h"
#include "formats/documento_xml.h"
#include "formats/error.h"

#include <libxml/parser.h>

#include <cerrno>
#include <mutex>

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
        xmlSetExternalEntityLoader(NingunaEntidadExterna);
    });
}

namespace {

struct LiberarContexto { void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); } };

}  // namespace

DocXml LeerXml(const fs::path& ruta)
{
    PrepararLibxml2();
    const std::string nombre = ruta.string();

    Archivo archivo = AbrirArchivo(ruta, "rb");
    if (!archivo) {
        const int error = errno;
        if (error == ENOENT)
            throw Error(Formatear("No existe el archivo '%s'", {nombre}));
        throw Error(Formatear("No se pudo abrir el archivo '%s': %s", {nombre, MotivoSistema(error)}));
    }
    EntradaArchivo entrada{archivo.get()};

    RecogidaErroresXml errores;
    std::unique_ptr<xmlParserCtxt, LiberarContexto> contexto(
        xmlCreateIOParserCtxt(nullptr, nullptr, LeerBloqueArchivo, nullptr, &entrada, XML_CHAR_ENCODING_NONE));
    if (!contexto)
        throw Error(Formatear("No se pudo leer el archivo '%s': %s", {nombre, "sin memoria"}));
    errores.Vigilar(contexto.get());
    xmlCtxtUseOptions(contexto.get(), kOpcionesLectura);

    const int resultado = xmlParseDocument(contexto.get());
    DocXml doc(contexto->myDoc);
    contexto->myDoc = nullptr;

    if (entrada.error != 0)
        throw Error(Formatear("No se pudo leer el archivo '%s': %s", {nombre, MotivoSistema(entrada.error)}));
    if (resultado != 0 || !contexto->wellFormed || !doc)
        throw Error(Formatear("El archivo '%s' no es un documento XML válido (%s)", {nombre, errores.Motivo()}));
    if (doc->URL == nullptr)
        doc->URL = xmlStrdup(reinterpret_cast<const xmlChar*>(nombre.c_str()));
    return doc;
}

}  // namespace thn::documento
