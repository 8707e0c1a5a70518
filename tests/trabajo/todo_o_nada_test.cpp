// SPDX-License-Identifier: EUPL-1.2
// Whole actions against a system that fails: every call that changes a file
// is made to fail in turn, the process to die between two renames, another
// export to run at the same time, another program to hold a table.

#include "comun/centro.h"
#include "comun/comun.h"
#include "comun/fallos_so.h"
#include "exportar/exportacion.h"
#include "exportar/restauracion.h"
#include "base/ascii.h"
#include "base/error.h"
#include "trabajo/sesion.h"
#include "importar/comprobacion_solucion.h"
#include "importar/importacion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <algorithm>
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

    ResultadoAccion PonerAnteriores(const std::string& fecha = "") { return thn::Restaurar(htemp, fecha); }

    // The state after exporting the example over `antes`: `antes`'s tables kept.
    Foto Exportada()
    {
        prueba::Restaurar(dir.Ruta(), antes);
        Exportar(documento);
        Foto f = Fotografiar(dir.Ruta());
        prueba::Restaurar(dir.Ruta(), antes);
        return f;
    }

    // What a run that nothing disturbs leaves, and how many calls it makes.
    Foto SinFallos(const std::function<void()>& accion, int& llamadas, const char* solo = "",
                   const Foto* desde = nullptr)
    {
        prueba::Restaurar(dir.Ruta(), desde ? *desde : antes);
        inyeccion = {};
        inyeccion.solo = solo;
        accion();
        llamadas = inyeccion.cuenta;
        inyeccion = {};
        Foto f = Fotografiar(dir.Ruta());
        prueba::Restaurar(dir.Ruta(), desde ? *desde : antes);
        return f;
    }

    // From `desde`, `accion` killed at its `n`-th rename.
    void Matar(const std::function<void()>& accion, int n, const Foto& desde)
    {
        prueba::Restaurar(dir.Ruta(), desde);
        const pid_t pid = Hijo([&] {
            inyeccion = {};
            inyeccion.solo = "renombrar";
            inyeccion.fallar = n;
            inyeccion.efecto = Inyeccion::Morir;
            accion();
            return 0;
        });
        ASSERT_EQ(Esperar(pid), 77);
    }
    void MatarExportacion(int n) { Matar([&] { Exportar(documento); }, n, antes); }

    // The first rename of the export's replacement, the first with its whole
    // journal written; leaves the export killed there.
    int PrimerRenombreDeLaSustitucion()
    {
        for (int n = 1;; ++n) {
            MatarExportacion(n);
            if (fs::exists(preparacion / "DIARIO"))
                return n;
        }
    }
    // Its steps, one rename each.
    int PasosDeLaSustitucion()
    {
        const std::string diario = LeerFichero(preparacion / "DIARIO");
        return static_cast<int>(std::count(diario.begin(), diario.end(), '\n')) - 2;
    }

    // A kept file's contents without what tells the moment it was kept.
    static std::string SinFecha(const std::string& nombre, const std::string& contenido)
    {
        if (!nombre.ends_with("descripcion.txt"))
            return contenido;
        std::string texto;
        for (std::size_t desde = 0, fin; (fin = contenido.find('\n', desde)) != std::string::npos; desde = fin + 1)
            if (const std::string linea = contenido.substr(desde, fin - desde);
                !(linea.starts_with("fecha=") || linea.starts_with("#")))
                texto += linea + "\n";
        return texto;
    }

    // The kept set at `carpeta` in a photograph, without the moment.
    Foto Conjunto(const Foto& f, const fs::path& carpeta) const
    {
        Foto c;
        const std::string prefijo = fs::relative(carpeta, dir.Ruta()).generic_string() + "/";
        for (const auto& [nombre, contenido] : f)
            if (nombre.starts_with(prefijo))
                c[nombre.substr(prefijo.size())] = SinFecha(nombre, contenido);
        return c;
    }

    // A photograph whose kept sets are named "*", without the moment: two
    // runs a second apart leave the same.
    static Foto SinMomento(const Foto& f)
    {
        static const std::string kAnteriores = ".transhoralianorvica/anteriores/";
        Foto r;
        for (const auto& [nombre, contenido] : f) {
            const std::size_t p = nombre.find(kAnteriores);
            if (p == std::string::npos) {
                r[nombre] = contenido;
                continue;
            }
            const std::size_t desde = p + kAnteriores.size(), fin = nombre.find('/', desde);
            r[fin == std::string::npos ? nombre : nombre.substr(0, desde) + "*" + nombre.substr(fin)] =
                SinFecha(nombre, contenido);
        }
        return r;
    }

    // Settles the working directory as the next action would.
    void Asentar()
    {
        try {
            EstadoTablas estado;
            SesionTrabajo siguiente(htemp, estado);
        } catch (const Error& e) {
            ADD_FAILURE() << e.what();
        }
    }

    // The working directory's own files, without the staging folder.
    static Foto Tablas(Foto f)
    {
        std::erase_if(f, [](const auto& e) {
            return !e.first.starts_with("HTEMP/") || e.first.starts_with("HTEMP/.transhoralianorvica");
        });
        return f;
    }

    static constexpr const char* kNada = "No se ha cambiado ninguna tabla de Horalia.";
    static constexpr const char* kRestaurando = "Las tablas de Horalia se están restaurando";

    // Both directions and a restore fail with `mensaje` and change nothing.
    void NingunaAccionPuede(const std::string& mensaje)
    {
        const Foto ahora = Fotografiar(dir.Ruta());
        for (const auto& accion : std::vector<std::function<void()>>{
                 [&] { Exportar(otro); }, [&] { Importar(); }, [&] { PonerAnteriores(); }}) {
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
    fs::path preparacion = htemp / ".transhoralianorvica";
    ComponentesTabla componentes;
    Foto antes;
};

TEST_F(TodoONada, UnFalloODosDejanUnSoloJuegoDeTablasYUnMensajeCierto)
{
    const Foto exportada = Exportada();
    const struct {
        const char* nombre;
        const Foto& desde;
        std::function<ResultadoAccion()> accion;
    } acciones[] = {
        {"exportar", antes, [&] { return Exportar(documento); }},
        {"importar", antes, [&] { return Importar(); }},
        {"restaurar", exportada, [&] { return PonerAnteriores(); }},
    };
    int restaurando_veces = 0, sin_guardar = 0;
    for (const auto& [nombre, desde, accion] : acciones) {
        int llamadas = 0;
        ResultadoAccion sin_fallos;
        const Foto bien = SinFallos([&] { sin_fallos = accion(); }, llamadas, "", &desde);
        ASSERT_NE(Diferencias(desde, bien), "") << nombre;
        ASSERT_GT(llamadas, 10) << nombre;
        const bool importar = std::string(nombre) == "importar";
        ASSERT_EQ(sin_fallos.anteriores.empty(), importar) << nombre;
        const Foto guardado = Conjunto(bien, sin_fallos.anteriores);
        for (int n = 1; n <= llamadas; ++n) {
            // The first failure, alone, then with each later call failing
            // too: an undo, a flush, a clean-up.
            int hasta = n;
            for (int m = 0; m <= hasta; m = m == 0 ? n + 1 : m + 1) {
                SCOPED_TRACE(std::string(nombre) + ", fallan las llamadas " + std::to_string(n) + " y "
                             + std::to_string(m));
                Restaurar(dir.Ruta(), desde);
                inyeccion = {};
                inyeccion.fallar = n;
                inyeccion.tambien = m;
                bool completada = true;
                std::string detalle;
                ResultadoAccion r;
                try {
                    r = accion();
                } catch (const Error& e) {
                    completada = false;
                    detalle = e.Detalle();
                }
                if (m == 0)
                    hasta = inyeccion.cuenta;
                inyeccion = {};
                const Foto ahora = Fotografiar(dir.Ruta());
                const bool restaurando = detalle.find(kRestaurando) != std::string::npos;
                restaurando_veces += restaurando;
                if (!completada && !restaurando) {
                    EXPECT_EQ(Diferencias(Tablas(desde), Tablas(ahora)), "");
                    if (!importar) {
                        EXPECT_NE(detalle.find(kNada), std::string::npos) << detalle;
                    }
                }
                if (importar) {
                    // The next import leaves no trace of the failed one.
                    Importar();
                    EXPECT_EQ(Diferencias(bien, Fotografiar(dir.Ruta())), "");
                    continue;
                }
                // The next action settles whatever is left: the old set
                // when nothing had changed (the kept ones untouched), else
                // one whole set. Only keeping the replaced tables may fail
                // on its own, and the report says so.
                Asentar();
                const Foto despues = Fotografiar(dir.Ruta());
                if (completada) {
                    EXPECT_EQ(Diferencias(Tablas(bien), Tablas(despues)), "");
                    sin_guardar += !r.aviso_anteriores.empty();
                    if (r.aviso_anteriores.empty()) {
                        EXPECT_EQ(Diferencias(guardado, Conjunto(despues, r.anteriores)), "");
                    }
                } else if (!restaurando) {
                    EXPECT_EQ(Diferencias(desde, despues), "");
                } else {
                    EXPECT_TRUE(Diferencias(Tablas(bien), Tablas(despues)).empty()
                                || Diferencias(Tablas(desde), Tablas(despues)).empty())
                        << Diferencias(bien, despues);
                }
            }
        }
    }
    // Some pairs hit a step and its undo; some only the keeping.
    EXPECT_GT(restaurando_veces, 0);
    EXPECT_GT(sin_guardar, 0);
}

TEST_F(TodoONada, RestaurarDevuelveLasTablasSustituidasYSePuedeDeshacer)
{
    // Nothing kept yet: said, and nothing changes.
    auto falla = [&](const std::string& fecha, const std::string& mensaje) {
        const Foto ahora = Fotografiar(dir.Ruta());
        try {
            PonerAnteriores(fecha);
            ADD_FAILURE() << "completada";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).substr(0, mensaje.size()), mensaje);
            EXPECT_NE(e.Detalle().find(kNada), std::string::npos) << e.Detalle();
        }
        EXPECT_EQ(Diferencias(ahora, Fotografiar(dir.Ruta())), "");
    };
    EXPECT_TRUE(ListarAnteriores(htemp).empty());
    falla("", "No hay exportaciones anteriores guardadas");
    // As Horalia leaves its tables: lower case, with indexes of its own.
    for (const auto& e : fs::directory_iterator(htemp)) {
        fs::rename(e.path(), htemp / "renombrando");
        fs::rename(htemp / "renombrando", htemp / MinusculasAscii(e.path().filename().string()));
    }
    EscribirFichero(htemp / "proft.mdx", "índice de Horalia");
    const Foto a = Fotografiar(dir.Ruta());
    Exportar(documento);
    const Foto b = Fotografiar(dir.Ruta());
    // Byte for byte, spellings and indexes included; each restore keeps what
    // it replaced, so the next one undoes it.
    for (const Foto* esperada : {&a, &b, &a}) {
        const ResultadoAccion r = PonerAnteriores();
        EXPECT_EQ(Diferencias(Tablas(*esperada), Tablas(Fotografiar(dir.Ruta()))), "");
        ASSERT_EQ(ListarAnteriores(htemp).size(), 1u);
        EXPECT_EQ(ListarAnteriores(htemp).front().carpeta, r.anteriores);
        EXPECT_EQ(r.informe.recuentos.size(), 6u);
    }
    // A kept set damaged by hand is refused, naming the file.
    const Foto restaurada = Fotografiar(dir.Ruta());
    const ConjuntoGuardado guardado = ListarAnteriores(htemp).front();
    const fs::path asigt = guardado.carpeta / "asigt.dbf", descripcion = guardado.carpeta / "descripcion.txt";
    const struct {
        const char* caso;
        std::function<void()> danar;
        std::string fecha, mensaje;
    } danos[] = {
        {"un byte cambiado", [&] {
             std::string t = LeerFichero(asigt);
             t[t.size() / 2] ^= 1;
             EscribirFichero(asigt, t);
         }, "", "El fichero guardado '" + asigt.string() + "' no es el que se guardó"},
        {"un fichero de más al final", [&] { EscribirFichero(asigt, LeerFichero(asigt) + "x"); }, guardado.nombre,
         "El fichero guardado '" + asigt.string() + "' no es el que se guardó"},
        {"un fichero borrado", [&] { fs::remove(asigt); }, "",
         "No se puede leer el fichero guardado '" + asigt.string() + "'"},
        {"la descripción cortada", [&] {
             const std::string t = LeerFichero(descripcion);
             EscribirFichero(descripcion, t.substr(0, t.rfind("fichero=")));
         }, guardado.nombre, "No se puede leer la descripción '" + descripcion.string() + "'"},
        {"un nombre que sale de la carpeta", [&] {
             std::string t = LeerFichero(descripcion);
             t.replace(t.find("fichero=asigt.dbf"), 17, "fichero=../../asigt.dbf");
             EscribirFichero(descripcion, t);
         }, "", "No se puede leer la descripción '" + descripcion.string() + "'"},
        {"una fecha que no hay", [] {}, "2000-01-01_00-00-00",
         "No hay ninguna exportación anterior guardada con la fecha '2000-01-01_00-00-00'"},
        {"un nombre que no es una fecha", [] {}, "../HTEMP",
         "No hay ninguna exportación anterior guardada con la fecha '../HTEMP'"},
    };
    for (const auto& d : danos) {
        SCOPED_TRACE(d.caso);
        Restaurar(dir.Ruta(), restaurada);
        d.danar();
        falla(d.fecha, d.mensaje);
    }
    // Four exports keep the three newest sets, newest first.
    Restaurar(dir.Ruta(), restaurada);
    for (const fs::path* doc : {&documento, &otro, &documento, &otro})
        Exportar(*doc);
    const std::vector<ConjuntoGuardado> conjuntos = ListarAnteriores(htemp);
    ASSERT_EQ(conjuntos.size(), 3u);
    EXPECT_EQ(std::distance(fs::directory_iterator(preparacion / "anteriores"), fs::directory_iterator()), 3);
    for (std::size_t i = 0; i < conjuntos.size(); ++i) {
        EXPECT_EQ(conjuntos[i].documento, (i % 2 ? documento : otro).string()) << i;
        EXPECT_EQ(conjuntos[i].accion, "exportar");
    }
}

