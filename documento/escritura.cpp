// SPDX-License-Identifier: EUPL-1.2
#include "documento/archivo.h"
#include "documento/errores_xml.h"
#include "documento/xml.h"

#include "documento/centro.h"
#include "base/error.h"

#include <libxml/HTMLtree.h>
#include <libxml/xmlsave.h>

#include <string>

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

namespace thn::documento {

namespace {

std::string NombreCompleto(const xmlNode* n)
{
    std::string r;
    if (n->ns != nullptr && n->ns->prefix != nullptr)
        r = std::string(reinterpret_cast<const char*>(n->ns->prefix)) + ":";
    return r + reinterpret_cast<const char*>(n->name);
}

// The element's start tag with its attributes, escaped as the whole
// document's saving would escape them; UTF-8, for the output's encoder.
std::string EtiquetaVacia(xmlDoc* doc, const xmlNode* nodo)
{
    xmlNode* copia = xmlDocCopyNode(const_cast<xmlNode*>(nodo), doc, 2);
    xmlBuffer* b = xmlBufferCreate();
    std::string r;
    if (copia != nullptr && b != nullptr && xmlNodeDump(b, doc, copia, 0, 0) >= 0)
        r.assign(reinterpret_cast<const char*>(xmlBufferContent(b)), static_cast<std::size_t>(xmlBufferLength(b)));
    xmlBufferFree(b);
    xmlFreeNode(copia);
    return r;  // "<name .../>", or empty when out of memory
}

// Whether `texto` is written as it stands inside an attribute's quotes:
// printable ASCII that needs no reference.
bool SinEscapar(const xmlChar* texto)
{
    for (; *texto != 0; ++texto)
        if (*texto < 0x20 || *texto > 0x7E || *texto == '&' || *texto == '<' || *texto == '>' || *texto == '"')
            return false;
    return true;
}

class Volcado {
public:
    Volcado(xmlDoc* doc, xmlOutputBuffer* salida, xmlNode* contenedor, const ProductorHijos& producir)
        : doc_(doc), salida_(salida), contenedor_(contenedor), producir_(producir)
    {
        codificacion_ = doc->encoding != nullptr ? reinterpret_cast<const char*>(doc->encoding) : nullptr;
        // libxml2 writes XHTML by other rules.
        const xmlDtd* dtd = xmlGetIntSubset(doc);
        xml_llano_ = (dtd == nullptr || !xmlIsXHTML(dtd->SystemID, dtd->ExternalID)) && xmlSaveNoEmptyTags == 0;
    }

    void Documento()
    {
        if (TeniaDeclaracion(doc_)) {
            std::string d = "<?xml version=\"";
            d += doc_->version != nullptr ? reinterpret_cast<const char*>(doc_->version) : "1.0";
            d += "\"";
            if (codificacion_ != nullptr)
                d += std::string(" encoding=\"") + codificacion_ + "\"";
            if (doc_->standalone == 0)
                d += " standalone=\"no\"";
            else if (doc_->standalone == 1)
                d += " standalone=\"yes\"";
            Escribir(d + "?>\n");
        }
        for (xmlNode* n = doc_->children; n != nullptr; n = n->next) {
            Nodo(n);
            Escribir("\n");
        }
    }

private:
    void Escribir(const std::string& utf8)
    {
        xmlOutputBufferWrite(salida_, static_cast<int>(utf8.size()), utf8.data());
    }

    bool Contiene(const xmlNode* n) const
    {
        for (const xmlNode* c = contenedor_; c != nullptr; c = c->parent)
            if (c == n)
                return true;
        return false;
    }

    void Nodo(xmlNode* n)
    {
        if (n->type != XML_ELEMENT_NODE || !Contiene(n)) {
            xmlNodeDumpOutput(salida_, doc_, n, 0, 0, codificacion_);
            return;
        }
        // "<name .../>"; under an XHTML document type, "<name ...></name>".
        // Attribute values have their '>' escaped: the first one ends the tag.
        const std::string vacia = EtiquetaVacia(doc_, n);
        const std::size_t cierre = vacia.find('>');
        if (cierre == std::string::npos || cierre == 0)
            throw Error("No se pudo escribir el elemento " + NombreCompleto(n) + ": sin memoria");
        const std::string inicio =
            vacia[cierre - 1] == '/' ? vacia.substr(0, cierre - 1) + ">" : vacia.substr(0, cierre + 1);
        bool abierto = false;
        auto abrir = [&] {
            if (!abierto)
                Escribir(inicio);
            abierto = true;
        };
        for (xmlNode* c = n->children; c != nullptr; c = c->next) {
            abrir();
            Nodo(c);
        }
        if (n == contenedor_) {
            // Each child is written and freed as soon as it is made.
            bool mas = true;
            while (mas) {
                mas = producir_(Elemento(n));
                while (xmlNode* c = n->children) {
                    abrir();
                    Hijo(c);
                    xmlUnlinkNode(c);
                    xmlFreeNode(c);
                }
            }
        }
        if (abierto)
            Escribir("</" + NombreCompleto(n) + ">");
        else
            Escribir(vacia);
    }

