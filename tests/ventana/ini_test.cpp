// SPDX-License-Identifier: EUPL-1.2
// The host's INI file: only the value changes, names match in any case, and a
// failed write leaves the file as it was.

#include "ventana/ini.h"
#include "ventana/ruta_ini.h"
#include "comun/comun.h"
#include "comun/fallos_so.h"
#include "base/error.h"

#include <gtest/gtest.h>


namespace thn::prueba {
namespace {

namespace fs = std::filesystem;

struct CasoIni {
    const char* nombre;
    std::string antes;
    std::string despues;
};

// Test names and failures show the case by its name.
void PrintTo(const CasoIni& c, std::ostream* os) { *os << c.nombre; }

const CasoIni kCasos[] = {
    {"vacio", "", "[Transformadores]\r\nTransformado=1\r\n"},
    {"reemplaza_entre_otras_secciones",
     "; Horalia\r\n[General]\r\nTransformado=7\r\n\r\n[Transformadores]\r\n  Otro = x\r\n"
     "Transformado=0\r\n\r\n[Fin]\r\nA=B\r\n",
     "; Horalia\r\n[General]\r\nTransformado=7\r\n\r\n[Transformadores]\r\n  Otro = x\r\n"
     "Transformado=1\r\n\r\n[Fin]\r\nA=B\r\n"},
    {"espacios_y_mayusculas", "[ TRANSFORMADORES ]\n\ttransformado   =  -1   \nz=1\n",
     "[ TRANSFORMADORES ]\n\ttransformado   =  1   \nz=1\n"},
    {"valor_con_punto_y_coma", "[Transformadores]\r\nTransformado= 0 ; nota\r\n",
     "[Transformadores]\r\nTransformado= 1\r\n"},
    {"valor_vacio_sin_fin_de_linea", "[Transformadores]\r\nTransformado=", "[Transformadores]\r\nTransformado=1"},
    {"primera_de_dos_claves", "[Transformadores]\nTransformado=0\nTransformado=5\n",
     "[Transformadores]\nTransformado=1\nTransformado=5\n"},
    {"primera_de_dos_secciones", "[transformadores]\nX=1\n[Transformadores]\nTransformado=5\n",
     "[transformadores]\nX=1\nTransformado=1\n[Transformadores]\nTransformado=5\n"},
    {"clave_comentada", "[Transformadores]\r\n;Transformado=0\r\n\r\n[Otra]\r\n",
     "[Transformadores]\r\n;Transformado=0\r\nTransformado=1\r\n\r\n[Otra]\r\n"},
    {"clave_al_final_sin_fin_de_linea", "[Transformadores]\nA=1", "[Transformadores]\nA=1\nTransformado=1\n"},
    {"seccion_vacia_al_final", "[Transformadores]\r\n", "[Transformadores]\r\nTransformado=1\r\n"},
    {"seccion_anadida", "[General]\nDir=C:\\HTEMP\n", "[General]\nDir=C:\\HTEMP\n[Transformadores]\nTransformado=1\n"},
    {"seccion_anadida_sin_fin_de_linea", "[General]\r\nDir=C:\\HTEMP",
     "[General]\r\nDir=C:\\HTEMP\r\n[Transformadores]\r\nTransformado=1\r\n"},
    {"marca_de_orden_de_bytes", "\xEF\xBB\xBF[Transformadores]\nTransformado=0\n",
     "\xEF\xBB\xBF[Transformadores]\nTransformado=1\n"},
    {"cabecera_sin_cierre", "[Transformadores\nTransformado=0\n",
     "[Transformadores\nTransformado=0\n[Transformadores]\nTransformado=1\n"},
};

class Ini : public ::testing::TestWithParam<CasoIni> {};

TEST_P(Ini, SoloCambiaElValor)
{
    EXPECT_EQ(ventana::ConValorIni(GetParam().antes, "Transformadores", "Transformado", "1"), GetParam().despues);
}

INSTANTIATE_TEST_SUITE_P(Textos, Ini, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

// The message of the error the write fails with.
std::string Fallo(const fs::path& fichero)
{
    try {
        ventana::EscribirValorIni(fichero, "Transformadores", "Transformado", "1");
    } catch (const Error& e) {
        return e.what();
    }
    return "(sin error)";
}

std::vector<std::string> Contenido(const fs::path& directorio)
{
    std::vector<std::string> nombres;
    for (const auto& e : fs::directory_iterator(directorio))
        nombres.push_back(e.path().filename().string());
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

TEST(EscribirIni, CreaOReemplazaConservandoPermisosYEnlaces)
{
    DirectorioTemporal dir;
    const auto ini = dir / "Horalia.ini";
    ventana::EscribirValorIni(ini, "Transformadores", "Transformado", "-1");
    EXPECT_EQ(LeerFichero(ini), "[Transformadores]\r\nTransformado=-1\r\n");

    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ventana::EscribirValorIni(ini, "Transformadores", "Transformado", "1");
    EXPECT_EQ(LeerFichero(ini), "[Transformadores]\r\nTransformado=1\r\n");
    EXPECT_EQ(fs::status(ini).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A link beside the host's program keeps pointing at the host's file.
    fs::create_directory(dir / "enlace");
    fs::create_symlink(ini, dir / "enlace" / "Horalia.ini");
    ventana::EscribirValorIni(dir / "enlace" / "Horalia.ini", "Transformadores", "Transformado", "0");
    EXPECT_TRUE(fs::is_symlink(dir / "enlace" / "Horalia.ini"));
    EXPECT_EQ(LeerFichero(ini), "[Transformadores]\r\nTransformado=0\r\n");
    EXPECT_EQ(Contenido(dir.Ruta()), (std::vector<std::string>{"Horalia.ini", "enlace"}));
}

TEST(EscribirIni, UnFalloDejaTodoComoEstaba)
{
    DirectorioTemporal dir;
    // No such directory.
    const auto sin_directorio = dir / "no" / "Horalia.ini";
    EXPECT_EQ(Fallo(sin_directorio), "Unable to write to " + sin_directorio.string());
    // A directory where the file should be: the temporary file goes away.
    fs::create_directory(dir / "Horalia.ini");
    EXPECT_EQ(Fallo(dir / "Horalia.ini"), "Unable to write to " + (dir / "Horalia.ini").string());
    EXPECT_EQ(Contenido(dir.Ruta()), std::vector<std::string>{"Horalia.ini"});
}

TEST(EscribirIni, UnFalloEnCualquierLlamadaDejaElFicheroComoEstaba)
{
    using so::pruebas::inyeccion;
    DirectorioTemporal dir;
    const std::string antes = "[Transformadores]\nTransformado=0\n";
    const fs::path ini = dir / "Horalia.ini";
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        EscribirFichero(ini, antes);
        inyeccion = {};
        inyeccion.fallar = n;
        const std::string fallo = Fallo(ini);
        inyeccion = {};
        if (fallo == "(sin error)") {  // past the last call, or at the folder's flush once the file is in place
            EXPECT_EQ(LeerFichero(ini), "[Transformadores]\nTransformado=1\n");
            break;
        }
        EXPECT_EQ(fallo, "Unable to write to " + ini.string());
        EXPECT_EQ(LeerFichero(ini), antes);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Ruta()), {}), 1);
    }
}

TEST(RutaIni, DirectorioDelParametroCeroTalComoLlega)
{
    DirectorioTemporal dir;
    fs::create_directory(dir / "horalia");
    EscribirFichero(dir / "horalia" / "HORALIA.INI", "");
    struct Caso {
        std::string parametro0;
        fs::path ini;
    };
    for (const Caso& c : {Caso{(dir / "bin" / "transhoralianorvica").string(), dir / "bin" / "Horalia.ini"},
                          Caso{(dir / "horalia" / "trans").string(), dir / "horalia" / "HORALIA.INI"},
                          Caso{"transhoralianorvica", dir / "real" / "Horalia.ini"},
                          Caso{"./transhoralianorvica", fs::path(".") / "Horalia.ini"}})
        EXPECT_EQ(ventana::RutaIniAnfitrion(c.parametro0, dir / "real"), c.ini) << c.parametro0;
}

}  // namespace
}  // namespace thn::prueba
