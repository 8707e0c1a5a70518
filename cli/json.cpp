// SPDX-License-Identifier: EUPL-1.2
#include "cli/json.h"

#include "base/utf8.h"
#include "exportar/restauracion.h"

#include <cstdio>

namespace thn::cli {

std::string JsonTexto(const std::string& s)
{
    // Paths and system messages may hold bytes that are not UTF-8: each
    // malformed sequence becomes U+FFFD, so the answer always parses.
    std::string r = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const char32_t c = utf8::Siguiente(s, i);
        switch (c) {
        case U'"': r += "\\\""; break;
        case U'\\': r += "\\\\"; break;
        case U'\n': r += "\\n"; break;
        case U'\r': r += "\\r"; break;
        case U'\t': r += "\\t"; break;
        case utf8::kMalformado: utf8::Anadir(r, U'\uFFFD'); break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                r += buf;
            } else {
                utf8::Anadir(r, c);
            }
        }
    }
    return r + "\"";
}

std::string JsonOmisiones(const std::vector<Omision>& lista)
{
    std::string r = "[";
    for (std::size_t i = 0; i < lista.size(); ++i) {
        if (i)
            r += ",";
        const Omision& o = lista[i];
        r.append("{\"elemento\":").append(JsonTexto(o.elemento)).append(",\"posicion\":");
        r.append(std::to_string(o.posicion)).append(",\"codigo\":").append(JsonTexto(o.codigo));
        r.append(",\"donde\":").append(JsonTexto(o.donde)).append(",\"motivo\":").append(JsonTexto(o.motivo));
        r += '}';
    }
    r += ']';
    return r;
}

namespace {

std::string JsonRecuentos(const std::vector<Recuento>& recuentos)
{
    std::string r = "[";
    for (std::size_t i = 0; i < recuentos.size(); ++i) {
        if (i)
            r += ",";
        r += "{\"tabla\":" + JsonTexto(recuentos[i].tabla)
           + ",\"registros\":" + std::to_string(recuentos[i].registros) + "}";
    }
    return r + "]";
}

}  // namespace

std::string JsonInforme(const Informe& informe)
{
    // Megabytes for a large centre: appended, not copied through temporaries.
    std::string r = "\"recuentos\":" + JsonRecuentos(informe.recuentos);
    r += ",\"omisiones\":";
    r += JsonOmisiones(informe.omisiones);
    r += ",\"avisos\":";
    r += JsonOmisiones(informe.avisos);
    return r;
}

std::string JsonComprobacion(const Comprobacion& c)
{
    std::string r = JsonInforme(c.informe) + ",\"cambios\":" + JsonOmisiones(c.cambios) + ",\"problemas\":[";
    for (std::size_t i = 0; i < c.problemas.size(); ++i) {
        const Problema& p = c.problemas[i];
        r += std::string(i ? "," : "") + "{\"elemento\":" + JsonTexto(p.elemento)
           + ",\"posicion\":" + std::to_string(p.posicion) + ",\"codigo\":" + JsonTexto(p.codigo)
           + ",\"donde\":" + JsonTexto(p.donde) + ",\"motivo\":" + JsonTexto(p.motivo)
           + ",\"atributo\":" + (p.atributo.empty() ? "null" : JsonTexto(p.atributo))
           + ",\"linea\":" + (p.linea ? std::to_string(p.linea) : "null") + "}";
    }
    return r + "]";
}

std::string JsonConjuntos(const std::vector<ConjuntoGuardado>& conjuntos)
{
    std::string r = "[";
    for (std::size_t i = 0; i < conjuntos.size(); ++i) {
        const ConjuntoGuardado& c = conjuntos[i];
        r += std::string(i ? "," : "") + "{\"fecha\":" + JsonTexto(c.nombre) + ",\"carpeta\":"
           + JsonTexto(c.carpeta.string()) + ",\"accion\":" + JsonTexto(c.accion) + ",\"documento\":"
           + JsonTexto(c.documento) + ",\"recuentos\":" + JsonRecuentos(RecuentosConjunto(c)) + "}";
    }
    return r + "]";
}

}  // namespace thn::cli