    // A child made by the producer, as xmlNodeDumpOutput writes it. The
    // usual one, an empty element whose attributes are plain text, is
    // written here: libxml2 would set up a saving context for each.
    void Hijo(xmlNode* c)
    {
        if (!Llano(c)) {
            xmlNodeDumpOutput(salida_, doc_, c, 0, 0, codificacion_);
            return;
        }
        etiqueta_ = "<";
        etiqueta_ += reinterpret_cast<const char*>(c->name);
        for (const xmlAttr* a = c->properties; a != nullptr; a = a->next) {
            etiqueta_ += ' ';
            etiqueta_ += reinterpret_cast<const char*>(a->name);
            etiqueta_ += "=\"";
            if (const xmlNode* t = a->children) {
                if (SinEscapar(t->content)) {
                    etiqueta_ += reinterpret_cast<const char*>(t->content);
                } else {
                    xmlBuffer* b = xmlBufferCreate();
                    if (b == nullptr)
                        throw Error("No se pudo escribir el elemento " + NombreCompleto(c) + ": sin memoria");
                    xmlAttrSerializeTxtContent(b, doc_, nullptr, t->content);
                    etiqueta_.append(reinterpret_cast<const char*>(xmlBufferContent(b)),
                                     static_cast<std::size_t>(xmlBufferLength(b)));
                    xmlBufferFree(b);
                }
            }
            etiqueta_ += '"';
        }
        etiqueta_ += "/>";
        Escribir(etiqueta_);
    }

    // No namespaces, no children, and attributes of one text each.
    bool Llano(const xmlNode* c) const
    {
        if (!xml_llano_ || c->type != XML_ELEMENT_NODE || c->children != nullptr || c->ns != nullptr
            || c->nsDef != nullptr)
            return false;
        for (const xmlAttr* a = c->properties; a != nullptr; a = a->next) {
            const xmlNode* t = a->children;
            if (a->ns != nullptr
                || (t != nullptr && (t->type != XML_TEXT_NODE || t->next != nullptr || t->content == nullptr)))
                return false;
        }
        return true;
    }

    xmlDoc* doc_;
    xmlOutputBuffer* salida_;
    xmlNode* contenedor_;
    const ProductorHijos& producir_;
    const char* codificacion_;
    bool xml_llano_;
    std::string etiqueta_;
};

}  // namespace

void EscribirXmlEnFlujo(xmlDoc* doc, const std::filesystem::path& ruta, xmlNode* contenedor,
                        const ProductorHijos& producir)
{
    ReemplazoAtomico reemplazo(ruta);
    RecogidaErroresXml errores;
    const char* codificacion = reinterpret_cast<const char*>(doc->encoding);
    xmlCharEncodingHandler* codificador = nullptr;
    if (codificacion != nullptr) {
        codificador = xmlFindCharEncodingHandler(codificacion);
        if (codificador == nullptr)
            reemplazo.Fallar("no se puede escribir en la codificación " + std::string(codificacion));
    }
    xmlOutputBuffer* salida = xmlOutputBufferCreateIO(EscribirBloque, nullptr, &reemplazo, codificador);
    if (salida == nullptr)
        reemplazo.Fallar("sin memoria");
    try {
        Volcado(doc, salida, contenedor, producir).Documento();
    } catch (...) {
        xmlOutputBufferClose(salida);
        throw;
    }
    const int cerrado = xmlOutputBufferClose(salida);
    if (!reemplazo.MotivoEscritura().empty())
        reemplazo.Fallar(reemplazo.MotivoEscritura());
    if (cerrado < 0 || errores.HayError())
        reemplazo.Fallar(errores.HayError() ? errores.Mensaje() : "error al escribir el documento");
    reemplazo.Confirmar();
}

}  // namespace thn::documento
