// SPDX-License-Identifier: EUPL-1.2
#include "documento/motivos_xml.h"

#include "base/error.h"

#include <string_view>

namespace thn::documento {
namespace {

struct Motivo {
    int codigo;
    const char* texto;  // %s: libxml2's first name (tag, attribute, entity, encoding), then its second
};

// Codes a document written by hand or by another program can raise.
constexpr Motivo kMotivos[] = {
    {XML_ERR_INTERNAL_ERROR, "el documento supera un límite del lector (anidamiento, tamaño de un texto o de un nombre)"},
    {XML_ERR_NAME_TOO_LONG, "un nombre supera el límite de longitud del lector"},
    {XML_ERR_NO_MEMORY, "no hay memoria suficiente para leer el documento"},
    {XML_ERR_DOCUMENT_EMPTY, "el documento está vacío"},
    {XML_ERR_DOCUMENT_START, "el documento no empieza por un elemento"},
    {XML_ERR_DOCUMENT_END, "hay contenido después del elemento raíz"},
    {XML_ERR_EXTRA_CONTENT, "hay contenido después del elemento raíz"},
    {XML_ERR_NOT_WELL_BALANCED, "el documento no está bien formado: los elementos no se cierran en orden"},
    {XML_ERR_TAG_NAME_MISMATCH, "la etiqueta de cierre '%s' no corresponde a la de apertura '%s'"},
    {XML_ERR_TAG_NOT_FINISHED, "el documento termina sin cerrar el elemento '%s'"},
    {XML_ERR_GT_REQUIRED, "una etiqueta no se cierra con '>'"},
    {XML_ERR_LTSLASH_REQUIRED, "falta la etiqueta de cierre"},
    {XML_ERR_LT_REQUIRED, "falta '<' al empezar una etiqueta"},
    {XML_ERR_NAME_REQUIRED, "falta un nombre (de elemento, de atributo o de entidad)"},
    {XML_ERR_SPACE_REQUIRED, "falta un espacio entre dos atributos"},
    {XML_ERR_EQUAL_REQUIRED, "falta '=' entre el nombre de un atributo y su valor"},
    {XML_ERR_ATTRIBUTE_NOT_STARTED, "el valor de un atributo no está entre comillas"},
    {XML_ERR_ATTRIBUTE_NOT_FINISHED, "el valor de un atributo no cierra sus comillas"},
    {XML_ERR_ATTRIBUTE_WITHOUT_VALUE, "el atributo '%s' no tiene valor"},
    {XML_ERR_ATTRIBUTE_REDEFINED, "el atributo '%s' está repetido"},
    {XML_NS_ERR_ATTRIBUTE_REDEFINED, "el atributo '%s' está repetido"},
    {XML_ERR_LT_IN_ATTRIBUTE, "el valor de un atributo contiene '<' (escríbalo como &lt;)"},
    {XML_ERR_STRING_NOT_STARTED, "falta la comilla de apertura de un texto"},
    {XML_ERR_STRING_NOT_CLOSED, "falta la comilla de cierre de un texto"},
    {XML_ERR_INVALID_CHAR, "un carácter no está permitido en XML o no está en la codificación declarada del documento"},
    {XML_ERR_INVALID_ENCODING, "el texto no está en la codificación declarada del documento"},
    {XML_ERR_UNSUPPORTED_ENCODING, "la codificación '%s' no se admite"},
    {XML_ERR_UNKNOWN_ENCODING, "la codificación del documento es desconocida"},
    {XML_ERR_ENCODING_NAME, "el nombre de la codificación no es válido"},
    {XML_ERR_INVALID_CHARREF, "una referencia a carácter (&#...;) no es válida"},
    {XML_ERR_INVALID_DEC_CHARREF, "una referencia a carácter (&#...;) no es válida"},
    {XML_ERR_INVALID_HEX_CHARREF, "una referencia a carácter (&#x...;) no es válida"},
    {XML_ERR_UNDECLARED_ENTITY, "la entidad '%s' no está declarada"},
    {XML_WAR_UNDECLARED_ENTITY, "la entidad '%s' no está declarada"},
    {XML_ERR_ENTITYREF_NO_NAME, "un '&' no va seguido del nombre de una entidad (escríbalo como &amp;)"},
    {XML_ERR_ENTITYREF_SEMICOL_MISSING, "falta ';' al final de una referencia a entidad"},
    {XML_ERR_ENTITY_LOOP, "una entidad se contiene a sí misma o crece sin medida"},
    {XML_ERR_ENTITY_BOUNDARY, "una entidad no está bien formada"},
    {XML_ERR_ENTITY_IS_EXTERNAL, "el documento usa una entidad externa, que no se lee"},
    {XML_ERR_UNPARSED_ENTITY, "el documento usa una entidad externa, que no se lee"},
    {XML_ERR_ENTITY_PROCESSING, "el documento usa una entidad externa, que no se lee"},
    {XML_ERR_COMMENT_NOT_FINISHED, "un comentario no termina"},
    {XML_ERR_CDATA_NOT_FINISHED, "una sección CDATA no termina"},
    {XML_ERR_PI_NOT_FINISHED, "una instrucción de proceso no termina"},
    {XML_ERR_XMLDECL_NOT_FINISHED, "la declaración XML no termina"},
    {XML_ERR_RESERVED_XML_NAME, "la declaración XML solo puede ir al principio del documento"},
    {XML_ERR_VERSION_MISSING, "falta la versión en la declaración XML"},
    {XML_ERR_DOCTYPE_NOT_FINISHED, "la declaración DOCTYPE no termina"},
    {XML_ERR_USER_STOP, "se dejó de leer el documento"},
    {XML_NS_ERR_UNDEFINED_NAMESPACE, "el prefijo de espacio de nombres '%s' no está declarado"},
    {XML_NS_ERR_QNAME, "un nombre con prefijo no es válido"},
};

}  // namespace

std::string MotivoXml(const xmlError& error)
{
    for (const Motivo& m : kMotivos) {
        if (m.codigo != error.code)
            continue;
        // A mismatched tag names the closing tag second; the others name one thing.
        const auto nombre = [](const char* s) { return std::string(s != nullptr ? s : "?"); };
        if (error.code == XML_ERR_TAG_NAME_MISMATCH)
            return Formatear(m.texto, {nombre(error.str2), nombre(error.str1)});
        return Formatear(m.texto, {nombre(error.str1)});
    }
    return error.message != nullptr ? std::string(error.message) : std::string("motivo desconocido");
}

}  // namespace thn::documento
