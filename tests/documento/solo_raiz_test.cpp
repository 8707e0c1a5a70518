// SPDX-License-Identifier: EUPL-1.2
// Loading only the root checks the whole document like a full load.

#include "comun/comun.h"
#include "documento/centro.h"
#include "base/error.h"

#include <gtest/gtest.h>

namespace thn::prueba {
namespace {

std::string Resultado(DocumentoCentro (*cargar)(const std::filesystem::path&), const std::filesystem::path& ruta)
{
    try {
        const auto doc = cargar(ruta);
        return "raíz " + doc.Raiz().Nombre() + " version=" + doc.Raiz().Atributo("version");
    } catch (const Error& e) {
        return e.what();
    }
}

TEST(DocumentoSoloRaiz, MismosErroresYSoloLaRaiz)
{
    const std::string base =
        "<?xml version=\"1.0\"?>\n<!-- antes --><!DOCTYPE centro [<!ENTITY e \"x\">]>"
        "<centro version=\" 3 \"><aulas><daula codigo=\"&e;\"/><!-- dentro --><?pi dentro?>"
        "<![CDATA[<no>]]>texto &e;</aulas></centro><?despues?>\n";
    DirectorioTemporal dir;
    const auto ruta = dir / "c.xml";
    for (std::size_t n = 0; n <= base.size(); ++n) {
        EscribirFichero(ruta, base.substr(0, n));
        EXPECT_EQ(Resultado(DocumentoCentro::CargarSoloRaiz, ruta), Resultado(DocumentoCentro::Cargar, ruta)) << n;
    }
    EscribirFichero(ruta, base);
    auto doc = DocumentoCentro::CargarSoloRaiz(ruta);
    EXPECT_TRUE(doc.Seleccionar("/centro/aulas/daula").empty());
    doc.Guardar(dir / "r.xml");
    EXPECT_EQ(LeerFichero(dir / "r.xml"),
              "<?xml version=\"1.0\"?>\n<!-- antes -->\n<!DOCTYPE centro [\n<!ENTITY e \"x\">\n]>\n"
              "<centro version=\" 3 \"/>\n<?despues?>\n");
}

}  // namespace
}  // namespace thn::prueba
