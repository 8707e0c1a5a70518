// SPDX-License-Identifier: EUPL-1.2
#include "documento/centro.h"

#include "documento/xml.h"
#include "base/error.h"

#include <libxml/tree.h>

namespace thn {

namespace {

// The steps of an absolute path of element names; a path of any other form
// is a fault of the caller.
std::vector<std::string_view> Pasos(const std::string& ruta)
{
    std::vector<std::string_view> pasos;
    std::string_view resto(ruta);
    if (resto.size() < 2 || resto.front() != '/')
        throw Error(Formatear("La ruta '%s' no es una ruta absoluta de elementos", {ruta}));
    while (!resto.empty()) {
        resto.remove_prefix(1);
        const std::size_t fin = resto.find('/');
        const std::string_view paso = resto.substr(0, fin);
        if (paso.empty())
            throw Error(Formatear("La ruta '%s' no es una ruta absoluta de elementos", {ruta}));
        pasos.push_back(paso);
        resto = fin == std::string_view::npos ? std::string_view() : resto.substr(fin);
    }
    return pasos;
}

}  // namespace

DocumentoCentro::DocumentoCentro(xmlDoc* doc, std::filesystem::path ruta) : doc_(doc), ruta_(std::move(ruta)) {}
DocumentoCentro::DocumentoCentro(DocumentoCentro&&) noexcept = default;
DocumentoCentro& DocumentoCentro::operator=(DocumentoCentro&&) noexcept = default;
DocumentoCentro::~DocumentoCentro() = default;

void DocumentoCentro::Liberar::operator()(xmlDoc* d) const { xmlFreeDoc(d); }

DocumentoCentro DocumentoCentro::Cargar(const std::filesystem::path& ruta)
{
    return Cargar(ruta, documento::Alcance::Todo);
}

DocumentoCentro DocumentoCentro::CargarSoloRaiz(const std::filesystem::path& ruta)
{
    return Cargar(ruta, documento::Alcance::SoloRaiz);
}

DocumentoCentro DocumentoCentro::Cargar(const std::filesystem::path& ruta, documento::Alcance alcance)
{
    documento::DocXml doc = documento::LeerXml(ruta, alcance);
    const xmlNode* raiz = xmlDocGetRootElement(doc.get());
    if (raiz == nullptr || !documento::NombreEs(raiz, "centro"))
        throw Error(Formatear("El elemento raíz de '%s' es '%s', no 'centro'",
                              {ruta.string(), raiz != nullptr ? Elemento(const_cast<xmlNode*>(raiz)).Nombre() : ""}));
    return DocumentoCentro(doc.release(), ruta);
}

std::vector<Elemento> DocumentoCentro::Seleccionar(const std::string& ruta_absoluta) const
{
    const std::vector<std::string_view> pasos = Pasos(ruta_absoluta);
    std::vector<xmlNode*> nivel;
    if (xmlNode* raiz = xmlDocGetRootElement(doc_.get()); raiz != nullptr && documento::NombreEs(raiz, pasos[0]))
        nivel.push_back(raiz);
    // Level by level, each parent's children in order: the result is in
    // document order, as the path has no descendant steps.
    std::vector<xmlNode*> siguiente;
    for (std::size_t i = 1; i < pasos.size() && !nivel.empty(); ++i) {
        siguiente.clear();
        for (xmlNode* padre : nivel)
            for (xmlNode* hijo = padre->children; hijo != nullptr; hijo = hijo->next)
                if (hijo->type == XML_ELEMENT_NODE && documento::NombreEs(hijo, pasos[i]))
                    siguiente.push_back(hijo);
        nivel.swap(siguiente);
    }
    std::vector<Elemento> elementos;
    elementos.reserve(nivel.size());
    for (std::size_t i = 0; i < nivel.size(); ++i)
        elementos.emplace_back(nivel[i], i + 1);
    return elementos;
}

Elemento DocumentoCentro::Raiz() const
{
    xmlNode* raiz = xmlDocGetRootElement(doc_.get());
    if (raiz == nullptr)
        throw Error(Formatear("El documento '%s' no tiene elemento raíz", {ruta_.string()}));
    return Elemento(raiz, 1);
}

void DocumentoCentro::QuitarRaiz()
{
    if (xmlNode* raiz = xmlDocGetRootElement(doc_.get()); raiz != nullptr) {
        xmlUnlinkNode(raiz);
        xmlFreeNode(raiz);
    }
}

Elemento DocumentoCentro::CrearRaiz(std::string_view nombre)
{
    if (xmlDocGetRootElement(doc_.get()) != nullptr)
        throw Error(Formatear("El documento '%s' ya tiene elemento raíz", {ruta_.string()}));
    documento::ComprobarNombre(nombre, "elemento");
    const std::string n(nombre);
    xmlNode* raiz = xmlNewDocNode(doc_.get(), nullptr, reinterpret_cast<const xmlChar*>(n.c_str()), nullptr);
    // Appended rather than set with xmlDocSetRootElement, which would put it
    // where the old root stood: it goes after everything else.
    if (raiz == nullptr || xmlAddChild(reinterpret_cast<xmlNode*>(doc_.get()), raiz) == nullptr) {
        xmlFreeNode(raiz);
        throw Error(Formatear("No se pudo crear el elemento raíz %s en '%s'", {n, ruta_.string()}));
    }
    return Elemento(raiz, 1);
}

void DocumentoCentro::Guardar(const std::filesystem::path& ruta) const
{
    documento::EscribirXml(doc_.get(), ruta);
}

void DocumentoCentro::GuardarEnFlujo(const std::filesystem::path& ruta, const Elemento& contenedor,
                                     const ProductorHijos& producir) const
{
    documento::EscribirXmlEnFlujo(doc_.get(), ruta, contenedor.Nodo(), producir);
}

}  // namespace thn
