// SPDX-License-Identifier: EUPL-1.2
// The export's streaming reader must see exactly what the full document sees.

#include "comun/comun.h"
#include "documento/centro_leido.h"
#include "documento/centro.h"
#include "base/error.h"

#include <gtest/gtest.h>

namespace thn::prueba {
namespace {

const std::vector<std::string> kRutas = {"/centro/aulas/daula", "/centro/grupos/dgrupo"};
const char* const kAtributos[] = {"codigo", "nombre", "idaula"};

// Loads with both readers; the outcome as text: the error, or every
// selected element with its attributes.
std::pair<std::string, std::string> Ambos(const std::filesystem::path& ruta)
{
    auto describir = [](const std::string& nombre, std::size_t pos, auto&& atributo) {
        std::string r = nombre + "#" + std::to_string(pos);
        for (const char* a : kAtributos) {
            try {
                r += " " + std::string(a) + "=" + std::string(atributo(a));
            } catch (const Error& e) {
                r += std::string(" !") + e.what();
            }
        }
        return r + "\n";
    };
    std::string completo, leido;
    try {
        const auto doc = DocumentoCentro::Cargar(ruta);
        for (const auto& r : kRutas)
            for (const auto& e : doc.Seleccionar(r))
                completo += describir(e.Nombre(), e.Posicion(), [&](const char* a) { return e.Atributo(a); });
    } catch (const Error& e) {
        completo = e.what();
    }
    try {
        std::vector<CentroLeido::Seccion> secciones;
        for (const auto& r : kRutas)
            secciones.push_back({r, {std::begin(kAtributos), std::end(kAtributos)}});
        const auto doc = CentroLeido::Cargar(ruta, secciones);
        for (const auto& r : kRutas)
            for (const auto& e : doc.Seleccionar(r))
                leido += describir(e.Nombre(), e.Posicion(), [&](const char* a) { return e.Atributo(a); });
    } catch (const Error& e) {
        leido = e.what();
    }
    // libxml2 words a reason slightly differently when it streams; the file
    // and the line must agree.
    for (std::string* t : {&completo, &leido})
        if (const auto p = t->find("línea "); p != std::string::npos)
            *t = t->substr(0, t->find(':', p));
    return {completo, leido};
}

TEST(CentroLeido, MismoResultadoQueElDocumentoCompleto)
{
    const std::string bomba =
        "<?xml version=\"1.0\"?><!DOCTYPE centro [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]><centro><aulas><daula codigo=\"&c;\" nombre=\"x\"/></aulas></centro>";
    const std::string validos[] = {
        "<centro><aulas><daula codigo=\" A1 \" nombre=\"Aula &amp; 1\" idaula=\"7\"/><daula codigo=\"B\" nombre=\"\"/>"
        "<otro codigo=\"X\"/></aulas><grupos><dgrupo codigo=\"1A\"><hijo/></dgrupo></grupos>"
        "<extra><daula codigo=\"no\"/></extra></centro>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><centro><aulas><daula codigo=\"\xe1\" nombre=\"&#937;\"/>"
        "</aulas></centro>",
        "<centro><aulas><daula codigo=\"&#x9;A\"/></aulas><aulas><daula codigo=\"B\"/></aulas></centro>",
        "<!DOCTYPE centro [<!ENTITY e \"Entidad\">]><centro><aulas><daula codigo=\"&e;\"/></aulas></centro>",
        "<!DOCTYPE centro [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><centro><aulas><daula codigo=\"&x;\"/>"
        "</aulas></centro>",
        bomba,
        "<colegio><aulas><daula codigo=\"A\"/></aulas></colegio>",
        "<centro><aulas><daula codigo=\"A\"></aulas></centro>",
        "",
        "<?xml version=\"1.0\"?>",
        "<centro><aulas><daula codigo='A' codigo='B'/></aulas></centro>",
    };
    // A section whose kept values grow past the heap into large blocks.
    std::string grande = "<centro><aulas>";
    for (int i = 0; i < 60000; ++i)
        grande += "<daula codigo=\"A" + std::to_string(i) + "\" nombre=\"Aula " + std::to_string(i * 7)
                  + "\" idaula=\"" + std::to_string(i) + "\"/>";
    grande += "</aulas></centro>";
    DirectorioTemporal dir;
    const auto ruta = dir / "centro.xml";
    std::vector<std::string> casos(std::begin(validos), std::end(validos));
    casos.push_back(std::move(grande));
    for (const auto& texto : casos) {
        SCOPED_TRACE(texto.substr(0, 60));
        EscribirFichero(ruta, texto);
        const auto [completo, leido] = Ambos(ruta);
        EXPECT_EQ(leido, completo);
    }
    // Every truncation of a valid document, too.
    const std::string base = validos[0];
    for (std::size_t n = 0; n < base.size(); n += 3) {
        EscribirFichero(ruta, base.substr(0, n));
        const auto [completo, leido] = Ambos(ruta);
        EXPECT_EQ(leido, completo) << n;
    }
    EXPECT_EQ(Ambos(dir / "no-existe.xml").second, Ambos(dir / "no-existe.xml").first);
}

}  // namespace
}  // namespace thn::prueba
