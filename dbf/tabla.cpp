// SPDX-License-Identifier: EUPL-1.2
// The table object: an open table held in memory.
//
// * Opening reads the whole file: the header bytes and the records, kept as
//   one contiguous buffer. A record being appended is made in place at the
//   end of that buffer and becomes part of it when posted; posted records
//   reach the file when the table closes (Cerrar or the destructor): first
//   the header with the new record count, then the records and the 0x1A end
//   mark, then a flush to the disk.
// * Appending only (Acceso::SoloAnadir), `registros` holds just the records
//   not yet written: each full block goes to the file behind a header that
//   already counts it, and the end mark follows on closing.
// * Appending needs exclusive access: a shared holder must not write.
// * Localizar builds one hash index per field on first use, kept up to date
//   by appends: m look-ups on n records cost about n + m.

#include "dbf/tabla.h"
#include "dbf/registros_aparte.h"

#include "dbf/codificacion.h"
#include "dbf/estructura.h"
#include "dbf/fichero.h"
#include "dbf/indice.h"
#include "dbf/valores.h"
#include "base/error.h"
#include "base/texto.h"
#include "base/numeros.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>


namespace thn::dbf {
namespace {

using namespace detalle;
namespace fs = std::filesystem;

constexpr std::size_t kFin = static_cast<std::size_t>(-1);

// Next autoincrement value in a level-7 descriptor, little-endian, where
// the files TDbf writes keep it.
constexpr std::size_t kDespAutoincremento7 = 42;

// A template, so that it need not name the private Tabla::Impl.
template <class T>
T& Comprobar(const std::unique_ptr<T>& impl)
{
    if (!impl)
        throw Error("La tabla no está abierta");
    return *impl;
}

}  // namespace

struct Tabla::Impl {
    fs::path ruta;
    so::Descriptor fichero;
    bool abierta = false;
    bool volcada = false;  // records reached the file: flush it on closing
    bool solo_lectura = false;
    bool solo_anadir = false;
    bool sin_marca = false;  // blocks reached the file without the end mark

    Estructura e;
    std::string cabecera;   // the file's first e.long_cabecera bytes
    std::string registros;  // every record from `primero` on, read and posted, then the one being made
    std::size_t primero = 0;   // records before it are only in the file (appending only)
    std::size_t total = 0;     // posted records, `registros` and the file's
    std::size_t escritos = 0;  // of them, already in the file
    std::size_t vivos = 0;
    std::size_t actual = kFin;

    bool editando = false;  // a new record stands after the posted ones
    std::string en_blanco;

    std::vector<std::unique_ptr<IndiceCampo>> indices;  // per field, built by Localizar
    AvisoCorte aviso_corte;

    // Appending only, the records are written once this many bytes of them wait.
    static constexpr std::size_t kBloque = 256 * 1024;

    Impl(const fs::path& r, Acceso acceso) : ruta(r), solo_anadir(acceso == Acceso::SoloAnadir)
    {
        const std::string tabla = ruta.string();
        TablaAbierta t = AbrirTabla(ruta, tabla, acceso != Acceso::Compartido);
        e = LeerEstructura(t.principio, t.tamano, tabla);
        fichero = std::move(t.fichero);
        solo_lectura = t.solo_lectura;
        total = escritos = e.registros;
        cabecera.assign(t.principio, 0, e.long_cabecera);
        if (solo_anadir) {
            // Nothing posted is kept: the records are only counted, a block at a time.
            ContarVivos();
            primero = total;
            actual = kFin;
        } else {
            registros.resize(total * e.long_registro);
            const std::size_t leidos = LeerEn(fichero, registros.data(), registros.size(), e.long_cabecera, tabla);
            if (leidos < registros.size())  // shrank meanwhile
                Incompleta(e, leidos / e.long_registro);
            for (std::size_t i = 0; i < total; ++i)
                vivos += Vivo(i) ? 1 : 0;
            actual = SiguienteVivo(0);
        }
        indices.resize(e.campos.size());
        en_blanco = RegistroEnBlanco(e);
        abierta = true;
    }