TEST_F(TodoONada, NadaAjenoEnElNombreDeLaCarpetaDePreparacionSeSigueNiSeToca)
{
    Exportar(documento);  // the import needs the example's tables
    const Foto base = Fotografiar(dir.Ruta());
    const fs::path fuera = dir / "fuera";
    const std::pair<const char*, std::function<void()>> plantados[] = {
        {"enlace a una carpeta de fuera", [&] { fs::create_directory_symlink(fuera, preparacion); }},
        {"enlace a la propia carpeta", [&] { fs::create_directory_symlink(".", preparacion); }},
        {"enlace a un fichero", [&] { fs::create_symlink(fuera / "dato.txt", preparacion); }},
        {"enlace roto", [&] { fs::create_symlink(dir / "no-existe", preparacion); }},
        {"fichero", [&] { EscribirFichero(preparacion, "de otro"); }},
        {"carpeta ajena", [&] {
             fs::create_directory(preparacion);
             EscribirFichero(preparacion / "notas.txt", "de otro");
         }},
    };
    const std::string mensaje = "'" + preparacion.string()
                                + "' no es una carpeta de TransHoraliaNorvica: bórrela o cámbiele el nombre";
    for (const auto& [nombre, plantar] : plantados) {
        SCOPED_TRACE(nombre);
        Restaurar(dir.Ruta(), base);
        fs::remove_all(preparacion);
        fs::create_directory(fuera);
        EscribirFichero(fuera / "dato.txt", "fuera");
        plantar();
        NingunaAccionPuede(mensaje);
        const Foto ahora = Fotografiar(dir.Ruta());
        // The check says the import would stop there, and touches nothing either.
        const Comprobacion c = ComprobarSolucion(documento, htemp);
        ASSERT_EQ(c.problemas.size(), 1u);
        EXPECT_EQ(c.problemas[0].motivo, mensaje);
        EXPECT_EQ(Diferencias(ahora, Fotografiar(dir.Ruta())), "");
    }
    // Inside our folder, links at the kept sets' names are never followed:
    // the export completes without keeping, pruning leaves them, and the
    // listing refuses a foreign "anteriores".
    const fs::path anteriores = preparacion / "anteriores";
    const struct {
        const char* nombre;
        std::function<void()> plantar;
        bool guarda;
    } dentro[] = {
        {"enlace en lugar de anteriores", [&] {
             fs::remove_all(anteriores);
             fs::create_directory_symlink(fuera, anteriores);
         }, false},
        {"enlaces con nombre de juego guardado", [&] {
             for (const char* viejo : {"2000-01-01_00-00-00", "2000-01-01_00-00-01", "2000-01-01_00-00-01_2"})
                 fs::create_directory_symlink(fuera, anteriores / viejo);
         }, true},
    };
    for (const auto& [nombre, plantar, guarda] : dentro) {
        SCOPED_TRACE(nombre);
        Restaurar(dir.Ruta(), base);
        fs::create_directory(fuera);
        EscribirFichero(fuera / "dato.txt", "fuera");
        plantar();
        const Foto de_fuera = Fotografiar(fuera);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Exportar(i % 2 ? documento : otro).aviso_anteriores.empty(), guarda);
        EXPECT_EQ(Diferencias(de_fuera, Fotografiar(fuera)), "");
        if (!guarda) {
            EXPECT_THROW(ListarAnteriores(htemp), Error);
        } else {
            EXPECT_TRUE(fs::is_symlink(anteriores / "2000-01-01_00-00-00"));
            EXPECT_EQ(ListarAnteriores(htemp).size(), 3u);
        }
    }
}

