// SPDX-License-Identifier: EUPL-1.2
#include "trabajo/preparacion.h"

#include "base/ascii.h"
#include "base/error.h"
#include "trabajo/anteriores.h"
#include "trabajo/directorio.h"
#include "trabajo/en_carpeta.h"
#include "trabajo/tablas.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string_view>

namespace thn {
namespace fs = std::filesystem;
namespace {

constexpr const char* kCarpeta = ".transhoralianorvica";
constexpr const char* kMarca = "TRANSHORALIANORVICA";
constexpr std::string_view kTextoMarca = "Carpeta de trabajo de TransHoraliaNorvica\n";
constexpr const char* kDiario = "DIARIO";
constexpr std::string_view kFirma = "TRANSHORALIANORVICA 1";
constexpr std::string_view kFin = "FIN";
constexpr std::string_view kApartada = "ANTERIOR.";
constexpr std::string_view kNueva = "NUEVA.";
constexpr std::uint64_t kMaximoDiario = 1 << 16;

// One rename of the replacement. Apartar takes an old file of the working
// directory into the staging folder; Poner brings a new table out of it.
struct Paso {
    enum Clase { Apartar, Poner } clase;
    std::string fuera;   // name in the working directory
    std::string dentro;  // name in the staging folder
    std::string tabla;   // "PROFT": the new table waits as PROFT.DBF in the staging folder
};

Error NoEsNuestra(const fs::path& carpeta)
{
    return Error(Formatear("'%s' no es una carpeta de TransHoraliaNorvica: bórrela o cámbiele el nombre",
                           {carpeta.string()}));
}

// Whether a step still has to move its file. Idempotent, so that a replay
// after a crash may meet steps already done. An old file is set aside only
// while its table's new file still waits in the staging folder: once that
// is in place, on a disk that ignores letter case, the old name may answer
// for the new table.
int Pendiente(const so::Carpeta& trabajo, const so::Carpeta& prep, const Paso& p, bool& mover)
{
    bool fuera = false, dentro = false, nueva = false;
    int error = so::ExisteEn(trabajo, p.fuera, fuera);
    if (error == 0)
        error = so::ExisteEn(prep, p.dentro, dentro);
    if (error == 0)
        error = so::ExisteEn(prep, p.tabla + ".DBF", nueva);
    mover = p.clase == Paso::Apartar ? fuera && !dentro && nueva : dentro;
    return error;
}

int Aplicar(const so::Carpeta& trabajo, const so::Carpeta& prep, const Paso& p, bool& movido)
{
    bool mover = false;
    if (const int error = Pendiente(trabajo, prep, p, mover); error != 0 || !mover)
        return error;
    const int error = p.clase == Paso::Apartar ? so::RenombrarEn(trabajo, p.fuera, prep, p.dentro)
                                               : so::RenombrarEn(prep, p.dentro, trabajo, p.fuera);
    movido = movido || error == 0;
    return error;
}

int Deshacer(const so::Carpeta& trabajo, const so::Carpeta& prep, const Paso& p)
{
    bool fuera = false, dentro = false;
    int error = so::ExisteEn(trabajo, p.fuera, fuera);
    if (error == 0)
        error = so::ExisteEn(prep, p.dentro, dentro);
    if (error != 0)
        return error;
    if (p.clase == Paso::Apartar)
        return dentro && !fuera ? so::RenombrarEn(prep, p.dentro, trabajo, p.fuera) : 0;
    return !dentro && fuera ? so::RenombrarEn(trabajo, p.fuera, prep, p.dentro) : 0;
}

std::string TextoDiario(const std::vector<Paso>& pasos)
{
    std::string texto = std::string(kFirma) + "\n";
    for (const Paso& p : pasos)
        texto += std::string(p.clase == Paso::Apartar ? "APARTAR" : "PONER") + "\t" + p.fuera + "\t" + p.dentro + "\n";
    return texto + std::string(kFin) + "\n";
}

// "ANTERIOR.12" for the prefix "ANTERIOR.": the names the replacement gives
// files in the staging folder.
bool NombreNumerado(const std::string& nombre, std::string_view prefijo)
{
    const std::string_view numero = std::string_view(nombre).substr(std::min(nombre.size(), prefijo.size()));
    return nombre.starts_with(prefijo) && !numero.empty() && numero.size() <= 4
           && std::all_of(numero.begin(), numero.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<Paso> LeerPaso(std::string_view linea)
{
    std::vector<std::string> campos;
    for (std::size_t desde = 0;;) {
        const std::size_t tab = linea.find('\t', desde);
        campos.emplace_back(linea.substr(desde, tab - desde));
        if (tab == std::string_view::npos)
            break;
        desde = tab + 1;
    }
    if (campos.size() != 3)
        return std::nullopt;
    if (campos[0] == "APARTAR") {
        if (const auto tabla = TablaExportadaDe(campos[1], true); tabla && NombreNumerado(campos[2], kApartada))
            return Paso{Paso::Apartar, campos[1], campos[2], *tabla};
    } else if (campos[0] == "PONER") {
        // The new table itself, or another file a restore puts back (a
        // second spelling, an index).
        const auto tabla = TablaExportadaDe(campos[1], true);
        if (tabla && (campos[2] == *tabla + ".DBF" ? TablaExportadaDe(campos[1], false).has_value()
                                                   : NombreNumerado(campos[2], kNueva)))
            return Paso{Paso::Poner, campos[1], campos[2], *tabla};
    }
    return std::nullopt;
}

// A journal is obeyed only when it is whole and every line is one this
// tool writes. Absent or cut short (its writing never finished, so no step
// was taken): no steps. Anything else: the reason it is refused.
struct Diario {
    std::vector<Paso> pasos;
    std::string rechazo;
};

int LeerDiario(const so::Carpeta& prep, Diario& diario)
{
    std::string texto;
    if (const int error = LeerDeCarpeta(prep, kDiario, kMaximoDiario, texto)) {
        if (error == EFBIG)
            diario.rechazo = "es demasiado grande";
        return error == ENOENT || error == EFBIG ? 0 : error;
    }

    std::vector<std::string_view> lineas;
    std::string_view resto = texto;
    for (std::size_t fin; (fin = resto.find('\n')) != std::string_view::npos; resto.remove_prefix(fin + 1))
        lineas.push_back(resto.substr(0, fin));
    const bool cortado_en_firma = lineas.empty() && kFirma.starts_with(resto);
    if (cortado_en_firma)
        return 0;
    if (lineas.empty() || lineas.front() != kFirma) {
        diario.rechazo = "su firma no es la de TransHoraliaNorvica";
        return 0;
    }
    std::vector<Paso> pasos;
    for (std::size_t i = 1; i < lineas.size(); ++i) {
        if (lineas[i] == kFin && i + 1 == lineas.size() && resto.empty()) {
            diario.pasos = std::move(pasos);
            return 0;
        }
        const auto paso = LeerPaso(lineas[i]);
        if (!paso) {
            diario.rechazo = Formatear("la línea %s no es un paso de la sustitución de las tablas",
                                       {std::to_string(i + 1)});
            return 0;
        }
        pasos.push_back(*paso);
    }
    return 0;  // cut short
}

// Whether the file `nombre` begins with `texto` or, with `o_parte`, is cut
// short anywhere in it.
bool Empieza(const so::Carpeta& c, const char* nombre, std::string_view texto, bool o_parte)
{
    so::Descriptor d;
    std::string leido(texto.size(), '\0');
    std::size_t leidos = 0;
    if (so::AbrirEn(c, nombre, so::Apertura::Lectura, d) != 0
        || so::LeerEn(d, leido.data(), leido.size(), 0, leidos) != 0)
        return false;
    leido.resize(leidos);
    return leido == texto || (o_parte && texto.starts_with(leido));
}

// Ours: it holds the mark, or the journal of a version that made none. An
// empty folder, or a mark cut short, is one whose mark a crash kept from
// being written whole.
bool EsNuestra(const so::Carpeta& prep)
{
    std::vector<fs::path> nombres;
    if (so::Listar(prep, nombres) != 0)
        return false;
    return nombres.empty() || Empieza(prep, kMarca, kTextoMarca, true)
           || Empieza(prep, kDiario, std::string(kFirma) + "\n", false);
}

// Removes the staging folder. The journal goes first, durably: while it
// exists the old tables set aside must stay, for the next run may still
// need them. Only entries of the folder itself are removed, never what a
// link among them points to. The kept sets stay, whatever stands at their
// name, and so do the mark and the folder that hold them.
int Limpiar(const so::Carpeta& trabajo, so::Carpeta& prep)
{
    std::vector<fs::path> nombres;
    int error = BorrarPrimero(prep, kDiario, nombres);
    if (error != 0)
        return error;
    const bool anteriores = std::erase(nombres, fs::path(kCarpetaAnteriores)) > 0;
    if (anteriores)
        std::erase(nombres, fs::path(kMarca));
    // The mark goes last, and only when everything else has gone.
    std::stable_partition(nombres.begin(), nombres.end(), [](const fs::path& n) { return n != kMarca; });
    for (const fs::path& n : nombres)
        if ((error = so::BorrarEn(prep, n)) != 0)
            return error;
    if (anteriores)
        return 0;
    prep.Cerrar();
    return so::BorrarCarpetaEn(trabajo, kCarpeta);
}

}  // namespace

std::string NombreNuevo(std::size_t n) { return std::string(kNueva) + std::to_string(n); }

std::string NotaTablas(const EstadoTablas& estado)
{
    if (estado.a_medias)
        return "Las tablas de Horalia se están restaurando: la próxima exportación o importación, o la ventana "
               "al abrirse, terminará de hacerlo.";
    if (estado.recuperadas)
        return "Esta acción no ha cambiado ninguna tabla de Horalia; antes ha terminado de sustituirlas una "
               "exportación anterior que había quedado a medias.";
    return "No se ha cambiado ninguna tabla de Horalia.";
}

Error ConNotaTablas(const Error& e, const EstadoTablas& estado)
{
    const std::string nota = NotaTablas(estado);
    return Error(e.what(), e.Detalle().empty() ? nota : e.Detalle() + "\n" + nota);
}

Preparacion::Preparacion(fs::path directorio, EstadoTablas& estado)
    : directorio_(std::move(directorio)), carpeta_(directorio_ / kCarpeta), estado_(estado)
{
    auto fallo = [&](int error) {
        return Error(Formatear("No se puede crear la carpeta '%s': %s", {carpeta_.string(), so::Motivo(error)}));
    };
    if (const int error = so::AbrirCarpeta(directorio_, true, trabajo_))
        throw fallo(error);
    // The folder stays between actions while it keeps earlier tables; the
    // settling that came first left in it only those and the mark.
    const int al_crear = so::CrearCarpeta(carpeta_);
    if (al_crear != 0 && al_crear != EEXIST)
        throw fallo(al_crear);
    // What is opened is what was just made, or the action stops here.
    if (const int error = so::AbrirCarpeta(carpeta_, false, preparacion_)) {
        if (error == ENOTDIR)
            throw NoEsNuestra(carpeta_);
        if (al_crear == 0)
            so::BorrarCarpetaEn(trabajo_, kCarpeta);
        throw fallo(error);
    }
    if (al_crear == EEXIST) {
        if (!Empieza(preparacion_, kMarca, kTextoMarca, false))
            throw NoEsNuestra(carpeta_);
        return;
    }
    int error = EscribirEnCarpeta(preparacion_, kMarca, kTextoMarca);
    if (error == 0)
        error = so::VolcarCarpeta(trabajo_);
    if (error != 0) {
        Limpiar(trabajo_, preparacion_);
        throw fallo(error);
    }
}

Preparacion::~Preparacion()
{
    if (estado_.a_medias || !preparacion_ || Limpiar(trabajo_, preparacion_) == 0)
        return;
    // A whole journal that could not be removed will be completed by the
    // next action, whatever the failed one says.
    bool diario = false;
    estado_.a_medias = so::ExisteEn(preparacion_, kDiario, diario) != 0 || diario;
}

namespace {

std::vector<Paso> PasosDeLaSustitucion(const fs::path& directorio, const std::vector<TablaPreparada>& tablas)
{
    std::vector<Paso> pasos;
    std::size_t apartadas = 0;
    for (const TablaPreparada& t : tablas) {
        auto apartar = [&](const fs::path& viejo) {
            pasos.push_back({Paso::Apartar, viejo.filename().string(),
                             std::string(kApartada) + std::to_string(apartadas++), t.nombre});
        };
        const std::string fichero = t.nombre + ".DBF";
        const auto viejas = TodasLasGrafias(directorio, fichero);
        for (const fs::path& v : viejas)
            apartar(v);
        if (t.borrar_indice)
            for (const fs::path& v : TodasLasGrafias(directorio, t.nombre + ".MDX"))
                apartar(v);
        // The table keeps the spelling Horalia gave it.
        if (t.poner.empty())
            pasos.push_back({Paso::Poner, viejas.empty() ? fichero : viejas.front().filename().string(), fichero,
                             t.nombre});
        for (const auto& [dentro, fuera] : t.poner)
            pasos.push_back({Paso::Poner, fuera, dentro, t.nombre});
    }
    return pasos;
}

}  // namespace

void Preparacion::ComprobarTablasLibres(const std::vector<TablaPreparada>& tablas) const
{
    for (const Paso& p : PasosDeLaSustitucion(directorio_, tablas))
        if (p.clase == Paso::Apartar && so::BloqueadoPorOtro(directorio_ / p.fuera))
            throw Error(Formatear("La tabla '%s' está abierta por otro programa", {(directorio_ / p.fuera).string()}));
}

void Preparacion::Confirmar(const std::vector<TablaPreparada>& tablas)
{
    const std::vector<Paso> pasos = PasosDeLaSustitucion(directorio_, tablas);
    ComprobarTablasLibres(tablas);
    auto fallo = [&](int error) {
        return Error(Formatear("No se pueden sustituir las tablas de Horalia en '%s': %s",
                               {directorio_.string(), so::Motivo(error)}));
    };
    if (const int error = EscribirEnCarpeta(preparacion_, kDiario, TextoDiario(pasos)))
        throw fallo(error);

    std::size_t hechos = 0;
    int error = 0;
    bool movido = false;
    while (hechos < pasos.size() && (error = Aplicar(trabajo_, preparacion_, pasos[hechos], movido)) == 0)
        ++hechos;
    if (error == 0)
        error = so::VolcarCarpeta(trabajo_);
    if (error != 0) {
        // Undone from the last step back, stopping at the first that fails:
        // what is left is then the state of a run that died at that step,
        // which the journal lets the next action complete.
        int al_deshacer = 0;
        for (std::size_t i = std::min(hechos + 1, pasos.size()); i-- > 0 && al_deshacer == 0;)
            al_deshacer = Deshacer(trabajo_, preparacion_, pasos[i]);
        if (al_deshacer == 0)
            al_deshacer = so::VolcarCarpeta(trabajo_);
        if (al_deshacer == 0)
            al_deshacer = so::BorrarEn(preparacion_, kDiario);
        estado_.a_medias = al_deshacer != 0;
        throw fallo(error);
    }
    for (const Paso& p : pasos)
        if (p.clase == Paso::Apartar)
            apartadas_.emplace_back(p.dentro, p.fuera);
    // If the journal stays, replaying it changes nothing: every new table
    // has left the staging folder.
    so::BorrarEn(preparacion_, kDiario);
}

namespace {

Error FalloRecuperacion(const fs::path& directorio, int error)
{
    return Error(Formatear("No se puede completar la exportación interrumpida en '%s': %s",
                           {directorio.string(), so::Motivo(error)}));
}

// The staging folder left by an earlier run, if any, once found to be ours,
// and its journal once found to be one to obey.
bool AbrirInterrumpida(const fs::path& directorio, so::Carpeta& trabajo, so::Carpeta& prep, Diario& diario)
{
    const fs::path carpeta = directorio / kCarpeta;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(carpeta, ec)))
        return false;
    if (const int error = so::AbrirCarpeta(directorio, true, trabajo))
        throw FalloRecuperacion(directorio, error);
    if (const int error = so::AbrirCarpeta(carpeta, false, prep))
        throw error == ENOTDIR ? NoEsNuestra(carpeta) : FalloRecuperacion(directorio, error);
    if (!EsNuestra(prep))
        throw NoEsNuestra(carpeta);
    if (const int error = LeerDiario(prep, diario))
        throw FalloRecuperacion(directorio, error);
    if (!diario.rechazo.empty())
        throw Error(Formatear("No se reconoce el diario '%s' de una exportación interrumpida: %s",
                              {(carpeta / kDiario).string(), diario.rechazo}),
                    Formatear("La carpeta '%s' puede guardar tablas anteriores: revísela antes de borrarla.",
                              {carpeta.string()}));
    return true;
}

}  // namespace

bool AbrirAnteriores(const fs::path& directorio, so::Carpeta& anteriores)
{
    const fs::path carpeta = directorio / kCarpeta;
    auto fallo = [&](int error) {
        return Error(Formatear("No se pueden leer las tablas guardadas en '%s': %s",
                               {(carpeta / kCarpetaAnteriores).string(), so::Motivo(error)}));
    };
    so::Carpeta prep;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(carpeta, ec)))
        return false;
    if (const int error = so::AbrirCarpeta(carpeta, false, prep))
        throw error == ENOTDIR ? NoEsNuestra(carpeta) : fallo(error);
    if (!EsNuestra(prep))
        throw NoEsNuestra(carpeta);
    const int error = so::AbrirCarpetaEn(prep, kCarpetaAnteriores, anteriores);
    if (error == ENOTDIR)
        throw NoEsNuestra(carpeta / kCarpetaAnteriores);
    if (error != 0 && error != ENOENT)
        throw fallo(error);
    return error == 0;
}

