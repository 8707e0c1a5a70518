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

#ifdef _WIN32
// Runs the host's Unix program `programa` ("Z:\\bin\\ln") under Wine, in
// the folder `carpeta`, and waits until `hecho` holds (a Unix child gives
// no status to wait on); false outside Wine.
template <typename Condicion>
bool OrdenDelAnfitrion(const wchar_t* programa, std::wstring orden, const fs::path& carpeta, Condicion hecho)
{
    if (!GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"))
        return false;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(programa, orden.data(), nullptr, nullptr, FALSE, 0, nullptr, carpeta.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 100 && !hecho(); ++i)
        Sleep(50);
    return hecho();
}
#endif

// A link at `enlace` to the folder `destino` beside it; false where none can
// be made. Wine makes no Windows link, but shows a Unix one, made by the
// host's own ln, as a reparse point.
bool EnlazarCarpeta(const char* destino, const fs::path& enlace)
{
    std::error_code ec;
    fs::create_directory_symlink(enlace.parent_path() / destino, enlace, ec);
#ifdef _WIN32
    if (ec)
        return OrdenDelAnfitrion(L"Z:\\bin\\ln", L"ln -s " + fs::path(destino).wstring() + L" " + enlace.filename().wstring(),
                                 enlace.parent_path(),
                                 [&] { return GetFileAttributesW(enlace.c_str()) != INVALID_FILE_ATTRIBUTES; });
#endif
    return !ec;
}

// Removes the link EnlazarCarpeta made: Windows' own calls would go
// through a Unix one into its folder.
void QuitarEnlace(const fs::path& enlace)
{
#ifdef _WIN32
    if (OrdenDelAnfitrion(L"Z:\\bin\\rm", L"rm " + enlace.filename().wstring(), enlace.parent_path(),
                          [&] { return GetFileAttributesW(enlace.c_str()) == INVALID_FILE_ATTRIBUTES; }))
        return;
#endif
    fs::remove(enlace);
}

TEST(Carpeta, SoloSeAbreUnaCarpetaDeVerdadYNingunEnlaceSeSigue)
{
    DirectorioTemporal dir;
    fs::create_directory(dir / "real");
    EscribirFichero(dir / "real" / "dentro.txt", "x");
    EscribirFichero(dir / "fichero", "x");
    const bool hay_enlaces = EnlazarCarpeta("real", dir / "enlace");
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
        QuitarEnlace(dir / "enlace");
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
DWORD WINAPI SoltarTrasUnInstante(void* retenido)
{
    Sleep(300);
    CloseHandle(static_cast<HANDLE>(retenido));
    return 0;
}

TEST(Renombrar, UnFicheroRetenidoSinCompartirNoSeMueveHastaQueSeSuelta)
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
    // A brief unshared open (an antivirus' scan) is waited out.
    h = CreateFileW(b.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const HANDLE suelta = CreateThread(nullptr, 0, SoltarTrasUnInstante, h, 0, nullptr);
    ASSERT_NE(suelta, nullptr);
    EXPECT_EQ(Renombrar(b, a), 0);
    WaitForSingleObject(suelta, INFINITE);
    CloseHandle(suelta);
    EXPECT_TRUE(fs::exists(a));
}
#endif

}  // namespace
}  // namespace thn::so
