#include "formats/documento_archivo.h"
#include "formats/documento_errores_xml.h"
#include "formats/documento_xml.h"

#include <libxml/xmlsave.h>

namespace thn::documento {

namespace {

int EscribirBloque(void* contexto, const char* datos, int tamano)
{
    auto* reemplazo = static_cast<ReemplazoAtomico*>(contexto);
    return reemplazo->Escribir(datos, static_cast<std::size_t>(tamano)) ? tamano : -1;
}

// A loaded document without an XML declaration keeps standalone at -1; one
// with a declaration has -2 (not given), 0 or 1.
bool TeniaDeclaracion(const xmlDoc* doc) { return doc->standalone != -1; }

}  // namespace

void EscribirXml(xmlDoc* doc, const std::filesystem::path& ruta)
{
    ReemplazoAtomico reemplazo(ruta);
    RecogidaErroresXml errores;

    // No XML_SAVE_FORMAT: the content is written as it stands, without
    // indentation. Characters the declared encoding cannot hold are written
    // by libxml2 as character references.
    const int opciones = TeniaDeclaracion(doc) ? 0 : XML_SAVE_NO_DECL;
    const char* codificacion = reinterpret_cast<const char*>(doc->encoding);
    xmlSaveCtxtPtr guardado = xmlSaveToIO(EscribirBloque, nullptr, &reemplazo, codificacion, opciones);
    if (guardado == nullptr)
        reemplazo.Fallar(errores.HayError() ? errores.Mensaje()
                                            : "no se puede escribir en la codificación "
                                                  + std::string(codificacion != nullptr ? codificacion : "UTF-8"));
    const long escrito = xmlSaveDoc(guardado, doc);
    const int cerrado = xmlSaveClose(guardado);
    if (!reemplazo.MotivoEscritura().empty())
        reemplazo.Fallar(reemplazo.MotivoEscritura());
    if (escrito < 0 || cerrado < 0 || errores.HayError())
        reemplazo.Fallar(errores.HayError() ? errores.Mensaje() : "error al escribir el documento");
    reemplazo.Confirmar();
}

}  // namespace thn::documento
