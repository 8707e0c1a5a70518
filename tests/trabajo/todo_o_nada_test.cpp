// SPDX-License-Identifier: EUPL-1.2
// Whole actions against a system that fails: every call that changes a file
// is made to fail in turn, the process to die between two renames, another
// export to run at the same time, another program to hold a table.

#include "comun/centro.h"
#include "comun/comun.h"
#include "comun/fallos_so.h"
#include "exportar/exportacion.h"
#include "base/error.h"
#include "trabajo/sesion.h"
#include "importar/importacion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <map>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace thn::prueba {
namespace {

namespace fs = std::filesystem;
using so::pruebas::inyeccion;
using so::pruebas::Inyeccion;

void Restaurar(const fs::path& raiz, const Foto& foto)
{
    for (const auto& e : fs::directory_iterator(raiz))
        fs::remove_all(e.path());
    for (const auto& [nombre, contenido] : foto) {
        if (nombre.back() == '/')
            fs::create_directories(raiz / nombre);
        else
            EscribirFichero(raiz / nombre, contenido);
    }
}

// A child process that runs `hijo` and ends with its status, without running
// any of this process's clean-up.
pid_t Hijo(const std::function<int()>& hijo)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(hijo());
    return pid;
}

int Esperar(pid_t pid)
{
    int estado = 0;
    ::waitpid(pid, &estado, 0);
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

struct Tubo {
    int fd[2] = {-1, -1};
    Tubo() { EXPECT_EQ(::pipe(fd), 0); }
    ~Tubo() { ::close(fd[0]); ::close(fd[1]); }
    void Senal() { EXPECT_EQ(::write(fd[1], "x", 1), 1); }
    void Recibir() { char c; EXPECT_EQ(::read(fd[0], &c, 1), 1); }
};

class TodoONada : public ::testing::Test {
protected:
    void SetUp() override
    {
        inyeccion = {};
        fs::create_directory(htemp);
        // The working directory as an earlier export of another school left it.
        EscribirFichero(otro, Centro(Seccion("materias", "dmateria",
                                             {{{"codigo", "VIEJA"}, {"nombre", "v"}, {"codigo_actividad", "LECTIVA"},
                                               {"idmateria", "1"}},
                                              {{"codigo", "OTRA"}, {"nombre", "o"}, {"codigo_actividad", "LECTIVA"},
                                               {"idmateria", "2"}}})));
        Exportar(otro);
        EscribirFichero(htemp / "ASIGNOMT.MDX", "índice viejo");
        EscribirFichero(htemp / "DIASHORAST.MDX", "índice que se queda");
        EscribirFichero(htemp / "NOTAS.TXT", "de Horalia");
        fs::copy_file(fs::path(THN_DATOS_PRUEBA).parent_path().parent_path() / "examples" / "centro.xml", documento);
        EscribirFichero(dir / "ResultadoHoraliacentro.xml", "<resultado anterior/>");
        Soluc();
        antes = Fotografiar(dir.Ruta());
    }

    void TearDown() override { inyeccion = {}; }

    // A SOLUC whose codes the example's tables hold, as Horalia would leave it
    // after the example's export.
    void Soluc()
    {
        using dbf::TipoCampo;
        const fs::path ruta = htemp / "SOLUC.DBF";
        dbf::Tabla::Crear(ruta, {{"DIA", TipoCampo::Entero, 0}, {"HORA", TipoCampo::Flotante, 0},
                                 {"SESIONES", TipoCampo::Caracter, 20}, {"CODGRUPO", TipoCampo::Caracter, 10},
                                 {"ASIG", TipoCampo::Caracter, 10}, {"TAREA", TipoCampo::Caracter, 10},
                                 {"PROF", TipoCampo::Caracter, 10}, {"AULA", TipoCampo::Caracter, 10}});
        dbf::Tabla t(ruta, dbf::Acceso::Exclusivo);
        for (int dia = 1; dia <= 5; ++dia) {
            t.Anadir();
            t.PonerEntero("DIA", dia);
            t.PonerFlotante("HORA", 2);
            t.PonerTexto("SESIONES", "1");
            t.PonerTexto("ASIG", "VIEJA");
            t.PonerTexto("TAREA", "LECT");
            t.Grabar();
        }
    }

    ResultadoAccion Exportar(const fs::path& doc)
    {
        RegistrosCodigos registros;
        return thn::Exportar(doc, htemp, registros, componentes);
    }

    ResultadoAccion Importar()
    {
        const Reloj reloj{[] { return std::time_t{1796637600}; }, "%d/%m/%Y", "%H:%M:%S"};
        return thn::Importar(documento, htemp, componentes, ',', reloj);
    }

    // What a run that nothing disturbs leaves, and how many calls it makes.
    Foto SinFallos(const std::function<void()>& accion, int& llamadas, const char* solo = "")
    {
        Restaurar(dir.Ruta(), antes);
        inyeccion = {};
        inyeccion.solo = solo;
        accion();
        llamadas = inyeccion.cuenta;
        inyeccion = {};
        Foto f = Fotografiar(dir.Ruta());
        Restaurar(dir.Ruta(), antes);
        return f;
    }

    // Both directions fail with `mensaje` and change nothing.
    void NingunaAccionPuede(const std::string& mensaje)
    {
        const Foto ahora = Fotografiar(dir.Ruta());
        for (const auto& accion : std::vector<std::function<void()>>{[&] { Exportar(otro); }, [&] { Importar(); }}) {
            try {
                accion();
                ADD_FAILURE() << "completada";
            } catch (const Error& e) {
                EXPECT_EQ(std::string(e.what()), mensaje);
            }
            EXPECT_EQ(Diferencias(ahora, Fotografiar(dir.Ruta())), "");
        }
    }

    DirectorioTemporal dir;
    fs::path htemp = dir / "HTEMP";
    fs::path documento = dir / "centro.xml";
    fs::path otro = dir / "otro.xml";
    ComponentesTabla componentes;
    Foto antes;
};

TEST_F(TodoONada, UnFalloEnCualquierLlamadaDejaTodoComoEstaba)
{
    const std::pair<const char*, std::function<void()>> acciones[] = {
        {"exportar", [&] { Exportar(documento); }},
        {"importar", [&] { Importar(); }},
    };
    for (const auto& [nombre, accion] : acciones) {
        int llamadas = 0;
        const Foto bien = SinFallos(accion, llamadas);
        ASSERT_NE(Diferencias(antes, bien), "") << nombre;
        ASSERT_GT(llamadas, 10) << nombre;
        for (int n = 1; n <= llamadas; ++n) {
            SCOPED_TRACE(std::string(nombre) + ", falla la llamada " + std::to_string(n));
            Restaurar(dir.Ruta(), antes);
            inyeccion = {};
            inyeccion.fallar = n;
            bool completada = true;
            std::string detalle;
            try {
                accion();
            } catch (const Error& e) {
                completada = false;
                detalle = e.Detalle();
            }
            inyeccion = {};
            if (!completada) {
                EXPECT_EQ(Diferencias(antes, Fotografiar(dir.Ruta())), "");
                if (std::string(nombre) == "exportar") {
                    EXPECT_NE(detalle.find("No se ha cambiado ninguna tabla de Horalia."), std::string::npos);
                }
            } else {
                // The failure hit the tidying up after the work was in place:
                // the next action finishes it.
                SesionTrabajo siguiente(htemp);
                EXPECT_EQ(Diferencias(bien, Fotografiar(dir.Ruta())), "");
            }
        }
    }
}

TEST_F(TodoONada, UnaExportacionQueMuereEntreDosRenombresLaTerminaLaSiguiente)
{
    int renombres = 0;
    const Foto bien = SinFallos([&] { Exportar(documento); }, renombres, "renombrar");
    ASSERT_GT(renombres, 12);
    int terminadas = 0;
    for (int n = 1; n <= renombres; ++n) {
        SCOPED_TRACE("muere en el renombre " + std::to_string(n));
        Restaurar(dir.Ruta(), antes);
        const pid_t pid = Hijo([&] {
            inyeccion = {};
            inyeccion.solo = "renombrar";
            inyeccion.fallar = n;
            inyeccion.efecto = Inyeccion::Morir;
            Exportar(documento);
            return 0;
        });
        ASSERT_EQ(Esperar(pid), 77);
        SesionTrabajo siguiente(htemp);
        const Foto despues = Fotografiar(dir.Ruta());
        if (Diferencias(despues, bien).empty())
            ++terminadas;
        else
            EXPECT_EQ(Diferencias(antes, despues), "");
    }
    // Deaths after the journal are completed, not undone.
    EXPECT_GE(terminadas, 10);
}

TEST_F(TodoONada, DosExportacionesALaVezEnUnDirectorio)
{
    int llamadas = 0;
    const Foto bien = SinFallos([&] { Exportar(documento); }, llamadas);
    Tubo aviso, espera;
    // The first export stops while it replaces the tables, holding the directory.
    const pid_t pid = Hijo([&] {
        inyeccion = {};
        inyeccion.solo = "volcar carpeta";
        inyeccion.fallar = 1;
        inyeccion.efecto = Inyeccion::Esperar;
        inyeccion.aviso = aviso.fd[1];
        inyeccion.espera = espera.fd[0];
        try {
            Exportar(documento);
            return 0;
        } catch (...) {
            return 1;
        }
    });
    aviso.Recibir();
    const std::string mensaje =
        "Hay otra exportación o importación en curso en el directorio de trabajo '" + htemp.string() + "'";
    NingunaAccionPuede(mensaje);
    espera.Senal();
    EXPECT_EQ(Esperar(pid), 0);
    EXPECT_EQ(Diferencias(bien, Fotografiar(dir.Ruta())), "");
}

TEST_F(TodoONada, UnaTablaRetenidaPorOtroProgramaNoSeSustituyeNiSeLee)
{
    struct Retencion {
        const char* nombre;
        std::function<bool(int)> tomar;
    };
    auto registro = [](short tipo, off_t desde, off_t largo) {
        return [=](int fd) {
            struct flock l {};
            l.l_type = tipo;
            l.l_whence = SEEK_SET;
            l.l_start = desde;
            l.l_len = largo;
            return ::fcntl(fd, F_SETLK, &l) == 0;
        };
    };
    const Retencion retenciones[] = {
        {"flock exclusivo", [](int fd) { return ::flock(fd, LOCK_EX) == 0; }},
        {"flock compartido", [](int fd) { return ::flock(fd, LOCK_SH) == 0; }},
        {"fcntl de escritura en una región", registro(F_WRLCK, 0, 32)},
        {"fcntl de lectura de todo el fichero", registro(F_RDLCK, 0, 0)},
        {"fcntl de escritura más allá del final", registro(F_WRLCK, 1 << 20, 1)},
    };
    const std::string mensaje = "La tabla '" + (htemp / "GRUPOST.DBF").string() + "' está abierta por otro programa";
    Exportar(documento);  // the import needs the example's tables
    for (const auto& r : retenciones) {
        SCOPED_TRACE(r.nombre);
        Tubo aviso, espera;
        const pid_t pid = Hijo([&] {
            const int fd = ::open((htemp / "GRUPOST.DBF").c_str(), O_RDWR);
            if (fd < 0 || !r.tomar(fd))
                return 1;
            char c = 'x';
            if (::write(aviso.fd[1], &c, 1) != 1 || ::read(espera.fd[0], &c, 1) != 1)
                return 1;
            return 0;
        });
        aviso.Recibir();
        NingunaAccionPuede(mensaje);
        espera.Senal();
        EXPECT_EQ(Esperar(pid), 0);
    }
}

}  // namespace
}  // namespace thn::prueba
