// SPDX-License-Identifier: EUPL-1.2
// "instalar-wine": the launcher of Horalia's bitness beside Horalia, its
// configuration, and nothing else in the prefix touched; "--quitar" undoes it.

#include "cli/cabecera_pe.h"
#include "cli/instalar_wine.h"
#include "comun/comun.h"
#include "base/error.h"
#include "lanzador/nucleo/marca.h"

#include <gtest/gtest.h>

#include <map>

namespace thn::prueba {
namespace {

namespace fs = std::filesystem;
using Ficheros = std::map<std::string, std::string>;  // path inside the prefix, content

// The start of a Windows program for `maquina` (0x14C i386, 0x8664 x86-64).
std::string Pe(unsigned maquina, std::size_t cabecera = 0x80)
{
    std::string bytes(cabecera + 0x20, '\0');
    bytes.replace(0, 2, "MZ");
    bytes[0x3C] = static_cast<char>(cabecera & 0xFF);
    bytes[0x3D] = static_cast<char>(cabecera >> 8);
    bytes.replace(cabecera, 4, std::string("PE\0\0", 4));
    bytes[cabecera + 4] = static_cast<char>(maquina & 0xFF);
    bytes[cabecera + 5] = static_cast<char>(maquina >> 8);
    return bytes;
}

TEST(CabeceraPe, BitsDelPrograma)
{
    const std::pair<std::string, std::optional<int>> casos[] = {
        {Pe(0x14C), 32}, {Pe(0x8664), 64}, {Pe(0x8664, 0x400), 64}, {Pe(0xAA64), std::nullopt},
        {Pe(0x14C).substr(0, 0x84), std::nullopt}, {"MZ", std::nullopt}, {"", std::nullopt},
        {"ZM" + Pe(0x14C).substr(2), std::nullopt},
    };
    for (const auto& [bytes, bits] : casos)
        EXPECT_EQ(cli::BitsDeEjecutable(bytes), bits) << bytes.size();
}

const std::string k32 = std::string("lanzador 32 ") + lanzador::MarcaLanzador();
const std::string k64 = std::string("lanzador 64 ") + lanzador::MarcaLanzador();
// Stands for the bytes of the command-line program, which carries the mark's halves.
const std::string kNuestro = "<el programa de órdenes>";
const std::string kConfiguracion = "[TransHoraliaNorvica]\r\nPrograma=/opt/thn/transhoralianorvica\r\n";
const std::string kH64 = Pe(0x8664), kH32 = Pe(0x14C);

struct Caso {
    const char* nombre;
    Ficheros antes;
    std::optional<std::string> horalia;  // --horalia; "@" stands for the prefix
    bool quitar;
    Ficheros despues;
    std::string error;  // the message, "" when it succeeds
};
void PrintTo(const Caso& c, std::ostream* os) { *os << c.nombre; }

const Caso kCasos[] = {
    {"encuentra_horalia_de_64", {{"drive_c/Program Files/Horalia/HORALIA.EXE", kH64}, {"drive_c/HTEMP/X.DBF", "x"}},
     std::nullopt, false,
     {{"drive_c/Program Files/Horalia/HORALIA.EXE", kH64}, {"drive_c/HTEMP/X.DBF", "x"},
      {"drive_c/Program Files/Horalia/transhoralianorvica.exe", k64},
      {"drive_c/Program Files/Horalia/transhoralianorvica.ini", kConfiguracion}}, ""},
    {"carpeta_windows_de_32", {{"drive_c/Horalia/Horalia.exe", kH32}}, "C:\\Horalia", false,
     {{"drive_c/Horalia/Horalia.exe", kH32}, {"drive_c/Horalia/transhoralianorvica.exe", k32},
      {"drive_c/Horalia/transhoralianorvica.ini", kConfiguracion}}, ""},
    {"sin_horalia_los_dos", {{"drive_c/H/leeme.txt", "l"}}, "@/drive_c/H", false,
     {{"drive_c/H/leeme.txt", "l"}, {"drive_c/H/transhoralianorvica.exe", k32},
      {"drive_c/H/transhoralianorvica64.exe", k64}, {"drive_c/H/transhoralianorvica.ini", kConfiguracion}}, ""},
    {"reinstala_sobre_el_suyo",
     {{"drive_c/Horalia/Horalia.exe", kH64}, {"drive_c/Horalia/TransHoraliaNorvica.exe", "viejo " + k32}},
     std::nullopt, false,
     {{"drive_c/Horalia/Horalia.exe", kH64}, {"drive_c/Horalia/TransHoraliaNorvica.exe", k64},
      {"drive_c/Horalia/transhoralianorvica.ini", kConfiguracion}}, ""},
    {"no_sustituye_otro_programa",
     {{"drive_c/Horalia/Horalia.exe", kH32}, {"drive_c/Horalia/transhoralianorvica.exe", "la herramienta"}},
     std::nullopt, false,
     {{"drive_c/Horalia/Horalia.exe", kH32}, {"drive_c/Horalia/transhoralianorvica.exe", "la herramienta"}},
     "@/drive_c/Horalia/transhoralianorvica.exe no es el lanzador de TransHoraliaNorvica: no se sustituye"},
    {"ninguna_horalia", {{"drive_c/windows/Horalia.exe", kH32}}, std::nullopt, false,
     {{"drive_c/windows/Horalia.exe", kH32}}, "No se encuentra Horalia.exe en @/drive_c"},
    {"dos_horalias", {{"drive_c/A/Horalia.exe", kH32}, {"drive_c/B/horalia.exe", kH64}}, std::nullopt, false,
     {{"drive_c/A/Horalia.exe", kH32}, {"drive_c/B/horalia.exe", kH64}}, "Hay varias carpetas con Horalia.exe en @/drive_c"},
    {"carpeta_que_no_existe", {{"drive_c/Horalia/Horalia.exe", kH32}}, "C:\\Otra", false,
     {{"drive_c/Horalia/Horalia.exe", kH32}}, "No existe la carpeta de Horalia @/dosdevices/c:/Otra"},
    {"quitar",
     {{"drive_c/Horalia/Horalia.exe", kH32}, {"drive_c/Horalia/transhoralianorvica.exe", k32},
      {"drive_c/Horalia/transhoralianorvica64.exe", k64}, {"drive_c/Horalia/Transhoralianorvica.ini", kConfiguracion},
      {"drive_c/Horalia/Horalia.ini", "[Transformadores]\r\nTransformado=1\r\n"}},
     std::nullopt, true,
     {{"drive_c/Horalia/Horalia.exe", kH32}, {"drive_c/Horalia/Horalia.ini", "[Transformadores]\r\nTransformado=1\r\n"}},
     ""},
    {"quitar_deja_otro_programa_y_lo_que_lee",
     {{"drive_c/Horalia/Horalia.exe", kH32}, {"drive_c/Horalia/transhoralianorvica.exe", "la herramienta"},
      {"drive_c/Horalia/transhoralianorvica.ini", "de la herramienta"}},
     std::nullopt, true,
     {{"drive_c/Horalia/Horalia.exe", kH32}, {"drive_c/Horalia/transhoralianorvica.exe", "la herramienta"},
      {"drive_c/Horalia/transhoralianorvica.ini", "de la herramienta"}}, ""},
    {"otro_programa_nuestro_no_es_el_lanzador",
     {{"drive_c/Horalia/Horalia.exe", kH32}, {"drive_c/Horalia/transhoralianorvica.exe", kNuestro}},
     std::nullopt, false,
     {{"drive_c/Horalia/Horalia.exe", kH32}, {"drive_c/Horalia/transhoralianorvica.exe", kNuestro}},
     "@/drive_c/Horalia/transhoralianorvica.exe no es el lanzador de TransHoraliaNorvica: no se sustituye"},
};

class InstalarWine : public ::testing::TestWithParam<Caso> {};

std::string ConPrefijo(std::string texto, const fs::path& prefijo)
{
    if (const auto arroba = texto.find('@'); arroba != std::string::npos)
        texto.replace(arroba, 1, prefijo.string());
    return texto;
}

TEST_P(InstalarWine, SoloTocaLoSuyo)
{
#ifdef _WIN32
    GTEST_SKIP() << "instalar-wine prepares a Wine prefix from Linux; Windows has none";
#endif
    const Caso& c = GetParam();
    DirectorioTemporal dir;
    const fs::path prefijo = dir / "prefijo";
    const std::string nuestro = LeerFichero(DirectorioBinario() / "cli" / "transhoralianorvica-cli");
    auto bytes = [&](const std::string& contenido) { return contenido == kNuestro ? nuestro : contenido; };
    for (const auto& [ruta, contenido] : c.antes) {
        fs::create_directories((prefijo / ruta).parent_path());
        EscribirFichero(prefijo / ruta, bytes(contenido));
    }
    fs::create_directories(prefijo / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefijo / "dosdevices" / "c:");
    fs::create_directories(dir / "wine");
    EscribirFichero(dir / "wine" / "transhoralianorvica32.exe", k32);
    EscribirFichero(dir / "wine" / "transhoralianorvica64.exe", k64);
    fs::create_directories(dir / "opt" / "thn");
    EscribirFichero(dir / "opt" / "thn" / "transhoralianorvica", "programa");

    cli::InstalacionWine instalacion{prefijo, std::nullopt, dir / "opt" / "thn" / "transhoralianorvica",
                                     dir / "wine", c.quitar};
    if (c.horalia)
        instalacion.horalia = ConPrefijo(*c.horalia, prefijo);
    std::string error;
    try {
        cli::InstalarWine(instalacion);
    } catch (const Error& e) {
        error = e.what();
    }
    EXPECT_EQ(error, ConPrefijo(c.error, prefijo));

    Ficheros despues;
    for (const auto& f : fs::recursive_directory_iterator(prefijo))
        if (f.is_regular_file() && !f.is_symlink())
            despues[fs::relative(f.path(), prefijo).string()] = LeerFichero(f.path());
    Ficheros esperado = c.despues;  // the configuration names the program where it is
    for (auto& [ruta, contenido] : esperado)
        if (contenido = bytes(contenido); contenido == kConfiguracion)
            contenido = "[TransHoraliaNorvica]\r\nPrograma=" + instalacion.programa.string() + "\r\n";
    EXPECT_EQ(despues, esperado);
}

INSTANTIATE_TEST_SUITE_P(Prefijo, InstalarWine, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace thn::prueba