    const std::string& Nombre() const { return e.tabla; }

    void ContarVivos()
    {
        const std::size_t rl = e.long_registro;
        std::string bloque(std::max<std::size_t>(kBloque / rl, 1) * rl, '\0');
        for (std::size_t i = 0; i < total;) {
            const std::size_t n = std::min(total - i, bloque.size() / rl);
            const std::size_t leidos = LeerEn(fichero, bloque.data(), n * rl, e.long_cabecera + i * rl, Nombre());
            if (leidos < n * rl)  // shrank meanwhile
                Incompleta(e, i + leidos / rl);
            for (std::size_t k = 0; k < n; ++k)
                vivos += bloque[k * rl] != '*' ? 1 : 0;
            i += n;
        }
    }

    const unsigned char* Registro(std::size_t i) const
    {
        return reinterpret_cast<const unsigned char*>(registros.data()) + (i - primero) * e.long_registro;
    }

    bool Vivo(std::size_t i) const { return Registro(i)[0] != '*'; }

    std::size_t SiguienteVivo(std::size_t desde) const
    {
        for (std::size_t i = desde; i < total; ++i)
            if (Vivo(i))
                return i;
        return kFin;
    }

    void ComprobarAbierta() const
    {
        if (!abierta)
            throw Error(Formatear("La tabla '%s' está cerrada", {Nombre()}));
    }

    std::size_t IndiceDe(std::string_view nombre) const
    {
        ComprobarAbierta();
        const detalle::Campo* c = e.Buscar(nombre);
        if (!c)
            throw Error(Formatear("La tabla '%s' no tiene el campo '%s'", {Nombre(), std::string(nombre)}));
        return static_cast<std::size_t>(c - e.campos.data());
    }

    // Appending only, nothing posted is kept to be read.
    void ComprobarLectura() const
    {
        ComprobarAbierta();
        if (solo_anadir)
            throw Error(Formatear("La tabla '%s' está abierta sólo para añadir", {Nombre()}));
    }

    const unsigned char* Actual() const
    {
        if (actual == kFin)
            throw Error(Formatear("No hay ningún registro en curso en la tabla '%s'", {Nombre()}));
        return Registro(actual);
    }

    unsigned char* Nuevo()
    {
        if (!editando)
            throw Error(Formatear("No se ha empezado ningún registro nuevo en la tabla '%s'", {Nombre()}));
        return reinterpret_cast<unsigned char*>(registros.data()) + (total - primero) * e.long_registro;
    }

    // A blank record after the posted ones; one begun before starts over.
    void Empezar()
    {
        if (editando)
            registros.replace((total - primero) * e.long_registro, e.long_registro, en_blanco);
        else
            registros.append(en_blanco);
        editando = true;
    }

    // Writes the posted records not yet in the file; `cerrar` ends the file
    // after them with the end mark.
    void Volcar(bool cerrar = true)
    {
        if (escritos == total && !(cerrar && sin_marca))
            return;
        VolcarDe(registros.data() + (escritos - primero) * e.long_registro, cerrar);
    }

    // The same, with the records not yet in the file at `datos`.
    void VolcarDe(const char* datos, bool cerrar)
    {
        const std::size_t rl = e.long_registro, hl = e.long_cabecera;
        const std::size_t fin_datos = hl + total * rl;
        const std::string anterior = cabecera;
        auto* h = reinterpret_cast<unsigned char*>(cabecera.data());
        FechaDeHoy(h + 1);
        EscribirLE32(h + 4, static_cast<std::uint32_t>(total));
        // The header goes first: a write that stops half-way leaves a header
        // that promises records the file lacks, which readers refuse, never
        // one that hides records the file holds.
        try {
            EscribirEn(fichero, cabecera.data(), cabecera.size(), 0, Nombre());
            EscribirEn(fichero, datos, (total - escritos) * rl, hl + escritos * rl, Nombre());
            if (cerrar) {
                EscribirEn(fichero, "\x1A", 1, fin_datos, Nombre());
                // Whatever followed the records before (a partial record, junk) goes.
                if (const int error = so::Truncar(fichero, fin_datos + 1))
                    FalloDeEscritura(error, Nombre());
            }
        } catch (...) {
            // Back to the table as it was, when the system lets us.
            const std::size_t fin_anterior = hl + escritos * rl;
            if (so::Truncar(fichero, fin_anterior) == 0 && so::EscribirEn(fichero, "\x1A", 1, fin_anterior) == 0)
                so::EscribirEn(fichero, anterior.data(), anterior.size(), 0);
            cabecera = anterior;
            throw;
        }
        escritos = total;
        volcada = true;
        sin_marca = !cerrar;
    }