TEST_F(TodoONada, SoloSeObedeceUnDiarioEnteroQueNombraLasTablasDeLaExportacion)
{
    int renombres = 0;
    const Foto bien = SinFallos([&] { Exportar(documento); }, renombres, "renombrar");
    const int primero = PrimerRenombreDeLaSustitucion();
    const std::string diario = LeerFichero(preparacion / "DIARIO");
    std::vector<std::string> lineas;
    for (std::size_t desde = 0, fin; (fin = diario.find('\n', desde)) != std::string::npos; desde = fin + 1)
        lineas.push_back(diario.substr(desde, fin - desde));
    ASSERT_GT(lineas.size(), 8u);
    MatarExportacion(primero);  // the journal is whole, nothing has moved
    const Foto interrumpida = Fotografiar(dir.Ruta());
    ASSERT_EQ(LeerFichero(preparacion / "DIARIO"), diario);
    auto con = [&](std::size_t i, const std::string& linea) {
        std::string texto;
        for (std::size_t j = 0; j < lineas.size(); ++j)
            texto += (j == i ? linea : lineas[j]) + "\n";
        return texto;
    };
    const std::string rechazados[] = {
        con(0, "OTRO PROGRAMA 2"),
        con(1, "APARTAR\tSOLUC.DBF\tANTERIOR.0"),
        con(1, "APARTAR\t../fuera/PROFT.DBF\tANTERIOR.0"),
        con(1, "APARTAR\t..\\PROFT.DBF\tANTERIOR.0"),
        con(1, "APARTAR\tC:PROFT.DBF\tANTERIOR.0"),
        con(1, "APARTAR\tPROFT.DBF\t../PROFT.DBF"),
        con(1, "APARTAR\tPROFT.DBF"),
        con(1, "PONER\tPROFT.DBF\tAULAT.DBF"),
        con(1, "PONER\tPROFT.MDX\tPROFT.DBF"),
        con(1, "PONER\tSOLUC.DBF\tNUEVA.1"),
        con(1, "PONER\tPROFT.DBF\tNUEVA.x"),
        con(1, ""),
        diario + "APARTAR\tPROFT.DBF\tANTERIOR.0\n",
    };
    for (const std::string& texto : rechazados) {
        SCOPED_TRACE(texto);
        Restaurar(dir.Ruta(), interrumpida);
        EscribirFichero(preparacion / "DIARIO", texto);
        const Foto ahora = Fotografiar(dir.Ruta());
        for (const auto& accion : std::vector<std::function<void()>>{[&] { Exportar(otro); }, [&] { Importar(); }}) {
            try {
                accion();
                ADD_FAILURE() << "completada";
            } catch (const Error& e) {
                EXPECT_EQ(std::string(e.what()).rfind("No se reconoce el diario '", 0), 0u) << e.what();
            }
            EXPECT_EQ(Diferencias(ahora, Fotografiar(dir.Ruta())), "");
        }
    }
    // Cut short anywhere: its writing never finished, so nothing moved.
    for (std::size_t largo = 0; largo < diario.size(); ++largo) {
        SCOPED_TRACE("diario cortado en " + std::to_string(largo));
        Restaurar(dir.Ruta(), interrumpida);
        EscribirFichero(preparacion / "DIARIO", diario.substr(0, largo));
        Asentar();
        EXPECT_EQ(Diferencias(antes, Fotografiar(dir.Ruta())), "");
    }
    // Whole, after a second name came to answer for a table already put in
    // place (as every spelling does on a disk that ignores letter case): that
    // name's step must not take the new table away again.
    std::size_t poner = 1;
    while (poner < lineas.size() && lineas[poner].rfind("PONER\tASIGNOMT.DBF", 0) != 0)
        ++poner;
    ASSERT_LT(poner, lineas.size());
    MatarExportacion(primero + static_cast<int>(poner));
    fs::create_hard_link(htemp / "ASIGNOMT.DBF", htemp / "asignomt.dbf");
    lineas.insert(lineas.begin() + 1, "APARTAR\tasignomt.dbf\tANTERIOR.99");
    EscribirFichero(preparacion / "DIARIO", con(lineas.size(), ""));
    Asentar();
    Foto esperada = Tablas(bien);
    esperada["HTEMP/asignomt.dbf"] = bien.at("HTEMP/ASIGNOMT.DBF");
    EXPECT_EQ(Diferencias(esperada, Tablas(Fotografiar(dir.Ruta()))), "");
}

