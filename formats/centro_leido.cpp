// SPDX-License-Identifier: EUPL-1.2
#include "formats/centro_leido.h"

#include "formats/documento_entrada.h"
#include "formats/documento_centro.h"
#include "formats/documento_errores_xml.h"
#include "formats/documento_xml.h"
#include "formats/error.h"

#include <libxml/xmlreader.h>

#include <memory>
#include <optional>

namespace thn {
namespace {

struct LiberarLector { void operator()(xmlTextReader* r) const { xmlFreeTextReader(r); } };

std::string Nombre(const xmlNode* n)
{
    return Elemento(const_cast<xmlNode*>(n)).Nombre();
}

}  // namespace

bool ElementoLeido::TieneAtributo(std::string_view nombre) const
{
    for (const auto& a : atributos_)
        if (*a.nombre == nombre)
            return true;
    return false;
}

std::string ElementoLeido::Atributo(std::string_view nombre) const
{
    for (const auto& a : atributos_) {
        if (*a.nombre != nombre)
            continue;
        if (a.demasiado_largo)
            throw Error(Formatear("El atributo '%s' del elemento %s número %s es demasiado largo al expandir sus entidades",
                                  {std::string(nombre), Nombre(), std::to_string(posicion_)}));
        return a.texto;
    }
    throw Error(Formatear("Falta el atributo '%s' en el elemento %s número %s",
                          {std::string(nombre), Nombre(), std::to_string(posicion_)}));
}

CentroLeido CentroLeido::Cargar(const std::filesystem::path& ruta, const std::vector<std::string>& rutas)
{
    documento::PrepararLibxml2();
    const std::string fichero = ruta.string();
    CentroLeido centro;
    for (const auto& r : rutas) {
        const std::string prefijo = "/centro/";
        if (r.compare(0, prefijo.size(), prefijo) != 0 || r.find('/', prefijo.size()) == std::string::npos)
            throw Error(Formatear("La ruta '%s' no es una ruta de sección del centro", {r}));
        centro.secciones_[r.substr(prefijo.size())];
    }

    documento::EntradaDocumento entrada(ruta);
    documento::RecogidaErroresXml errores;
    std::unique_ptr<xmlTextReader, LiberarLector> lector(
        xmlReaderForIO(documento::EntradaDocumento::Leer, nullptr, &entrada, fichero.c_str(), nullptr, documento::kOpcionesLectura));
    if (!lector)
        throw Error(Formatear("No se pudo leer el archivo '%s': %s", {fichero, "sin memoria"}));
    xmlTextReaderSetStructuredErrorHandler(
        lector.get(),
        [](void* recogida, xmlErrorPtr error) {
            if (error)
                static_cast<documento::RecogidaErroresXml*>(recogida)->Recibir(*error);
        },
        &errores);

    std::string raiz, seccion;
    int leido = 0;
    while ((leido = xmlTextReaderRead(lector.get())) == 1) {
        if (xmlTextReaderNodeType(lector.get()) != XML_READER_TYPE_ELEMENT)
            continue;
        const int profundidad = xmlTextReaderDepth(lector.get());
        xmlNode* nodo = xmlTextReaderCurrentNode(lector.get());
        if (profundidad == 0) {
            raiz = Nombre(nodo);
        } else if (profundidad == 1) {
            seccion = Nombre(nodo);
        } else if (profundidad == 2 && raiz == "centro") {
            const auto it = centro.secciones_.find(seccion + "/" + Nombre(nodo));
            if (it == centro.secciones_.end())
                continue;
            ElementoLeido e;
            e.nombre_ = &*centro.nombres_.insert(Nombre(nodo)).first;
            e.posicion_ = it->second.size() + 1;
            // Each attribute read where it stands, not looked up by name:
            // the cost stays linear in the element's attributes.
            for (const xmlAttr* a = nodo->properties; a != nullptr; a = a->next) {
                const std::string nombre = Nombre(reinterpret_cast<const xmlNode*>(a));
                ElementoLeido::Atributo_ atributo{&*centro.nombres_.insert(nombre).first, {}};
                if (std::optional<std::string> texto = documento::TextoAtributo(a))
                    atributo.texto = std::move(*texto);
                else
                    atributo.demasiado_largo = true;  // reported when a conversion reads it
                e.atributos_.push_back(std::move(atributo));
            }
            it->second.push_back(std::move(e));
        }
    }
    entrada.Comprobar();
    if (leido != 0 || raiz.empty())
        throw Error(Formatear("El archivo '%s' no es un documento XML válido (%s)",
                              {fichero, errores.HayError() ? errores.Motivo() : "no contiene ningún elemento"}));
    if (raiz != "centro")
        throw Error(Formatear("El elemento raíz de '%s' es '%s', no 'centro'", {fichero, raiz}));
    return centro;
}

const std::vector<ElementoLeido>& CentroLeido::Seleccionar(const std::string& ruta) const
{
    const std::string prefijo = "/centro/";
    const auto it = ruta.compare(0, prefijo.size(), prefijo) == 0 ? secciones_.find(ruta.substr(prefijo.size()))
                                                                   : secciones_.end();
    if (it == secciones_.end())
        throw Error(Formatear("La ruta '%s' no se leyó del documento", {ruta}));
    return it->second;
}

}  // namespace thn