    // Appending only: a full block of posted records goes to the file and
    // leaves memory, its room kept for the next.
    void VolcarBloque()
    {
        if ((total - primero) * e.long_registro < kBloque)
            return;
        Volcar(false);
        registros.clear();
        primero = total;
    }

    void Cerrar()
    {
        if (!abierta)
            return;
        abierta = false;
        editando = false;
        struct Liberar {
            Impl& t;
            ~Liberar()
            {
                t.fichero = so::Descriptor();  // releases the lock
                std::string().swap(t.registros);
                t.indices.clear();
                t.actual = kFin;
            }
        } liberar{*this};
        Volcar();
        if (volcada) {
            // On the disk before anyone moves or reads the table.
            if (const int error = so::Volcar(fichero))
                FalloDeEscritura(error, Nombre());
            if (const int error = so::Cerrar(fichero))
                FalloDeEscritura(error, Nombre());
        }
    }

    void AsignarAutoincrementos(unsigned char* r)
    {
        for (const detalle::Campo& c : e.campos) {
            if (!c.autoincremento || !detalle::EsNulo(e, c, r))
                continue;
            auto* h = reinterpret_cast<unsigned char*>(cabecera.data()) + c.descriptor + kDespAutoincremento7;
            std::uint32_t siguiente = LeerLE32(h);
            if (siguiente == 0 || siguiente > 0x7FFFFFFFu)
                siguiente = 1;
            CodificarEntero7(r + c.desp, static_cast<std::int32_t>(siguiente));
            EscribirLE32(h, siguiente + 1);
        }
    }

    void Grabar()
    {
        ComprobarAbierta();
        if (!editando)
            throw Error(Formatear("No se ha empezado ningún registro nuevo en la tabla '%s'", {Nombre()}));
        if (total >= 0xFFFFFFFFu)
            throw Error(Formatear("La tabla '%s' no admite más registros", {Nombre()}));
        AsignarAutoincrementos(Nuevo());
        const std::size_t i = total++;
        ++vivos;
        editando = false;
        if (solo_anadir) {
            VolcarBloque();
            return;
        }
        actual = i;
        for (auto& indice : indices)
            if (indice)
                indice->Anadir(registros, i);  // keeps an earlier match
    }

