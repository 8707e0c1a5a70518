// SPDX-License-Identifier: EUPL-1.2
#include "documento/xml.h"
#include "base/error.h"

#include <libxml/tree.h>

#include <string>

namespace thn::documento {

bool NombreEs(const xmlNode* nodo, std::string_view nombre)
{
    if (nodo->ns != nullptr && nodo->ns->prefix != nullptr) {
        const std::string_view prefijo(reinterpret_cast<const char*>(nodo->ns->prefix));
        if (nombre.size() <= prefijo.size() || nombre.substr(0, prefijo.size()) != prefijo
            || nombre[prefijo.size()] != ':')
            return false;
        nombre.remove_prefix(prefijo.size() + 1);
    }
    return nodo->name != nullptr && nombre == reinterpret_cast<const char*>(nodo->name);
}

void ComprobarNombre(std::string_view nombre, const char* que)
{
    const std::string n(nombre);
    // An embedded NUL would cut the name libxml2 sees.
    if (n.empty() || n.find('\0') != std::string::npos
        || xmlValidateQName(reinterpret_cast<const xmlChar*>(n.c_str()), 0) != 0)
        throw Error(Formatear("'%s' no es un nombre válido de %s XML", {n, que}));
}

}  // namespace thn::documento
