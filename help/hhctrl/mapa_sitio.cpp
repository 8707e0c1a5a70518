// SPDX-License-Identifier: EUPL-1.2
#include "help/hhctrl/mapa_sitio.h"

#include "base/ascii.h"
#include "help/hhctrl/texto_chm.h"

#include <cctype>
#include <utility>

namespace thn::chm {
namespace {

struct Etiqueta {
    std::string nombre;  // small letters; "/ul" for a closing tag
    std::vector<std::pair<std::string, std::string>> atributos;  // names in small letters

    std::string_view Atributo(std::string_view nombre_atributo) const
    {
        for (const auto& [n, v] : atributos)
            if (n == nombre_atributo)
                return v;
        return {};
    }
};

bool EsEspacio(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Reads the tag whose "<" is at `p`; leaves `p` after its ">".
Etiqueta LeerEtiqueta(std::string_view t, std::size_t& p)
{
    Etiqueta e;
    ++p;
    const std::size_t inicio_nombre = p;
    if (p < t.size() && t[p] == '/')
        ++p;
    while (p < t.size() && !EsEspacio(t[p]) && t[p] != '>' && t[p] != '/')
        ++p;
    e.nombre = MinusculasAscii(t.substr(inicio_nombre, p - inicio_nombre));
    while (p < t.size() && t[p] != '>') {
        if (EsEspacio(t[p]) || t[p] == '/') {
            ++p;
            continue;
        }
        const std::size_t inicio = p;
        while (p < t.size() && !EsEspacio(t[p]) && t[p] != '=' && t[p] != '>')
            ++p;
        std::string nombre = MinusculasAscii(t.substr(inicio, p - inicio));
        while (p < t.size() && EsEspacio(t[p]))
            ++p;
        std::string valor;
        if (p < t.size() && t[p] == '=') {
            ++p;
            while (p < t.size() && EsEspacio(t[p]))
                ++p;
            if (p < t.size() && (t[p] == '"' || t[p] == '\'')) {
                const char comilla = t[p++];
                const std::size_t fin = t.find(comilla, p);
                valor = std::string(t.substr(p, fin == std::string_view::npos ? std::string_view::npos : fin - p));
                p = fin == std::string_view::npos ? t.size() : fin + 1;
            } else {
                const std::size_t inicio_valor = p;
                while (p < t.size() && !EsEspacio(t[p]) && t[p] != '>')
                    ++p;
                valor = std::string(t.substr(inicio_valor, p - inicio_valor));
            }
        }
        e.atributos.emplace_back(std::move(nombre), std::move(valor));
    }
    if (p < t.size())
        ++p;
    return e;
}

std::string Valor(std::string_view crudo) { return DecodificarEntidades(DesdeWindows1252(crudo)); }

}  // namespace

std::vector<EntradaSitio> LeerMapaSitio(std::string_view t)
{
    std::vector<EntradaSitio> raiz;
    // The lists being filled, outermost first. A nested list belongs to the
    // last entry of its parent; the vectors above the top are not touched
    // while a deeper one is, so the pointers stay valid.
    std::vector<std::vector<EntradaSitio>*> pila{&raiz};
    bool en_objeto = false;
    EntradaSitio actual;

    for (std::size_t p = 0; p < t.size();) {
        if (t[p] != '<') {
            ++p;
            continue;
        }
        if (t.substr(p, 4) == "<!--") {
            const std::size_t fin = t.find("-->", p + 4);
            p = fin == std::string_view::npos ? t.size() : fin + 3;
            continue;
        }
        const Etiqueta e = LeerEtiqueta(t, p);
        if (e.nombre == "ul") {
            std::vector<EntradaSitio>* lista = pila.back();
            if (!lista->empty() && pila.size() <= kProfundidadMaxima)
                lista = &lista->back().hijos;
            pila.push_back(lista);
        } else if (e.nombre == "/ul") {
            if (pila.size() > 1)
                pila.pop_back();
        } else if (e.nombre == "object") {
            en_objeto = IgualesSinCasoAscii(e.Atributo("type"), "text/sitemap");
            actual = {};
        } else if (e.nombre == "param" && en_objeto) {
            const std::string nombre = MinusculasAscii(e.Atributo("name"));
            if (nombre == "name" && actual.nombre.empty())
                actual.nombre = Valor(e.Atributo("value"));
            else if (nombre == "local" && actual.local.empty())
                actual.local = Valor(e.Atributo("value"));
        } else if (e.nombre == "/object" && en_objeto) {
            en_objeto = false;
            if (actual.nombre.empty())
                actual.nombre = actual.local;
            if (!actual.nombre.empty())
                pila.back()->push_back(std::move(actual));
            actual = {};
        }
    }
    return raiz;
}

}  // namespace thn::chm
