// SPDX-License-Identifier: EUPL-1.2
// On both systems. A table described ahead is described so when it is kept
// only if it is still the file that was read: moved, it is; written, or
// replaced by another file with the same bytes, it is read again.

#include "comun/comun.h"
#include "trabajo/descripciones_previas.h"

#include <gtest/gtest.h>

#include <functional>

namespace thn::prueba {
namespace {

namespace fs = std::filesystem;

TEST(DescripcionesPrevias, SoloValenMientrasElFicheroEsElQueSeLeyo)
{
    DirectorioTemporal dir;
    const fs::path asigt = dir / "asigt.dbf";
    const std::string tabla = std::string("\x04\x7a\x0c\x0a\x03\x00\x00\x00", 8) + std::string(5000, 'x');
    const struct {
        const char* caso;
        std::function<fs::path()> cambiar;  // where the file is afterwards
        bool vale;
    } casos[] = {
        {"sin tocar", [&] { return asigt; }, true},
        {"movido, como al apartarlo", [&] {
             fs::rename(asigt, dir / "ANTERIOR.0");
             return dir / "ANTERIOR.0";
         }, true},
        {"escrito al final", [&] {
             EscribirFichero(asigt, tabla + "y");
             return asigt;
         }, false},
        {"otro fichero con los mismos bytes", [&] {
             EscribirFichero(dir / "nuevo", tabla);
             fs::rename(dir / "nuevo", asigt);
             return asigt;
         }, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        fs::remove(dir / "ANTERIOR.0");
        EscribirFichero(asigt, tabla);
        EscribirFichero(dir / "otro.dbf", tabla);  // no table of the export: not described
        DescripcionesPrevias previas(dir.Ruta());
        previas.Esperar();
        const fs::path ahora = c.cambiar();

        so::Descriptor d;
        so::VersionFichero v;
        ASSERT_EQ(so::Abrir(ahora, so::Apertura::Lectura, d), 0);
        ASSERT_EQ(so::Version(d, v), 0);
        FicheroGuardado leido;
        ASSERT_EQ(DescribirFichero(d, "asigt.dbf", leido), 0);
        const auto previa = previas.De("asigt.dbf", v);
        ASSERT_EQ(previa.has_value(), c.vale);
        if (previa) {
            EXPECT_EQ(previa->tamano, leido.tamano);
            EXPECT_EQ(previa->crc32, leido.crc32);
            EXPECT_EQ(previa->registros, leido.registros);
            EXPECT_EQ(previa->registros, 3u);
        }
        EXPECT_FALSE(previas.De("otro.dbf", v));
    }
}

}  // namespace
}  // namespace thn::prueba
