// SPDX-License-Identifier: EUPL-1.2
#include "trabajo/anteriores.h"

#include "base/ascii.h"
#include "base/crc32.h"
#include "base/error.h"
#include "so/plataforma.h"
#include "trabajo/descripciones_previas.h"
#include "trabajo/en_carpeta.h"
#include "trabajo/tablas.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <ctime>
#include <string_view>

namespace thn {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kMaximoConjuntos = 3;
constexpr const char* kDescripcionEnCurso = "descripcion.tmp";
constexpr std::uint64_t kMaximoDescripcion = 1 << 16;

std::string Hex(std::uint32_t n)
{
    char texto[9];
    const auto fin = std::to_chars(texto, texto + 8, n, 16).ptr;
    return std::string(8 - (fin - texto), '0') + std::string(texto, fin);
}

// The description of the file `dentro` of `c`, named `nombre`: the one made
// ahead when the file is still the one described then.
int Describir(const so::Carpeta& c, const std::filesystem::path& dentro, const std::string& nombre,
              DescripcionesPrevias* previas, FicheroGuardado& f)
{
    so::Descriptor d;
    if (const int error = so::AbrirEn(c, dentro, so::Apertura::Lectura, d))
        return error;
    so::VersionFichero v;
    if (previas && so::Version(d, v) == 0)
        if (auto previa = previas->De(nombre, v)) {
            f = std::move(*previa);
            return 0;
        }
    return DescribirFichero(d, nombre, f);
}

std::string Linea(std::string valor)
{
    std::replace_if(valor.begin(), valor.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return valor + "\n";
}

std::string TextoDescripcion(const ConjuntoGuardado& c)
{
    std::string t = "# Tablas de Horalia que sustituyó TransHoraliaNorvica al " + c.accion + ".\n"
                    "# Para volver a ponerlas: transhoralianorvica-cli restaurar " + c.nombre + "\n"
                    "# o copie a mano los ficheros de abajo al directorio de trabajo de Horalia.\n";
    t += "fecha=" + Linea(c.fecha) + "accion=" + Linea(c.accion) + "documento=" + Linea(c.documento)
         + "version=" + Linea(c.version) + "ficheros=" + std::to_string(c.ficheros.size()) + "\n";
    for (const FicheroGuardado& f : c.ficheros) {
        t += "fichero=" + f.nombre + "\ntamano=" + std::to_string(f.tamano) + "\n";
        if (f.registros)
            t += "registros=" + std::to_string(*f.registros) + "\n";
        t += "crc32=" + Hex(f.crc32) + "\n";
    }
    return t;
}

template <typename T>
bool Numero(std::string_view texto, T& n, int base = 10)
{
    const auto [fin, ec] = std::from_chars(texto.data(), texto.data() + texto.size(), n, base);
    return ec == std::errc() && fin == texto.data() + texto.size() && !texto.empty();
}

// Empty when the description is whole and every file in it is one of the
// working tables (so that no name leads out of the set's folder).
std::string LeerDescripcion(std::string_view texto, ConjuntoGuardado& c)
{
    std::vector<bool> con_crc;
    std::size_t ficheros = 0;
    for (std::size_t n = 1; !texto.empty(); ++n) {
        const std::size_t fin = std::min(texto.find('\n'), texto.size());
        std::string_view linea = texto.substr(0, fin);
        texto.remove_prefix(std::min(fin + 1, texto.size()));
        if (!linea.empty() && linea.back() == '\r')
            linea.remove_suffix(1);
        if (linea.empty() || linea.front() == '#')
            continue;
        const std::size_t igual = linea.find('=');
        const std::string_view clave = linea.substr(0, igual), valor = linea.substr(std::min(igual + 1, linea.size()));
        bool bien = igual != std::string_view::npos;
        if (clave == "fichero") {
            bien = bien && TablaExportadaDe(std::string(valor), true).has_value();
            c.ficheros.push_back({std::string(valor), 0, std::nullopt, 0});
            con_crc.push_back(false);
        } else if (clave == "fecha") {
            c.fecha = valor;
        } else if (clave == "accion") {
            c.accion = valor;
        } else if (clave == "documento") {
            c.documento = valor;
        } else if (clave == "version") {
            c.version = valor;
        } else if (clave == "ficheros") {
            bien = bien && Numero(valor, ficheros);
        } else if (!c.ficheros.empty() && clave == "tamano") {
            bien = bien && Numero(valor, c.ficheros.back().tamano);
        } else if (!c.ficheros.empty() && clave == "registros") {
            std::uint32_t r = 0;
            bien = bien && Numero(valor, r);
            c.ficheros.back().registros = r;
        } else if (!c.ficheros.empty() && clave == "crc32") {
            bien = bien && valor.size() == 8 && Numero(valor, c.ficheros.back().crc32, 16);
            con_crc.back() = true;
        }
        if (!bien)
            return Formatear("la línea %s no se entiende", {std::to_string(n)});
    }
    if (c.ficheros.empty() || c.ficheros.size() != ficheros)
        return "no nombra los ficheros que anuncia";
    if (std::find(con_crc.begin(), con_crc.end(), false) != con_crc.end())
        return "le falta la suma de comprobación (crc32) de algún fichero";
    return {};
}

}  // namespace

bool EsNombreConjunto(std::string_view nombre)
{
    constexpr std::string_view patron = "0000-00-00_00-00-00";
    if (nombre.size() < patron.size())
        return false;
    for (std::size_t i = 0; i < patron.size(); ++i)
        if (patron[i] == '0' ? nombre[i] < '0' || nombre[i] > '9' : nombre[i] != patron[i])
            return false;
    unsigned n = 0;
    return nombre.size() == patron.size()
           || (nombre[patron.size()] == '_' && Numero(nombre.substr(patron.size() + 1), n) && n >= 2);
}

namespace {

// Oldest first: by the second, then by the number added to it.
std::pair<std::string_view, unsigned> Orden(std::string_view nombre)
{
    unsigned n = 1;
    if (nombre.size() > 19)
        Numero(nombre.substr(20), n);
    return {nombre.substr(0, 19), n};
}

std::vector<std::string> Nombres(const so::Carpeta& anteriores, int& error)
{
    std::vector<fs::path> entradas;
    std::vector<std::string> nombres;
    if ((error = so::Listar(anteriores, entradas)) != 0)
        return nombres;
    for (const fs::path& e : entradas)
        if (EsNombreConjunto(e.string()))
            nombres.push_back(e.string());
    std::sort(nombres.begin(), nombres.end(),
              [](const std::string& a, const std::string& b) { return Orden(a) < Orden(b); });
    return nombres;
}

bool Completo(const so::Carpeta& anteriores, const std::string& nombre)
{
    so::Carpeta c;
    bool existe = false;
    return so::AbrirCarpetaEn(anteriores, nombre, c) == 0 && so::ExisteEn(c, kDescripcionConjunto, existe) == 0
           && existe;
}

std::string NombreLibre(const std::vector<std::string>& existentes)
{
    const std::tm t = so::HoraLocal(std::time(nullptr));
    char texto[32];
    std::strftime(texto, sizeof texto, "%Y-%m-%d_%H-%M-%S", &t);
    unsigned mayor = 0;
    for (const std::string& e : existentes)
        if (e.starts_with(texto))
            mayor = std::max(mayor, Orden(e).second);
    return mayor == 0 ? texto : std::string(texto) + "_" + std::to_string(mayor + 1);
}

// Sets whose keeping or removal was cut short, and the oldest beyond three.
void Podar(const so::Carpeta& anteriores)
{
    int error = 0;
    std::vector<std::string> completos;
    for (const std::string& n : Nombres(anteriores, error)) {
        if (Completo(anteriores, n))
            completos.push_back(n);
        else
            BorrarConjunto(anteriores, n);
    }
    for (std::size_t i = 0; i + kMaximoConjuntos < completos.size(); ++i)
        BorrarConjunto(anteriores, completos[i]);
}

int AbrirOCrearAnteriores(const so::Carpeta& preparacion, so::Carpeta& anteriores)
{
    if (const int error = so::CrearCarpetaEn(preparacion, kCarpetaAnteriores); error != 0 && error != EEXIST)
        return error;
    return so::AbrirCarpetaEn(preparacion, kCarpetaAnteriores, anteriores);
}

}  // namespace

int BorrarConjunto(const so::Carpeta& anteriores, const std::string& nombre)
{
    so::Carpeta c;
    if (const int error = so::AbrirCarpetaEn(anteriores, nombre, c))
        return error == ENOTDIR ? 0 : error;
    std::vector<fs::path> entradas;
    int error = BorrarPrimero(c, kDescripcionConjunto, entradas);
    for (const fs::path& e : entradas)
        if (error == 0)
            error = so::BorrarEn(c, e);
    c.Cerrar();
    return error != 0 ? error : so::BorrarCarpetaEn(anteriores, nombre);
}

fs::path GuardarConjunto(const so::Carpeta& preparacion,
                         const std::vector<std::pair<std::string, std::string>>& apartadas,
                         const std::string& accion, const std::string& documento, DescripcionesPrevias* previas)
{
    // Stale indexes alone are nothing to put back.
    if (std::none_of(apartadas.begin(), apartadas.end(),
                     [](const auto& a) { return TablaExportadaDe(a.second, false).has_value(); }))
        return {};
    so::Carpeta anteriores, conjunto;
    ConjuntoGuardado c{{}, {}, {}, accion, documento, THN_VERSION, {}};
    auto fallo = [&](int error) {
        return Error(Formatear("No se han podido guardar las tablas sustituidas en '%s': %s",
                               {(preparacion.Ruta() / kCarpetaAnteriores / c.nombre).string(), so::Motivo(error)}));
    };
    int error = AbrirOCrearAnteriores(preparacion, anteriores);
    if (error == 0) {
        c.nombre = NombreLibre(Nombres(anteriores, error));
        c.carpeta = anteriores.Ruta() / c.nombre;
    }
    if (error == 0)
        error = so::CrearCarpetaEn(anteriores, c.nombre);
    if (error == 0)
        error = so::AbrirCarpetaEn(anteriores, c.nombre, conjunto);
    for (const auto& [dentro, fuera] : apartadas) {
        FicheroGuardado f;
        if (error == 0)
            error = Describir(preparacion, dentro, fuera, previas, f);
        if (error == 0)
            error = so::RenombrarEn(preparacion, dentro, conjunto, fuera);
        c.ficheros.push_back(std::move(f));
    }
    const std::tm t = so::HoraLocal(std::time(nullptr));
    char fecha[32];
    std::strftime(fecha, sizeof fecha, "%Y-%m-%d %H:%M:%S", &t);
    c.fecha = fecha;
    if (error == 0)
        error = EscribirEnCarpeta(conjunto, kDescripcionEnCurso, TextoDescripcion(c));
    if (error == 0)
        error = so::RenombrarEn(conjunto, kDescripcionEnCurso, conjunto, kDescripcionConjunto);
    if (error == 0)
        error = so::VolcarCarpeta(conjunto);
    if (error != 0)
        throw fallo(error);
    Podar(anteriores);
    return c.carpeta;
}

std::optional<std::string> ConjuntoMasReciente(const so::Carpeta& anteriores)
{
    int error = 0;
    const std::vector<std::string> nombres = Nombres(anteriores, error);
    for (auto n = nombres.rbegin(); n != nombres.rend(); ++n)
        if (Completo(anteriores, *n))
            return *n;
    return std::nullopt;
}

std::vector<ConjuntoGuardado> LeerConjuntos(const so::Carpeta& anteriores)
{
    int error = 0;
    std::vector<ConjuntoGuardado> conjuntos;
    const std::vector<std::string> nombres = Nombres(anteriores, error);
    if (error != 0)
        throw Error(Formatear("No se pueden leer las tablas guardadas en '%s': %s",
                              {anteriores.Ruta().string(), so::Motivo(error)}));
    for (auto n = nombres.rbegin(); n != nombres.rend(); ++n) {
        so::Carpeta c;
        std::string texto;
        ConjuntoGuardado conjunto{*n, anteriores.Ruta() / *n, {}, {}, {}, {}, {}};
        if (so::AbrirCarpetaEn(anteriores, *n, c) == 0
            && LeerDeCarpeta(c, kDescripcionConjunto, kMaximoDescripcion, texto) == 0
            && LeerDescripcion(texto, conjunto).empty())
            conjuntos.push_back(std::move(conjunto));
    }
    return conjuntos;
}

ConjuntoGuardado ComprobarConjunto(const so::Carpeta& anteriores, const std::string& nombre,
                                   std::vector<std::string>& contenidos)
{
    ConjuntoGuardado conjunto{nombre, anteriores.Ruta() / nombre, {}, {}, {}, {}, {}};
    const fs::path descripcion = conjunto.carpeta / kDescripcionConjunto;
    so::Carpeta c;
    std::string texto;
    int error = so::AbrirCarpetaEn(anteriores, nombre, c);
    if (error == 0)
        error = LeerDeCarpeta(c, kDescripcionConjunto, kMaximoDescripcion, texto);
    const std::string motivo = error != 0 ? so::Motivo(error) : LeerDescripcion(texto, conjunto);
    if (!motivo.empty())
        throw Error(Formatear("No se puede leer la descripción '%s' de las tablas guardadas: %s",
                              {descripcion.string(), motivo}));
    contenidos.clear();
    for (const FicheroGuardado& f : conjunto.ficheros) {
        const fs::path ruta = conjunto.carpeta / f.nombre;
        std::string contenido;
        if (const int e = LeerDeCarpeta(c, f.nombre, kMaximoFicheroGuardado, contenido))
            throw Error(Formatear("No se puede leer el fichero guardado '%s': %s", {ruta.string(), so::Motivo(e)}));
        if (contenido.size() != f.tamano || Crc32De(contenido) != f.crc32)
            throw Error(Formatear("El fichero guardado '%s' no es el que se guardó (su tamaño o su suma de "
                                  "comprobación no son los de '%s')",
                                  {ruta.string(), descripcion.string()}));
        contenidos.push_back(std::move(contenido));
    }
    return conjunto;
}

}  // namespace thn