Prevision PreverRecuperacion(const fs::path& directorio)
{
    Prevision prevision;
    so::Carpeta trabajo, prep;
    Diario diario;
    if (!AbrirInterrumpida(directorio, trabajo, prep, diario))
        return prevision;
    for (const Paso& p : diario.pasos) {
        bool mover = false;
        if (const int error = Pendiente(trabajo, prep, p, mover))
            throw FalloRecuperacion(directorio, error);
        prevision.pendiente = prevision.pendiente || mover;
        if (mover && p.clase == Paso::Poner)
            prevision.nuevas[p.tabla] = directorio / kCarpeta / p.dentro;
    }
    return prevision;
}

void RecuperarDirectorioTrabajo(const fs::path& directorio, EstadoTablas& estado)
{
    auto fallo = [&](int error) { return FalloRecuperacion(directorio, error); };
    so::Carpeta trabajo, prep;
    Diario diario;
    if (!AbrirInterrumpida(directorio, trabajo, prep, diario))
        return;
    // A table another program holds is not moved: it waits for the next action.
    for (const Paso& p : diario.pasos) {
        bool mover = false;
        if (p.clase == Paso::Apartar && Pendiente(trabajo, prep, p, mover) == 0 && mover
            && so::BloqueadoPorOtro(directorio / p.fuera)) {
            estado.a_medias = true;
            throw Error(Formatear("La tabla '%s' está abierta por otro programa", {(directorio / p.fuera).string()}));
        }
    }
    int error = 0;
    bool movido = false;
    for (const Paso& p : diario.pasos)
        if ((error = Aplicar(trabajo, prep, p, movido)) != 0)
            break;
    if (error == 0 && movido)
        error = so::VolcarCarpeta(trabajo);
    estado.recuperadas = estado.recuperadas || movido;
    // A whole journal not fully replayed leaves tables of two exports.
    estado.a_medias = error != 0 && !diario.pasos.empty();
    if (error == 0)
        error = Limpiar(trabajo, prep);
    if (error != 0)
        throw fallo(error);
}

}  // namespace thn