TEST_F(TodoONada, UnaExportacionQueMuereEntreDosRenombresLaTerminaLaSiguiente)
{
    const Foto exportada = Exportada();
    const struct {
        const char* nombre;
        const Foto& desde;
        std::function<void()> accion;
    } acciones[] = {
        {"exportar", antes, [&] { Exportar(documento); }},
        {"restaurar", exportada, [&] { PonerAnteriores(); }},
    };
    for (const auto& [nombre, desde, accion] : acciones) {
        int renombres = 0;
        const Foto bien = SinFallos(accion, renombres, "renombrar", &desde);
        ASSERT_GT(renombres, 12);
        int terminadas = 0;
        for (int n = 1; n <= renombres; ++n) {
            SCOPED_TRACE(std::string(nombre) + " muere en el renombre " + std::to_string(n));
            Matar(accion, n, desde);
            Asentar();
            // The tables are one whole set; the kept ones are untouched
            // unless the replacement was complete.
            const Foto despues = Fotografiar(dir.Ruta());
            if (Diferencias(Tablas(despues), Tablas(bien)).empty())
                ++terminadas;
            else
                EXPECT_EQ(Diferencias(desde, despues), "");
        }
        // Deaths after the journal are completed, not undone.
        EXPECT_GE(terminadas, 10) << nombre;
    }
    // An export that completes an interrupted one and then fails does not
    // claim that no table changed.
    const int primero = PrimerRenombreDeLaSustitucion();
    MatarExportacion(primero + PasosDeLaSustitucion() - 1);
    inyeccion = {};
    inyeccion.solo = "crear carpeta";
    inyeccion.fallar = 1;
    try {
        Exportar(documento);
        ADD_FAILURE() << "completada";
    } catch (const Error& e) {
        EXPECT_EQ(e.Detalle().find(kNada), std::string::npos) << e.Detalle();
        EXPECT_NE(e.Detalle().find("antes ha terminado de sustituirlas"), std::string::npos) << e.Detalle();
    }
    inyeccion = {};
    EXPECT_EQ(Diferencias(Tablas(exportada), Tablas(Fotografiar(dir.Ruta()))), "");
}

