// SPDX-License-Identifier: EUPL-1.2
#include "documento/lector_centro.h"

#include "documento/xml.h"
#include "base/error.h"
#include "base/texto.h"

#include <libxml/tree.h>

#include <cstring>
#include <limits>

namespace thn {
namespace {

using documento::SeccionLeida;

std::string_view Vista(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

// prefix:local, or local: the name as the tree gives it.
std::string NombreCompleto(const xmlChar* local, const xmlChar* prefijo)
{
    std::string nombre;
    if (prefijo != nullptr) {
        nombre = Vista(prefijo);
        nombre += ':';
    }
    nombre += Vista(local);
    return nombre;
}

}  // namespace

bool LectorCentro::Nombre::Es(const xmlChar* local, const xmlChar* prefijo) const
{
    return prefijo == nullptr ? local == interno : texto == NombreCompleto(local, prefijo);
}

void LectorCentro::Leer(const std::filesystem::path& ruta)
{
    const std::string fichero = ruta.string();
    documento::DocXml doc = documento::Analizar(ruta, [this](xmlParserCtxt* contexto, documento::RecogidaErroresXml& e) {
        Instalar(contexto, e);
    });
    if (raiz_.empty())
        throw Error(Formatear("El archivo '%s' no es un documento XML válido (%s)", {fichero, "no contiene ningún elemento"}));
    if (raiz_ != "centro")
        throw Error(Formatear("El elemento raíz de '%s' es '%s', no 'centro'", {fichero, raiz_}));
}

void LectorCentro::Instalar(xmlParserCtxt* contexto, documento::RecogidaErroresXml& errores)
{
    auto nombre = [contexto](const std::string& texto) {
        const xmlChar* interno = texto.find(':') == std::string::npos
                                     ? xmlDictLookup(contexto->dict, reinterpret_cast<const xmlChar*>(texto.data()),
                                                     static_cast<int>(texto.size()))
                                     : nullptr;
        return Nombre{texto, interno};
    };
    for (const auto& s : centro_.secciones_) {
        const std::size_t barra = s->ruta.find('/', std::strlen("/centro/"));
        const std::string seccion = s->ruta.substr(std::strlen("/centro/"), barra - std::strlen("/centro/"));
        Clase clase{nombre(s->elemento), nombre(seccion), s.get(), {}};
        for (const auto& a : s->atributos)
            clase.atributos.push_back(nombre(a));
        // One section per kind of element: the last path given for it.
        std::erase_if(clases_, [&](const Clase& c) { return c.elemento.texto == clase.elemento.texto; });
        clases_.push_back(std::move(clase));
    }

    principal_ = contexto;
    original_ = *contexto->sax;
    errores_ = &errores;
    // Document, DTD and entity handlers stay the tree builder's: entities
    // are declared and checked as when the whole tree is built.
    contexto->_private = this;
    contexto->sax->serror = ErrorXml;
    contexto->sax->startElementNs = Inicio;
    contexto->sax->endElementNs = Fin;
    contexto->sax->characters = Caracteres;
    contexto->sax->ignorableWhitespace = Blancos;
    contexto->sax->cdataBlock = Cdata;
    contexto->sax->comment = Comentario;
    contexto->sax->processingInstruction = Instruccion;
    contexto->sax->reference = Referencia;
}

LectorCentro& LectorCentro::De(void* contexto)
{
    return *static_cast<LectorCentro*>(static_cast<xmlParserCtxt*>(contexto)->_private);
}

// Content of an entity being checked comes on a context of its own: the
// tree builder makes it, as it would in a whole tree, and no element of it
// is read.
void LectorCentro::Inicio(void* ctx, const xmlChar* local, const xmlChar* prefijo, const xmlChar* uri, int nns,
                          const xmlChar** ns, int natr, int ndef, const xmlChar** atr)
{
    LectorCentro& l = De(ctx);
    if (ctx != l.principal_)
        return l.original_.startElementNs(ctx, local, prefijo, uri, nns, ns, natr, ndef, atr);
    // Defaulted attributes (the last ndef) are not the element's own.
    l.Empezar(local, prefijo, natr - ndef, atr);
}

void LectorCentro::Fin(void* ctx, const xmlChar* local, const xmlChar* prefijo, const xmlChar* uri)
{
    LectorCentro& l = De(ctx);
    if (ctx != l.principal_)
        return l.original_.endElementNs(ctx, local, prefijo, uri);
    l.abiertos_.pop_back();
}

void LectorCentro::Caracteres(void* ctx, const xmlChar* texto, int largo)
{
    if (LectorCentro& l = De(ctx); ctx != l.principal_)
        l.original_.characters(ctx, texto, largo);
}

void LectorCentro::Blancos(void* ctx, const xmlChar* texto, int largo)
{
    if (LectorCentro& l = De(ctx); ctx != l.principal_)
        l.original_.ignorableWhitespace(ctx, texto, largo);
}

void LectorCentro::Cdata(void* ctx, const xmlChar* texto, int largo)
{
    if (LectorCentro& l = De(ctx); ctx != l.principal_)
        l.original_.cdataBlock(ctx, texto, largo);
}

void LectorCentro::Comentario(void* ctx, const xmlChar* texto)
{
    if (LectorCentro& l = De(ctx); ctx != l.principal_)
        l.original_.comment(ctx, texto);
}

void LectorCentro::Instruccion(void* ctx, const xmlChar* destino, const xmlChar* datos)
{
    if (LectorCentro& l = De(ctx); ctx != l.principal_)
        l.original_.processingInstruction(ctx, destino, datos);
}

void LectorCentro::Referencia(void* ctx, const xmlChar* nombre)
{
    if (LectorCentro& l = De(ctx); ctx != l.principal_)
        l.original_.reference(ctx, nombre);
}

void LectorCentro::ErrorXml(void* ctx, xmlErrorPtr error)
{
    if (error != nullptr)
        De(ctx).errores_->Recibir(*error);
}

std::size_t LectorCentro::Linea() const
{
    const int linea = principal_->input != nullptr ? principal_->input->line : 0;
    return linea > 0 ? static_cast<std::size_t>(linea) : 0;
}

const LectorCentro::Clase* LectorCentro::ClaseDe(const xmlChar* local, const xmlChar* prefijo) const
{
    for (const Clase& c : clases_)
        if (c.elemento.Es(local, prefijo))
            return &c;
    return nullptr;
}

void LectorCentro::Empezar(const xmlChar* local, const xmlChar* prefijo, int atributos, const xmlChar** valores)
{
    const std::size_t profundidad = abiertos_.size();
    if (profundidad == 0) {
        raiz_ = NombreCompleto(local, prefijo);
        en_centro_ = raiz_ == "centro";
    }
    const Clase* clase = profundidad > 0 && en_centro_ ? ClaseDe(local, prefijo) : nullptr;
    if (clase != nullptr && profundidad == 2 && clase->seccion.Es(abiertos_[1].local, abiertos_[1].prefijo)) {
        Guardar(*clase, atributos, valores);
    } else {
        // The tree builder makes every attribute's nodes; those of values
        // with entity references leave their mark on the entities.
        for (int i = 0; i < atributos; ++i) {
            const xmlChar* valor = valores[5 * i + 3];
            const xmlChar* fin = valores[5 * i + 4];
            if (std::memchr(valor, '&', static_cast<std::size_t>(fin - valor)) != nullptr)
                xmlFreeNodeList(documento::NodosDeValor(principal_->myDoc, valor, fin));
        }
        if (clase != nullptr && FueraDeSitio(*clase))
            AnotarFueraDeLugar(*clase);
    }
    abiertos_.push_back({local, prefijo, ++empezados_});
}

// Whether an element of a kind the export reads, met anywhere but in its
// section straight under the root, is one the export passes over: under the
// root itself, in a section of its own name elsewhere, or in another kind's
// section. Anywhere else it is other data (a group's teacher, say).
bool LectorCentro::FueraDeSitio(const Clase& clase) const
{
    const std::size_t profundidad = abiertos_.size();
    if (profundidad == 1)
        return true;
    const Abierto& padre = abiertos_.back();
    if (clase.seccion.Es(padre.local, padre.prefijo))
        return true;
    if (profundidad != 2)
        return false;
    for (const Clase& c : clases_)
        if (c.seccion.Es(padre.local, padre.prefijo))
            return true;
    return false;
}

void LectorCentro::AnotarFueraDeLugar(const Clase& clase)
{
    const Abierto& padre = abiertos_.back();
    auto& fuera = centro_.fuera_de_lugar_;
    if (padre.numero == ultimo_contenedor_ && fuera.back().elemento == clase.elemento.texto) {
        ++fuera.back().elementos;
        return;
    }
    std::string contenedor;
    for (const Abierto& a : abiertos_)
        contenedor += "/" + NombreCompleto(a.local, a.prefijo);
    fuera.push_back({contenedor, clase.elemento.texto,
                     "/centro/" + clase.seccion.texto + "/" + clase.elemento.texto, Linea(), 1});
    ultimo_contenedor_ = padre.numero;
}

void LectorCentro::Guardar(const Clase& clase, int atributos, const xmlChar** valores)
{
    valores_.assign(clase.atributos.size(), Valor{});
    for (int i = 0; i < atributos; ++i) {
        const xmlChar* local = valores[5 * i];
        const xmlChar* prefijo = valores[5 * i + 1];
        const xmlChar* valor = valores[5 * i + 3];
        const xmlChar* fin = valores[5 * i + 4];
        std::size_t k = 0;
        while (k < clase.atributos.size() && !clase.atributos[k].Es(local, prefijo))
            ++k;
        const bool guardado = k < clase.atributos.size();
        if (std::memchr(valor, '&', static_cast<std::size_t>(fin - valor)) == nullptr) {
            if (guardado)
                valores_[k] = {Recortar(std::string_view(reinterpret_cast<const char*>(valor),
                                                         static_cast<std::size_t>(fin - valor))),
                               {}, true, false};
            continue;
        }
        xmlNode* nodos = documento::NodosDeValor(principal_->myDoc, valor, fin);
        if (guardado) {
            Valor& v = valores_[k];
            v.presente = true;
            if (auto texto = documento::TextoDeNodos(principal_->myDoc, nodos)) {
                v.expandido = std::move(*texto);
                v.texto = v.expandido;
            } else {
                v.demasiado_largo = true;
            }
        }
        xmlFreeNodeList(nodos);
    }

    SeccionLeida& s = *clase.destino;
    ElementoLeido e;
    e.seccion_ = &s;
    if (s.textos.size() > std::numeric_limits<std::uint32_t>::max())
        throw Error(Formatear("La sección %s del documento tiene más de 4 GB de valores", {s.ruta}));
    e.inicio_ = static_cast<std::uint32_t>(s.textos.size());
    e.linea_ = static_cast<std::uint32_t>(Linea());
    for (const Valor& v : valores_) {
        s.textos.append(v.texto.data(), v.texto.size());
        // A few values, each within the document's bound on one value:
        // far below the marks.
        const std::size_t fin = s.textos.size() - e.inicio_;
        if (fin > SeccionLeida::kFin)
            throw Error(Formatear("El elemento %s número %s es demasiado largo",
                                       {s.elemento, std::to_string(s.elementos.size() + 1)}));
        s.fines.push_back(static_cast<std::uint32_t>(fin) | (v.presente ? 0 : SeccionLeida::kAusente)
                          | (v.demasiado_largo ? SeccionLeida::kDemasiadoLargo : 0));
    }
    s.elementos.push_back(e);
}

}  // namespace thn