    bool Localizar(std::size_t campo, std::string_view valor)
    {
        ComprobarLectura();
        const detalle::Campo& c = e.campos[campo];
        auto& indice = indices[campo];
        if (!indice) {
            auto nuevo_indice = std::make_unique<IndiceCampo>(e, c);
            for (std::size_t i = 0; i < total; ++i)
                if (Vivo(i))
                    nuevo_indice->Anadir(registros, i);
            indice = std::move(nuevo_indice);
        }
        const std::size_t i = indice->Buscar(registros, valor);
        actual = i == IndiceCampo::npos ? kFin : i;
        return actual != kFin;
    }
};

Tabla::Tabla(const fs::path& ruta, Acceso acceso) : impl_(std::make_unique<Impl>(ruta, acceso)) {}

Tabla::~Tabla()
{
    if (impl_) {
        try {
            impl_->Cerrar();
        } catch (...) {
            // A destructor must not throw; Cerrar reports the same failure to callers who ask.
        }
    }
}

Tabla::Tabla(Tabla&&) noexcept = default;

Tabla& Tabla::operator=(Tabla&& otra) noexcept
{
    if (this != &otra) {
        if (impl_) {
            try {
                impl_->Cerrar();
            } catch (...) {
            }
        }
        impl_ = std::move(otra.impl_);
    }
    return *this;
}

const fs::path& Tabla::Ruta() const
{
    static const fs::path vacia;
    return impl_ ? impl_->ruta : vacia;
}

bool Tabla::Abierta() const { return impl_ && impl_->abierta; }

void Tabla::Cerrar()
{
    if (impl_)
        impl_->Cerrar();
}

Columna Tabla::Campo(std::string_view campo) const
{
    const Impl& t = Comprobar(impl_);
    return Columna(&t, t.IndiceDe(campo));
}

std::size_t Tabla::Indice(Columna campo) const
{
    const Impl& t = Comprobar(impl_);
    t.ComprobarAbierta();
    if (campo.tabla_ != &t)
        throw Error(Formatear("La columna no es de la tabla '%s'", {t.Nombre()}));
    return campo.indice_;
}

void Tabla::Anadir()
{
    Impl& t = Comprobar(impl_);
    t.ComprobarAbierta();
    if (t.solo_lectura)
        throw Error(Formatear("La tabla '%s' está abierta sólo para lectura", {t.Nombre()}));
    t.Empezar();
}

std::shared_ptr<const detalle::Molde> Tabla::Molde() const
{
    const Impl& t = Comprobar(impl_);
    t.ComprobarAbierta();
    return std::make_shared<const detalle::Molde>(detalle::Molde{&t, t.e, t.en_blanco});
}

void Tabla::AnadirHechos(const RegistrosAparte& hechos)
{
    Impl& t = Comprobar(impl_);
    if (hechos.molde_->tabla != &t)
        throw Error(Formatear("Los registros no son de la tabla '%s'", {t.Nombre()}));
    const std::size_t rl = t.e.long_registro;
    const std::size_t n = hechos.Cuantos();
    const bool autoincrementos = std::any_of(t.e.campos.begin(), t.e.campos.end(),
                                             [](const detalle::Campo& c) { return c.autoincremento; });
    if (!t.solo_anadir || autoincrementos) {
        for (std::size_t i = 0; i < n; ++i) {
            Anadir();
            std::memcpy(t.Nuevo(), hechos.registros_.data() + i * rl, rl);
            t.Grabar();
        }
        return;
    }
    // Appending only, nothing to number or index: the records go to the
    // file from where they were made, after any posted before them.
    t.ComprobarAbierta();
    if (t.editando) {
        t.registros.resize((t.total - t.primero) * rl);
        t.editando = false;
    }
    if (n > 0xFFFFFFFFu - t.total)
        throw Error(Formatear("La tabla '%s' no admite más registros", {t.Nombre()}));
    if (n == 0)
        return;
    t.Volcar(false);
    t.registros.clear();
    t.primero = t.total;
    const std::size_t antes = t.total;
    t.total += n;
    try {
        t.VolcarDe(hechos.registros_.data(), false);
    } catch (...) {
        t.total = t.primero = antes;  // none of them is posted
        throw;
    }
    t.vivos += n;
    t.primero = t.total;
}

void Tabla::Reservar(std::size_t registros)
{
    Impl& t = Comprobar(impl_);
    t.ComprobarAbierta();
    const std::size_t rl = t.e.long_registro;
    // Appending only, no more than a block is ever held.
    const std::size_t n = t.solo_anadir ? std::min(registros, Impl::kBloque / rl) + 1 : registros + 1;
    t.registros.reserve((t.total - t.primero + n) * rl);
}

void Tabla::PonerTexto(std::string_view campo, std::string_view ansi) { PonerTexto(Campo(campo), ansi); }

void Tabla::PonerTexto(Columna campo, std::string_view ansi)
{
    Impl& t = Comprobar(impl_);
    t.ComprobarAbierta();
    if (campo.tabla_ != &t)
        Indice(campo);  // fails naming the table
    const detalle::Campo& c = t.e.campos[campo.indice_];
    unsigned char* r = t.Nuevo();
    // Most values of an export go to a character field without a null flag: written here, without the call.
    if (c.clase == Clase::Texto && c.bit_nulo < 0)
        EscribirCaracteres(c, r, ansi);
    else
        EscribirTexto(t.e, c, r, ansi);
    if (t.aviso_corte && c.clase == Clase::Texto && ansi.size() > static_cast<std::size_t>(c.ancho))
        t.aviso_corte(c.nombre, ansi, static_cast<std::size_t>(c.ancho));
}

void Tabla::AvisarCortes(AvisoCorte aviso)
{
    Comprobar(impl_).aviso_corte = std::move(aviso);
}

void Tabla::PonerLogico(std::string_view campo, bool valor) { PonerLogico(Campo(campo), valor); }

void Tabla::PonerLogico(Columna campo, bool valor)
{
    Impl& t = Comprobar(impl_);
    const detalle::Campo& c = t.e.campos[Indice(campo)];
    EscribirLogico(t.e, c, t.Nuevo(), valor);
}

void Tabla::PonerEntero(std::string_view campo, std::int32_t valor) { PonerEntero(Campo(campo), valor); }

void Tabla::PonerEntero(Columna campo, std::int32_t valor)
{
    Impl& t = Comprobar(impl_);
    const detalle::Campo& c = t.e.campos[Indice(campo)];
    EscribirEntero(t.e, c, t.Nuevo(), valor);
}

void Tabla::PonerFlotante(std::string_view campo, double valor) { PonerFlotante(Campo(campo), valor); }

void Tabla::PonerFlotante(Columna campo, double valor)
{
    Impl& t = Comprobar(impl_);
    const detalle::Campo& c = t.e.campos[Indice(campo)];
    EscribirFlotante(t.e, c, t.Nuevo(), valor);
}

void Tabla::PonerNulo(std::string_view campo)
{
    Impl& t = Comprobar(impl_);
    const detalle::Campo& c = t.e.campos[Indice(Campo(campo))];
    EscribirNulo(t.e, c, t.Nuevo());
}

void Tabla::Grabar() { Comprobar(impl_).Grabar(); }

void Tabla::Primero()
{
    Impl& t = Comprobar(impl_);
    t.ComprobarLectura();
    t.actual = t.SiguienteVivo(0);
}

void Tabla::Siguiente()
{
    Impl& t = Comprobar(impl_);
    t.ComprobarLectura();
    if (t.actual != kFin)
        t.actual = t.SiguienteVivo(t.actual + 1);
}

bool Tabla::Fin() const { return !impl_ || !impl_->abierta || impl_->actual == kFin; }

std::size_t Tabla::NumeroRegistros() const
{
    const Impl& t = Comprobar(impl_);
    t.ComprobarAbierta();
    return t.vivos;
}

std::size_t Tabla::RegistroActual() const
{
    const Impl& t = Comprobar(impl_);
    t.ComprobarAbierta();
    return t.actual == kFin ? 0 : t.actual + 1;
}

bool Tabla::ExisteCampo(std::string_view campo) const
{
    const Impl& t = Comprobar(impl_);
    t.ComprobarAbierta();
    return t.e.Buscar(campo) != nullptr;
}

bool Tabla::EsNulo(std::string_view campo) const
{
    const Impl& t = Comprobar(impl_);
    const detalle::Campo& c = t.e.campos[Indice(Campo(campo))];
    return detalle::EsNulo(t.e, c, t.Actual());
}

std::string Tabla::LeerTexto(std::string_view campo, char separador) const
{
    return LeerTexto(Campo(campo), separador);
}

std::string Tabla::LeerTexto(Columna campo, char separador) const
{
    const Impl& t = Comprobar(impl_);
    const detalle::Campo& c = t.e.campos[Indice(campo)];
    return Texto(t.e, c, t.Actual(), separador);
}

std::int32_t Tabla::LeerEntero(std::string_view campo, char separador) const
{
    return LeerEntero(Campo(campo), separador);
}

std::int32_t Tabla::LeerEntero(Columna campo, char separador) const
{
    const Impl& t = Comprobar(impl_);
    const detalle::Campo& c = t.e.campos[Indice(campo)];
    const NumeroDeCampo v = LeerNumeroDeCampo(t.e, c, t.Actual(), separador);
    if (v.texto)
        return v.texto->empty() ? 0 : EnteroDesdeTexto(DesdeAnsi(*v.texto));
    if (!v.numero)
        return 0;
    // Not integral: rounded to the nearest integer, halves away from zero.
    const double redondeado = std::round(*v.numero);
    if (!(redondeado >= std::numeric_limits<std::int32_t>::min() &&
          redondeado <= std::numeric_limits<std::int32_t>::max()))
        throw Error(Formatear("El valor %s del campo '%s' de la tabla '%s' no cabe en un entero",
                              {TextoFlotante(*v.numero, '.'), c.nombre, t.Nombre()}));
    return static_cast<std::int32_t>(redondeado);
}

double Tabla::LeerNumero(std::string_view campo, char separador) const
{
    return LeerNumero(Campo(campo), separador);
}

double Tabla::LeerNumero(Columna campo, char separador) const
{
    const Impl& t = Comprobar(impl_);
    const detalle::Campo& c = t.e.campos[Indice(campo)];
    const NumeroDeCampo v = LeerNumeroDeCampo(t.e, c, t.Actual(), separador);
    if (v.texto)
        return v.texto->empty() ? 0 : FlotanteDesdeTexto(DesdeAnsi(*v.texto), separador);
    return v.numero.value_or(0.0);
}

bool Tabla::LeerLogico(std::string_view campo) const
{
    const Impl& t = Comprobar(impl_);
    const detalle::Campo& c = t.e.campos[Indice(Campo(campo))];
    const unsigned char* r = t.Actual();
    switch (c.clase) {
    case Clase::Logico:
        return LogicoVerdadero(r[c.desp]);
    case Clase::Texto: {
        const std::string texto = Texto(t.e, c, r, '.');
        if (texto.empty())
            return false;
        const auto b = static_cast<unsigned char>(texto[0]);
        if (texto.size() == 1 && (LogicoVerdadero(b) || LogicoFalso(b)))
            return LogicoVerdadero(b);
        throw Error(Formatear("'%s' no es un valor lógico válido para el campo '%s'", {DesdeAnsi(texto), c.nombre}));
    }
    case Clase::Fecha:
    case Clase::Otro:
        NoAdmite(t.e, c, "una lectura como valor lógico");
    default:
        return Numero(t.e, c, r).value_or(0.0) != 0;
    }
}

bool Tabla::Localizar(std::string_view campo, std::string_view valor)
{
    return Localizar(Campo(campo), valor);
}

bool Tabla::Localizar(Columna campo, std::string_view valor)
{
    return Comprobar(impl_).Localizar(Indice(campo), valor);
}

std::vector<DefinicionCampo> Tabla::Campos() const
{
    const Impl& t = Comprobar(impl_);
    t.ComprobarAbierta();
    std::vector<DefinicionCampo> r;
    for (const detalle::Campo& c : t.e.campos) {
        if (c.sistema)
            continue;
        DefinicionCampo d{c.nombre, TipoCampo::Caracter, 0};
        switch (c.clase) {
        case Clase::Logico: d.tipo = TipoCampo::Logico; break;
        case Clase::Entero7: case Clase::EnteroVfp: d.tipo = TipoCampo::Entero; break;
        case Clase::Doble7: case Clase::DobleVfp: case Clase::Moneda: d.tipo = TipoCampo::Flotante; break;
        case Clase::Numerico:
            d.tipo = c.decimales == 0 && c.tipo == 'N' ? TipoCampo::Entero : TipoCampo::Flotante;
            break;
        default:  // C, D and the kinds stepped over
            d.ancho = c.ancho;
            break;
        }
        r.push_back(std::move(d));
    }
    return r;
}

}  // namespace thn::dbf