TEST_F(TodoONada, UnaImportacionQueMuereNoDejaNadaTrasLaSiguiente)
{
    int escrituras = 0;
    const Foto bien = SinFallos([&] { Importar(); }, escrituras, "escribir");
    ASSERT_GT(escrituras, 0);
    for (int n = 1; n <= escrituras; ++n) {
        SCOPED_TRACE("muere en la escritura " + std::to_string(n));
        Restaurar(dir.Ruta(), antes);
        const pid_t pid = Hijo([&] {
            inyeccion = {};
            inyeccion.solo = "escribir";
            inyeccion.fallar = n;
            inyeccion.efecto = Inyeccion::Morir;
            Importar();
            return 0;
        });
        ASSERT_EQ(Esperar(pid), 77);
        Importar();
        EXPECT_EQ(Diferencias(bien, Fotografiar(dir.Ruta())), "");
    }
}

TEST_F(TodoONada, LaComprobacionDeLaSolucionVeLasTablasQueLeeraLaImportacion)
{
    const int primero = PrimerRenombreDeLaSustitucion();
    const int ultimo = primero + PasosDeLaSustitucion() - 1;
    auto resumen = [](const Informe& i) {
        std::string r;
        for (const auto& n : i.recuentos)
            r += n.tabla + "=" + std::to_string(n.registros) + " ";
        for (const auto* lista : {&i.omisiones, &i.avisos})
            for (const Omision& o : *lista)
                r += o.codigo + ":" + o.donde + " ";
        return r;
    };
    for (int n = primero; n <= ultimo; ++n) {
        SCOPED_TRACE("exportación muerta en el renombre " + std::to_string(n));
        MatarExportacion(n);
        const Foto ahora = Fotografiar(dir.Ruta());
        const Comprobacion c = ComprobarSolucion(documento, htemp);
        EXPECT_EQ(Diferencias(ahora, Fotografiar(dir.Ruta())), "");
        EXPECT_TRUE(c.exportacion_a_medias);
        EXPECT_FALSE(c.Falla());
        const ResultadoAccion r = Importar();
        EXPECT_EQ(resumen(c.informe), resumen(r.informe));
    }
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
    EXPECT_EQ(Diferencias(SinMomento(bien), SinMomento(Fotografiar(dir.Ruta()))), "");
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

TEST_F(TodoONada, UnIndiceOUnaTablaPorApartarRetenidosDetienenLaSustitucionYLaRecuperacion)
{
    const int primero = PrimerRenombreDeLaSustitucion();
    const struct {
        const char* fichero;
        bool interrumpida;  // left by an export killed before its first rename
    } casos[] = {{"ASIGNOMT.MDX", false}, {"AULAT.DBF", true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.fichero);
        if (c.interrumpida)
            MatarExportacion(primero);
        else
            Restaurar(dir.Ruta(), antes);
        Tubo aviso, espera;
        const pid_t pid = Hijo([&] {
            // As programs under Wine hold a file: a POSIX record lock.
            const int fd = ::open((htemp / c.fichero).c_str(), O_RDWR);
            struct flock l {};
            l.l_type = F_WRLCK;
            if (fd < 0 || ::fcntl(fd, F_SETLK, &l) != 0)
                return 1;
            char x = 'x';
            return ::write(aviso.fd[1], &x, 1) == 1 && ::read(espera.fd[0], &x, 1) == 1 ? 0 : 1;
        });
        aviso.Recibir();
        const Foto ahora = Fotografiar(dir.Ruta());
        try {
            Exportar(documento);
            ADD_FAILURE() << "completada";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()),
                      "La tabla '" + (htemp / c.fichero).string() + "' está abierta por otro programa");
        }
        EXPECT_EQ(Diferencias(ahora, Fotografiar(dir.Ruta())), "");
        espera.Senal();
        EXPECT_EQ(Esperar(pid), 0);
    }
}

}  // namespace
}  // namespace thn::prueba
