// SPDX-License-Identifier: EUPL-1.2
// The folder calls of the operating-system layer, on both systems: what is
// opened is a real folder, links are never followed, two names of one file
// are one file, and a folder's lock excludes every contender.

#include "so/sistema.h"

#include "comun/comun.h"

#include <gtest/gtest.h>

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#endif

namespace thn::so {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;
using prueba::EscribirFichero;

TEST(Carpeta, SoloSeAbreUnaCarpetaDeVerdadYNingunEnlaceSeSigue)
{
    DirectorioTemporal dir;
    fs::create_directory(dir / "real");
    EscribirFichero(dir / "real" / "dentro.txt", "x");
    EscribirFichero(dir / "fichero", "x");
    std::error_code ec;
    fs::create_directory_symlink(dir / "real", dir / "enlace", ec);
    const bool hay_enlaces = !ec;  // Wine may not make them
    const struct {
        const char* nombre;
        int sin_seguir, siguiendo;
    } casos[] = {{"real", 0, 0}, {"fichero", ENOTDIR, ENOTDIR}, {"enlace", ENOTDIR, 0}, {"no-existe", ENOENT, ENOENT}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        if (!hay_enlaces && std::string(c.nombre) == "enlace")
            continue;
        Carpeta sin_seguir, siguiendo;
        EXPECT_EQ(AbrirCarpeta(dir / c.nombre, false, sin_seguir), c.sin_seguir);
        EXPECT_EQ(AbrirCarpeta(dir / c.nombre, true, siguiendo), c.siguiendo);
        EXPECT_EQ(static_cast<bool>(sin_seguir), c.sin_seguir == 0);
    }
    Carpeta carpeta;
    ASSERT_EQ(AbrirCarpeta(dir.Ruta(), false, carpeta), 0);
    std::vector<fs::path> nombres;
    ASSERT_EQ(Listar(carpeta, nombres), 0);
    EXPECT_EQ(nombres.size(), hay_enlaces ? 3u : 2u);
    if (hay_enlaces) {
        // Through the folder, a link among its entries is the link itself.
        Descriptor d;
        EXPECT_NE(AbrirEn(carpeta, "enlace", Apertura::Lectura, d), 0);
        EXPECT_NE(BorrarCarpetaEn(carpeta, "enlace"), 0);
        EXPECT_TRUE(fs::exists(dir / "real" / "dentro.txt"));
    }
    bool existe = false;
    EXPECT_EQ(RenombrarEn(carpeta, "fichero", carpeta, "movido"), 0);
    EXPECT_EQ(ExisteEn(carpeta, "movido", existe), 0);
    EXPECT_TRUE(existe);
    EXPECT_EQ(BorrarEn(carpeta, "movido"), 0);
    EXPECT_EQ(ExisteEn(carpeta, "movido", existe), 0);
    EXPECT_FALSE(existe);
}

TEST(MismoFichero, DosNombresDeUnFicheroSonUnoYDosFicherosSonDos)
{
    DirectorioTemporal dir;
    EscribirFichero(dir / "ASIGNOMT.DBF", "igual");
    EscribirFichero(dir / "PROFT.DBF", "igual");
    fs::create_hard_link(dir / "ASIGNOMT.DBF", dir / "otro-nombre.dbf");
    EXPECT_TRUE(MismoFichero(dir / "ASIGNOMT.DBF", dir / "otro-nombre.dbf"));
    EXPECT_FALSE(MismoFichero(dir / "ASIGNOMT.DBF", dir / "PROFT.DBF"));
    EXPECT_FALSE(MismoFichero(dir / "ASIGNOMT.DBF", dir / "no-existe"));
#ifdef _WIN32
    EXPECT_TRUE(MismoFichero(dir / "ASIGNOMT.DBF", dir / "asignomt.dbf"));  // the disk ignores letter case
#endif
}

TEST(BloqueoCarpeta, ExcluyeACadaAspiranteYNoDejaNadaAtras)
{
    DirectorioTemporal dir;
    {
        BloqueoCarpeta primero, segundo, tercero;
        ASSERT_EQ(primero.Tomar(dir.Ruta()), 0);
        EXPECT_EQ(segundo.Tomar(dir.Ruta()), EWOULDBLOCK);
        // The second's attempt took nothing from the first.
        EXPECT_EQ(tercero.Tomar(dir.Ruta()), EWOULDBLOCK);
    }
    EXPECT_TRUE(fs::is_empty(dir.Ruta()));
    BloqueoCarpeta despues;
    EXPECT_EQ(despues.Tomar(dir.Ruta()), 0);
}

#ifdef _WIN32
TEST(Renombrar, UnFicheroRetenidoSinCompartirNoSeMueveYUnoCompartidoSi)
{
    DirectorioTemporal dir;
    const fs::path a = dir / "PROFT.DBF", b = dir / "ANTERIOR.0";
    EscribirFichero(a, "tabla");
    HANDLE h = CreateFileW(a.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(BloqueadoPorOtro(a));
    EXPECT_EQ(Renombrar(a, b), EWOULDBLOCK);  // after its bounded wait
    CloseHandle(h);
    // An indexer's open shares everything: it neither holds the file nor
    // stops the rename.
    h = CreateFileW(a.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(BloqueadoPorOtro(a));
    EXPECT_EQ(Renombrar(a, b), 0);
    CloseHandle(h);
}
#endif

}  // namespace
}  // namespace thn::so
