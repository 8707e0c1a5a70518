// SPDX-License-Identifier: EUPL-1.2
// Documents of absurd shapes are refused by every reader before the parser
// spends time on them, wherever the blocks of input fall; markup that merely
// looks like attributes is not counted.

#include "comun/comun.h"
#include "documento/centro_leido.h"
#include "documento/centro.h"
#include "documento/entrada.h"
#include "documento/limites.h"
#include "base/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

namespace thn::prueba {
namespace {

std::string Atributos(std::size_t n)
{
    std::string r;
    for (std::size_t i = 0; i < n; ++i)
        r += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    return r;
}

TEST(DocumentoLimites, CadaLectorRechazaLoDesmesurado)
{
    // Text that a careless count would take for attributes or values.
    const std::string engano =
        "<!DOCTYPE centro [\n<!-- it's \"x\" > -->\n<!ENTITY e \"a'b>\"><?pi a='1' b=\"2\"?>\n]>\n"
        "<!-- <daula a='1' b=\"2\"> -->\n<?pi c='3'?>\n";
    const std::string cdata = "<![CDATA[ x=\"1\" ' ]]>";
    const std::string demasiados = "el elemento 'daula' tiene más de 1000 atributos";
    std::string lineas;  // 3000 lines of many lengths
    for (int i = 0; i < 3000; ++i)
        lineas += "<daula codigo=\"" + std::string(static_cast<std::size_t>(i * 37 % 700), 'n') + "\"/>\n";
    const struct Caso {
        const char* nombre;
        std::string documento;
        std::string motivo;  // "" when it loads
    } casos[] = {
        {"1000 atributos tras marcas engañosas",
         engano + "<centro version='1'><aulas>" + cdata + "<daula" + Atributos(1000) + "/></aulas></centro>", ""},
        {"1001 atributos", "<centro version='1'>\n<aulas>\n<daula" + Atributos(1001) + "/></aulas></centro>",
         "línea 3: " + demasiados},
        {"40000 atributos tras marcas engañosas",
         engano + "<centro version='1'><aulas>" + cdata + "\n<daula" + Atributos(40000) + "/></aulas></centro>",
         "línea 8: " + demasiados},
        {"1001 atributos tras 3000 líneas",
         "<centro version='1'>\n<aulas>\n" + lineas + "<daula" + Atributos(1001) + "/></aulas></centro>",
         "línea 3003: " + demasiados},
        {"40000 atributos en la raíz", "<centro" + Atributos(40000) + "/>",
         "línea 1: el elemento 'centro' tiene más de 1000 atributos"},
        {"40000 atributos en UTF-16", Utf16le("<centro>\n<daula" + Atributos(40000) + "/></centro>"),
         "línea 2: " + demasiados},
        {"valor de más de 10 MB",
         "<centro version='1'><aulas>\n<daula nombre='" + std::string(10'000'001, 'x') + "'/></aulas></centro>",
         "línea 2: un atributo del elemento 'daula' ocupa más de 10 MB"},
    };
    const std::function<void(const std::filesystem::path&)> lectores[] = {
        [](const std::filesystem::path& r) { DocumentoCentro::Cargar(r); },
        [](const std::filesystem::path& r) { DocumentoCentro::CargarSoloRaiz(r); },
        [](const std::filesystem::path& r) { CentroLeido::Cargar(r, {{"/centro/aulas/daula", {}}}); },
    };
    DirectorioTemporal dir;
    const auto ruta = dir / "centro.xml";
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        EscribirFichero(ruta, c.documento);
        // Every way the blocks can cut the markup gives the same verdict.
        for (const std::size_t bloque : {std::size_t{1}, std::size_t{7}, std::size_t{4093}}) {
            documento::VigiaLimites vigia;
            for (std::size_t i = 0; i < c.documento.size(); i += bloque)
                vigia.Revisar(c.documento.data() + i, std::min(bloque, c.documento.size() - i));
            EXPECT_EQ(vigia.Motivo(), c.motivo) << "bloques de " << bloque;
        }
        for (const auto& leer : lectores) {
            try {
                leer(ruta);
                EXPECT_EQ(c.motivo, "");
            } catch (const Error& e) {
                EXPECT_EQ(e.what(), "El archivo '" + ruta.string() + "' supera los límites de un documento de centro ("
                                        + c.motivo + ")");
            }
        }
    }
}

// The file is read and checked ahead of the parser: a bound passed beyond
// where the parser stopped is none of its business, one it reached is.
TEST(DocumentoLimites, SoloCuentaLoQueElLectorAlcanzo)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "centro.xml";
    EscribirFichero(ruta, "<centro>" + std::string(200000, ' ') + "<daula" + Atributos(1001) + "/></centro>");
    {
        documento::EntradaDocumento entrada(ruta);
        EXPECT_FALSE(entrada.Siguiente().empty());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the reader gets to the element meanwhile
        EXPECT_NO_THROW(entrada.Comprobar());
    }
    documento::EntradaDocumento entrada(ruta);
    std::size_t bytes = 0;
    for (std::string_view b; !(b = entrada.Siguiente()).empty();)
        bytes += b.size();
    EXPECT_LT(bytes, 200000u + 10);  // the block with the element never reaches the parser
    EXPECT_THROW(entrada.Comprobar(), Error);
}

}  // namespace
}  // namespace thn::prueba
