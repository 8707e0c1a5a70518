// SPDX-License-Identifier: EUPL-1.2
#include "documento/centro.h"
#include "documento/xml.h"
#include "base/error.h"
#include "base/texto.h"
#include "base/utf8.h"

#include <libxml/entities.h>
#include <libxml/tree.h>

namespace thn {
namespace {

std::string_view Texto(const xmlChar* s)
{
    return s != nullptr ? std::string_view(reinterpret_cast<const char*>(s)) : std::string_view();
}

// Attributes are looked up among the element's own, never among DTD
// defaults (xmlHasProp may return a declaration instead of an attribute).
xmlAttr* BuscarAtributo(xmlNode* nodo, std::string_view nombre)
{
    for (xmlAttr* a = nodo->properties; a != nullptr; a = a->next)
        if (documento::NombreEs(reinterpret_cast<xmlNode*>(a), nombre))
            return a;
    return nullptr;
}

// Entity references stay in the tree (entities are not substituted while
// parsing). An entity may refer to others, so the text can grow far beyond
// the document's size; beyond this it is refused rather than built.
constexpr std::size_t kMaximoExpandido = std::size_t{1} << 20;
constexpr int kMaximaProfundidad = 40;

bool Expandir(const xmlDoc* doc, const xmlNode* nodos, int profundidad, std::string& salida)
{
    if (profundidad > kMaximaProfundidad)
        return false;
    for (const xmlNode* n = nodos; n != nullptr; n = n->next) {
        if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
            const std::string_view parte = Texto(n->content);
            if (salida.size() + parte.size() > kMaximoExpandido)
                return false;
            salida += parte;
        } else if (n->type == XML_ENTITY_REF_NODE) {
            const xmlEntity* entidad = xmlGetDocEntity(doc, n->name);
            if (entidad == nullptr || entidad->etype != XML_INTERNAL_GENERAL_ENTITY)
                continue;  // external entities are never read
            if (!Expandir(doc, entidad->children, profundidad + 1, salida))
                return false;
        }
    }
    return true;
}

// Characters XML 1.0 can hold; anything else (C0 controls other than tab,
// newline and carriage return, U+FFFE, U+FFFF, malformed UTF-8) would make
// the saved document unreadable, so it becomes '?', as in table text.
std::string TextoXmlValido(std::string_view utf8)
{
    std::string salida;
    salida.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t inicio = i;
        const char32_t c = utf8::Siguiente(utf8, i);
        const bool valido = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
                            || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
        if (valido)
            salida.append(utf8.data() + inicio, i - inicio);
        else
            salida += '?';
    }
    return salida;
}

std::string Cadena(std::string_view s) { return std::string(s); }

}  // namespace

std::optional<std::string> documento::TextoDeNodos(const xmlDoc* doc, const xmlNode* nodos)
{
    if (nodos == nullptr)
        return std::string();
    // The usual case: one text node, read in place.
    if (nodos->type == XML_TEXT_NODE && nodos->next == nullptr)
        return std::string(Recortar(Texto(nodos->content)));
    std::string texto;
    if (!Expandir(doc, nodos, 0, texto))
        return std::nullopt;
    return std::string(Recortar(texto));
}

std::optional<std::string> documento::TextoAtributo(const xmlAttr* atributo)
{
    return TextoDeNodos(atributo->doc, atributo->children);
}

xmlNode* documento::NodosDeValor(xmlDoc* doc, const xmlChar* valor, const xmlChar* fin)
{
    return xmlStringLenGetNodeList(doc, valor, static_cast<int>(fin - valor));
}

std::string Elemento::Nombre() const
{
    std::string nombre;
    if (nodo_->ns != nullptr && nodo_->ns->prefix != nullptr) {
        nombre = Texto(nodo_->ns->prefix);
        nombre += ':';
    }
    nombre += Texto(nodo_->name);
    return nombre;
}

bool Elemento::TieneAtributo(std::string_view nombre) const
{
    return BuscarAtributo(nodo_, nombre) != nullptr;
}

std::string Elemento::Atributo(std::string_view nombre) const
{
    const xmlAttr* atributo = BuscarAtributo(nodo_, nombre);
    if (atributo == nullptr)
        throw Error(Formatear("Falta el atributo '%s' en el elemento %s número %s",
                              {Cadena(nombre), Nombre(), std::to_string(posicion_)}));
    std::optional<std::string> texto = documento::TextoAtributo(atributo);
    if (!texto)
        throw Error(Formatear("El atributo '%s' del elemento %s número %s es demasiado largo al expandir sus entidades",
                              {Cadena(nombre), Nombre(), std::to_string(posicion_)}));
    return std::move(*texto);
}

void Elemento::PonerAtributo(std::string_view nombre, std::string_view valor_utf8)
{
    documento::ComprobarNombre(nombre, "atributo");
    const std::string n(nombre);
    const std::string valor = TextoXmlValido(valor_utf8);
    // xmlSetProp stores the value as literal text ('&' stays '&') and keeps
    // the place of an attribute it replaces.
    if (xmlSetProp(nodo_, reinterpret_cast<const xmlChar*>(n.c_str()),
                   reinterpret_cast<const xmlChar*>(valor.c_str())) == nullptr)
        throw Error(Formatear("No se pudo poner el atributo '%s' en el elemento %s", {n, Nombre()}));
}

Elemento Elemento::AnadirHijo(std::string_view nombre)
{
    documento::ComprobarNombre(nombre, "elemento");
    const std::string n(nombre);
    xmlNode* hijo = xmlNewDocNode(nodo_->doc, nullptr, reinterpret_cast<const xmlChar*>(n.c_str()), nullptr);
    if (hijo == nullptr || xmlAddChild(nodo_, hijo) == nullptr) {
        xmlFreeNode(hijo);
        throw Error(Formatear("No se pudo añadir el elemento %s a %s", {n, Nombre()}));
    }
    return Elemento(hijo);
}

}  // namespace thn
