// SPDX-License-Identifier: EUPL-1.2
// On both systems; the Windows build runs it under Wine, whose disk ignores
// letter case. An export over tables that Horalia spelt in lower case, cut
// off at every call as if the process had died there, is settled by the next
// action to one whole set, and no table is listed under two spellings.

#include "comun/centro.h"
#include "comun/comun.h"
#include "comun/fallos_so.h"
#include "base/ascii.h"
#include "base/error.h"
#include "exportar/exportacion.h"
#include "exportar/restauracion.h"
#include "trabajo/sesion.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace thn::prueba {
namespace {

namespace fs = std::filesystem;
using so::pruebas::inyeccion;

// The working directory's own files, without the tool's folder (and the
// tables it keeps).
Foto Tablas(Foto f)
{
    std::erase_if(f, [](const auto& e) {
        return !e.first.starts_with("HTEMP/") || e.first == "HTEMP/" || e.first.starts_with("HTEMP/.transhoralianorvica");
    });
    return f;
}

// The working directory's entries, each spelling once, without regard to case.
std::string Grafias(const Foto& foto)
{
    std::string nombres;
    std::set<std::string> vistas;
    for (const auto& [nombre, contenido] : Tablas(foto)) {
        nombres += nombre + " ";
        EXPECT_TRUE(vistas.insert(MinusculasAscii(nombre)).second) << nombre;
    }
    return nombres;
}

TEST(Grafias, UnaExportacionSobreTablasEnMinusculasCortadaEnCadaLlamada)
{
    inyeccion = {};
    DirectorioTemporal dir;
    const fs::path htemp = dir / "HTEMP", documento = dir / "centro.xml", otro = dir / "otro.xml";
    fs::create_directory(htemp);
    fs::copy_file(fs::path(THN_DATOS_PRUEBA).parent_path().parent_path() / "examples" / "centro.xml", documento);
    EscribirFichero(otro, Centro(Seccion("materias", "dmateria",
                                         {{{"codigo", "VIEJA"}, {"nombre", "v"}, {"codigo_actividad", "LECTIVA"},
                                           {"idmateria", "1"}},
                                          {{"codigo", "OTRA"}, {"nombre", "o"}, {"codigo_actividad", "LECTIVA"},
                                           {"idmateria", "2"}}})));
    ComponentesTabla componentes;
    auto exportar = [&](const fs::path& doc) {
        RegistrosCodigos registros;
        thn::Exportar(doc, htemp, registros, componentes);
    };
    exportar(otro);
    // As Horalia leaves them: lower case, with an index of its own.
    for (const auto& e : fs::directory_iterator(htemp)) {
        const fs::path minusculas = htemp / MinusculasAscii(e.path().filename().string());
        fs::rename(e.path(), htemp / "renombrando");
        fs::rename(htemp / "renombrando", minusculas);
    }
    EscribirFichero(htemp / "asignomt.mdx", "índice viejo");
    const Foto antes = Fotografiar(dir.Ruta());

    exportar(documento);
    const Foto bien = Fotografiar(dir.Ruta());
    // Every table keeps Horalia's spelling; the stale index goes.
    EXPECT_EQ(Grafias(bien), "HTEMP/asignomt.dbf HTEMP/asigt.dbf HTEMP/aulat.dbf HTEMP/diashorast.dbf "
                             "HTEMP/grupost.dbf HTEMP/proft.dbf ");
    // Restoring gives them back byte for byte, index and spellings included.
    thn::Restaurar(htemp, "");
    EXPECT_EQ(Diferencias(Tablas(antes), Tablas(Fotografiar(dir.Ruta()))), "");
    const struct {
        const char* nombre;
        const Foto& desde;
        std::function<void()> accion;
    } acciones[] = {
        {"exportar", antes, [&] { exportar(documento); }},
        {"restaurar", bien, [&] { thn::Restaurar(htemp, ""); }},
    };
    for (const auto& [nombre, desde, accion] : acciones) {
        Restaurar(dir.Ruta(), desde);
        inyeccion = {};
        accion();
        const int llamadas = inyeccion.cuenta;
        const Foto hecha = Fotografiar(dir.Ruta());
        ASSERT_GT(llamadas, 10);
        for (int n = 1; n <= llamadas; ++n) {
            SCOPED_TRACE(std::string(nombre) + " cortada en la llamada " + std::to_string(n));
            Restaurar(dir.Ruta(), desde);
            inyeccion = {};
            inyeccion.fallar = n;
            inyeccion.en_adelante = true;
            try {
                accion();
            } catch (const Error&) {
            }
            inyeccion = {};
            try {
                EstadoTablas estado;
                SesionTrabajo siguiente(htemp, estado);
            } catch (const Error& e) {
                ADD_FAILURE() << e.what();
            }
            const Foto ahora = Tablas(Fotografiar(dir.Ruta()));
            Grafias(ahora);
            EXPECT_TRUE(Diferencias(Tablas(desde), ahora).empty() || Diferencias(Tablas(hecha), ahora).empty())
                << Diferencias(Tablas(hecha), ahora);
        }
    }
}

}  // namespace
}  // namespace thn::prueba
