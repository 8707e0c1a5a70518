// SPDX-License-Identifier: EUPL-1.2
#include "documento/centro_leido.h"

#include "documento/entrada.h"
#include "documento/centro.h"
#include "documento/errores_xml.h"
#include "documento/xml.h"
#include "base/error.h"

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

std::size_t Linea(const xmlNode* n)
{
    const long linea = xmlGetLineNo(n);
    return linea > 0 ? static_cast<std::size_t>(linea) : 0;
}

// "/centro/datos/materias"
std::string RutaDe(const xmlNode* n)
{
    std::string ruta;
    for (; n != nullptr && n->type == XML_ELEMENT_NODE; n = n->parent)
        ruta = "/" + Nombre(n) + ruta;
    return ruta;
}

// The kinds the export reads: element name -> its section.
using Clases = std::unordered_map<std::string, std::string>;

// Whether an element of a kind the export reads, met anywhere but in its
// section straight under the root, is one the export passes over: under the
// root itself, in a section of its own name elsewhere, or in another kind's
// section. Anywhere else it is other data (a group's teacher, say).
bool FueraDeSitio(const Clases& clases, const std::string& seccion, const xmlNode* nodo, int profundidad)
{
    if (profundidad == 1)
        return true;
    const std::string padre = Nombre(nodo->parent);
    if (padre == seccion)
        return true;
    if (profundidad != 2)
        return false;
    for (const auto& [elemento, s] : clases)
        if (s == padre)
            return true;
    return false;
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
    Clases clases;
    for (const auto& r : rutas) {
        const std::string prefijo = "/centro/";
        const std::size_t barra = r.find('/', prefijo.size());
        if (r.compare(0, prefijo.size(), prefijo) != 0 || barra == std::string::npos)
            throw Error(Formatear("La ruta '%s' no es una ruta de sección del centro", {r}));
        centro.secciones_[r.substr(prefijo.size())];
        clases[r.substr(barra + 1)] = r.substr(prefijo.size(), barra - prefijo.size());
    }
    const xmlNode* ultimo_contenedor = nullptr;

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
        }
        if (profundidad == 0 || raiz != "centro")
            continue;
        const std::string nombre = Nombre(nodo);
        const auto clase = clases.find(nombre);
        if (clase == clases.end())
            continue;
        if (profundidad != 2 || seccion != clase->second) {
            if (!FueraDeSitio(clases, clase->second, nodo, profundidad))
                continue;
            if (nodo->parent == ultimo_contenedor && centro.fuera_de_lugar_.back().elemento == nombre) {
                ++centro.fuera_de_lugar_.back().elementos;
            } else {
                centro.fuera_de_lugar_.push_back(
                    {RutaDe(nodo->parent), nombre, "/centro/" + clase->second + "/" + nombre, Linea(nodo), 1});
                ultimo_contenedor = nodo->parent;
            }
            continue;
        }
        auto& lista = centro.secciones_.find(seccion + "/" + nombre)->second;
        ElementoLeido e;
        e.nombre_ = &*centro.nombres_.insert(nombre).first;
        e.posicion_ = lista.size() + 1;
        e.linea_ = Linea(nodo);
        // Each attribute read where it stands, not looked up by name:
        // the cost stays linear in the element's attributes.
        for (const xmlAttr* a = nodo->properties; a != nullptr; a = a->next) {
            const std::string nombre_atributo = Nombre(reinterpret_cast<const xmlNode*>(a));
            ElementoLeido::Atributo_ atributo{&*centro.nombres_.insert(nombre_atributo).first, {}};
            if (std::optional<std::string> texto = documento::TextoAtributo(a))
                atributo.texto = std::move(*texto);
            else
                atributo.demasiado_largo = true;  // reported when a conversion reads it
            e.atributos_.push_back(std::move(atributo));
        }
        lista.push_back(std::move(e));
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
