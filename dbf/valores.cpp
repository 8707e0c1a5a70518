// SPDX-License-Identifier: EUPL-1.2
#include "dbf/valores.h"

#include "dbf/codificacion.h"
#include "base/error.h"
#include "base/numeros.h"
#include "base/texto.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace thn::dbf::detalle {
namespace {

bool EsBlanco(char c) { return c == ' ' || c == '\0'; }

std::string_view SinBlancosFinales(std::string_view v)
{
    std::size_t fin = v.size();
    while (fin > 0 && EsBlanco(v[fin - 1]))
        --fin;
    return v.substr(0, fin);
}

std::string_view SinBlancos(std::string_view v)
{
    v = SinBlancosFinales(v);
    std::size_t ini = 0;
    while (ini < v.size() && EsBlanco(v[ini]))
        ++ini;
    return v.substr(ini);
}

bool TodoCeros(const unsigned char* p, int n)
{
    for (int i = 0; i < n; ++i)
        if (p[i] != 0)
            return false;
    return true;
}

bool TodoBlancos(const unsigned char* p, int n)
{
    for (int i = 0; i < n; ++i)
        if (!EsBlanco(static_cast<char>(p[i])))
            return false;
    return true;
}

std::string_view Bytes(const Campo& c, const unsigned char* r)
{
    return {reinterpret_cast<const char*>(r + c.desp), static_cast<std::size_t>(c.ancho)};
}

// Plain decimal integer text (optional sign, up to 18 digits): printed
// exactly, without a trip through double.
bool EsEnteroDecimal(std::string_view t)
{
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    if (i == t.size() || t.size() - i > 18)
        return false;
    for (; i < t.size(); ++i)
        if (t[i] < '0' || t[i] > '9')
            return false;
    return true;
}

std::int64_t EnteroDecimal(std::string_view t)
{
    std::size_t i = 0;
    const bool negativo = t[0] == '-';
    if (t[0] == '+' || t[0] == '-')
        ++i;
    std::int64_t v = 0;
    for (; i < t.size(); ++i)
        v = v * 10 + (t[i] - '0');
    return negativo ? -v : v;
}

// Y counts ten-thousandths: printed exactly.
std::string TextoMoneda(std::int64_t v, char separador)
{
    const bool negativo = v < 0;
    const std::uint64_t m = negativo ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    std::string t = (negativo ? "-" : "") + std::to_string(m / 10000);
    if (const auto frac = static_cast<unsigned>(m % 10000); frac != 0) {
        char b[8];
        std::snprintf(b, sizeof b, "%04u", frac);
        std::string f = b;
        while (f.back() == '0')
            f.pop_back();
        t += separador;
        t += f;
    }
    return t;
}

// N/F text with `decimales` digits after the point; "-0" becomes "0".
std::string TextoN(double v, int decimales)
{
    char b[400];
    std::snprintf(b, sizeof b, "%.*f", decimales, v);
    std::string t = b;
    if (!t.empty() && t[0] == '-' && t.find_first_not_of("-0.") == std::string::npos)
        t.erase(0, 1);
    return t;
}

// dBASE writes N with '.'; text with ',' is accepted too, as some programs write it.
double ValorNumerico(const Estructura& e, const Campo& c, std::string_view t)
{
    for (char separador : {'.', ','}) {
        try {
            return FlotanteDesdeTexto(t, separador);
        } catch (const Error&) {
        }
    }
    throw Error(Formatear("El campo '%s' de la tabla '%s' contiene '%s', que no es un número válido",
                          {c.nombre, e.tabla, DesdeAnsi(t)}));
}

void PonerBitNulo(const Estructura& e, const Campo& c, unsigned char* r, bool nulo)
{
    if (c.bit_nulo < 0)
        return;
    unsigned char& b = r[e.campos[static_cast<std::size_t>(e.campo_nulos)].desp + c.bit_nulo / 8];
    const auto mascara = static_cast<unsigned char>(1u << (c.bit_nulo % 8));
    b = static_cast<unsigned char>(nulo ? (b | mascara) : (b & ~mascara));
}

void BlancoDe(const Estructura& e, const Campo& c, unsigned char* p)
{
    bool ceros = false;
    switch (c.clase) {
    case Clase::Entero7: case Clase::Doble7: case Clase::EnteroVfp:
    case Clase::DobleVfp: case Clase::Moneda:
        ceros = true;
        break;
    case Clase::Otro:
        // Binary fields (T, @, _NullFlags, VFP 4-byte memo references) are zero when empty.
        ceros = c.tipo == '0' || c.tipo == 'T' || c.tipo == '@' || (e.vfp && c.ancho == 4);
        break;
    default:
        break;
    }
    std::memset(p, ceros ? 0 : ' ', static_cast<std::size_t>(c.ancho));
}

[[noreturn]] void NoCabe(const Estructura& e, const Campo& c, const std::string& texto)
{
    throw Error(Formatear("El valor '%s' no cabe en el campo '%s' de la tabla '%s'", {DesdeAnsi(texto), c.nombre, e.tabla}));
}

[[noreturn]] void NoEsEntero(const Campo& c, const std::string& texto)
{
    throw Error(Formatear("'%s' no es un valor entero válido para el campo '%s'", {DesdeAnsi(texto), c.nombre}));
}

[[noreturn]] void NoEsFlotante(const Campo& c, const std::string& texto)
{
    throw Error(Formatear("'%s' no es un valor punto flotante válido para el campo '%s'", {DesdeAnsi(texto), c.nombre}));
}

// Numbers are never cut: a text too wide for the field is an error.
void EscribirAlineado(const Estructura& e, const Campo& c, unsigned char* r, const std::string& t, bool derecha)
{
    if (t.size() > static_cast<std::size_t>(c.ancho))
        NoCabe(e, c, t);
    unsigned char* p = r + c.desp;
    std::memset(p, ' ', static_cast<std::size_t>(c.ancho));
    std::memcpy(p + (derecha ? static_cast<std::size_t>(c.ancho) - t.size() : 0), t.data(), t.size());
    PonerBitNulo(e, c, r, false);
}

}  // namespace

bool LogicoVerdadero(unsigned char b) { return b == 'T' || b == 't' || b == 'Y' || b == 'y'; }
bool LogicoFalso(unsigned char b) { return b == 'F' || b == 'f' || b == 'N' || b == 'n'; }

NumeroDeCampo LeerNumeroDeCampo(const Estructura& e, const Campo& c, const unsigned char* r, char separador)
{
    switch (c.clase) {
    case Clase::Texto:
    case Clase::Fecha:
        return {Texto(e, c, r, separador), std::nullopt};
    case Clase::Logico:
        return {std::nullopt, EsNulo(e, c, r) ? 0.0 : (LogicoVerdadero(r[c.desp]) ? 1.0 : 0.0)};
    case Clase::Otro:
        NoLegible(e, c);
    default:
        return {std::nullopt, Numero(e, c, r)};
    }
}

void NoLegible(const Estructura& e, const Campo& c)
{
    throw Error(Formatear("El campo '%s' de la tabla '%s' es de un tipo que no se puede leer (%s)",
                          {c.nombre, e.tabla, std::string(1, c.tipo)}));
}

void NoAdmite(const Estructura& e, const Campo& c, const char* que)
{
    throw Error(Formatear("El campo '%s' de la tabla '%s' no admite %s", {c.nombre, e.tabla, que}));
}

std::string TextoFlotante(double v, char separador)
{
    // TextoDesdeFlotante prefers "1e+06" to "1000000", which would not match
    // what users type for Localizar.
    std::string t = TextoDesdeFlotante(v, separador);
    if (t.find_first_of("eE") == std::string::npos)
        return t;
    char b[64];
    const auto [fin, ec] = std::to_chars(b, b + sizeof b, v, std::chars_format::fixed);
    if (ec != std::errc() || fin - b > 40)
        return t;
    t.assign(b, fin);
    for (char& ch : t)
        if (ch == '.')
            ch = separador;
    return t;
}

// ---- reading ----

namespace {

// VFP: null by its bit in _NullFlags.
bool MarcadoNulo(const Estructura& e, const Campo& c, const unsigned char* r)
{
    if (c.bit_nulo < 0)
        return false;
    const Campo& nf = e.campos[static_cast<std::size_t>(e.campo_nulos)];
    return (r[nf.desp + c.bit_nulo / 8] >> (c.bit_nulo % 8)) & 1;
}

}  // namespace

bool EsNulo(const Estructura& e, const Campo& c, const unsigned char* r)
{
    if (MarcadoNulo(e, c, r))
        return true;
    const unsigned char* p = r + c.desp;
    switch (c.clase) {
    case Clase::Texto: case Clase::Numerico: case Clase::Fecha:
        return TodoBlancos(p, c.ancho);
    case Clase::Logico:
        return !LogicoVerdadero(p[0]) && !LogicoFalso(p[0]);  // blank, '?' or unknown
    case Clase::Entero7: case Clase::Doble7:
        return TodoCeros(p, c.ancho);
    case Clase::EnteroVfp: case Clase::DobleVfp: case Clase::Moneda:
        return false;  // only _NullFlags marks these null
    case Clase::Otro:
        return TodoBlancos(p, c.ancho) || TodoCeros(p, c.ancho);
    }
    return false;
}

std::optional<double> Numero(const Estructura& e, const Campo& c, const unsigned char* r)
{
    if (EsNulo(e, c, r))
        return std::nullopt;
    const unsigned char* p = r + c.desp;
    switch (c.clase) {
    case Clase::Numerico: return ValorNumerico(e, c, SinBlancos(Bytes(c, r)));
    case Clase::Entero7: return *DecodificarEntero7(p);
    case Clase::Doble7: return *DecodificarDoble7(p);
    case Clase::EnteroVfp: return static_cast<std::int32_t>(LeerLE32(p));
    case Clase::DobleVfp: return std::bit_cast<double>(LeerLE64(p));
    case Clase::Moneda: return static_cast<double>(static_cast<std::int64_t>(LeerLE64(p))) / 10000.0;
    default: return std::nullopt;
    }
}

// Text without its trailing blanks is empty exactly when the field is
// blank: one pass over its bytes, not two.
std::string_view TextoEnSitio(const Estructura& e, const Campo& c, const unsigned char* r)
{
    return MarcadoNulo(e, c, r) ? std::string_view() : SinBlancosFinales(Bytes(c, r));
}

std::string Texto(const Estructura& e, const Campo& c, const unsigned char* r, char separador)
{
    if (c.clase == Clase::Otro)
        NoLegible(e, c);
    if (c.clase == Clase::Texto || c.clase == Clase::Fecha)
        return std::string(TextoEnSitio(e, c, r));
    if (EsNulo(e, c, r))
        return {};
    const unsigned char* p = r + c.desp;
    switch (c.clase) {
    case Clase::Texto:
    case Clase::Fecha:
        return std::string(SinBlancosFinales(Bytes(c, r)));
    case Clase::Numerico: {
        const std::string_view t = SinBlancos(Bytes(c, r));
        if (EsEnteroDecimal(t))
            return TextoDesdeEntero(EnteroDecimal(t));
        return TextoFlotante(ValorNumerico(e, c, t), separador);
    }
    case Clase::Logico:
        return LogicoVerdadero(p[0]) ? "T" : "F";
    case Clase::Entero7:
        return TextoDesdeEntero(*DecodificarEntero7(p));
    case Clase::EnteroVfp:
        return TextoDesdeEntero(static_cast<std::int32_t>(LeerLE32(p)));
    case Clase::Moneda:
        return TextoMoneda(static_cast<std::int64_t>(LeerLE64(p)), separador);
    case Clase::Doble7:
    case Clase::DobleVfp:
        return TextoFlotante(*Numero(e, c, r), separador);
    case Clase::Otro:
        break;
    }
    NoLegible(e, c);
}

// ---- writing ----

std::string RegistroEnBlanco(const Estructura& e)
{
    std::string r(e.long_registro, ' ');
    auto* p = reinterpret_cast<unsigned char*>(r.data());
    for (const Campo& c : e.campos)
        BlancoDe(e, c, p + c.desp);
    for (const Campo& c : e.campos)
        PonerBitNulo(e, c, p, true);
    return r;
}

void EscribirNulo(const Estructura& e, const Campo& c, unsigned char* r)
{
    BlancoDe(e, c, r + c.desp);
    PonerBitNulo(e, c, r, true);
}

void EscribirEntero(const Estructura& e, const Campo& c, unsigned char* r, std::int32_t v)
{
    unsigned char* p = r + c.desp;
    switch (c.clase) {
    case Clase::Texto: EscribirAlineado(e, c, r, TextoDesdeEntero(v), false); return;
    case Clase::Numerico: EscribirAlineado(e, c, r, TextoN(v, c.decimales), true); return;
    case Clase::Entero7:
        if (v == std::numeric_limits<std::int32_t>::min())
            NoCabe(e, c, TextoDesdeEntero(v));  // its pattern is the null one
        CodificarEntero7(p, v);
        return;
    case Clase::EnteroVfp:
        EscribirLE32(p, static_cast<std::uint32_t>(v));
        PonerBitNulo(e, c, r, false);
        return;
    case Clase::Doble7: case Clase::DobleVfp: case Clase::Moneda:
        EscribirFlotante(e, c, r, v);
        return;
    default:
        NoAdmite(e, c, "un valor entero");
    }
}

void EscribirFlotante(const Estructura& e, const Campo& c, unsigned char* r, double v)
{
    if (!std::isfinite(v))
        NoEsFlotante(c, std::to_string(v));
    unsigned char* p = r + c.desp;
    switch (c.clase) {
    case Clase::Texto: EscribirAlineado(e, c, r, TextoFlotante(v, '.'), false); return;
    case Clase::Numerico: EscribirAlineado(e, c, r, TextoN(v, c.decimales), true); return;
    case Clase::Entero7: case Clase::EnteroVfp:
        if (v != std::floor(v) || v < std::numeric_limits<std::int32_t>::min() ||
            v > std::numeric_limits<std::int32_t>::max())
            NoEsEntero(c, TextoFlotante(v, '.'));
        EscribirEntero(e, c, r, static_cast<std::int32_t>(v));
        return;
    case Clase::Doble7:
        CodificarDoble7(p, v);
        return;
    case Clase::DobleVfp:
        EscribirLE64(p, std::bit_cast<std::uint64_t>(v == 0 ? 0.0 : v));
        PonerBitNulo(e, c, r, false);
        return;
    case Clase::Moneda: {
        const double m = std::round(v * 10000.0);
        if (!(std::fabs(m) < 9.2e18))
            NoCabe(e, c, TextoFlotante(v, '.'));
        EscribirLE64(p, static_cast<std::uint64_t>(static_cast<std::int64_t>(m)));
        PonerBitNulo(e, c, r, false);
        return;
    }
    default:
        NoAdmite(e, c, "un valor numérico");
    }
}

void EscribirLogico(const Estructura& e, const Campo& c, unsigned char* r, bool v)
{
    if (c.clase != Clase::Logico && c.clase != Clase::Texto)
        NoAdmite(e, c, "un valor lógico");
    unsigned char* p = r + c.desp;
    std::memset(p, ' ', static_cast<std::size_t>(c.ancho));
    p[0] = v ? 'T' : 'F';
    PonerBitNulo(e, c, r, false);
}

void EscribirTexto(const Estructura& e, const Campo& c, unsigned char* r, std::string_view ansi)
{
    switch (c.clase) {
    case Clase::Texto:
    case Clase::Fecha:
        EscribirCaracteres(c, r, ansi);
        PonerBitNulo(e, c, r, false);
        return;
    case Clase::Logico: {
        const std::string_view t = Recortar(ansi);
        if (t.empty() || t == "?") {
            EscribirNulo(e, c, r);
            return;
        }
        const auto b = static_cast<unsigned char>(t[0]);
        if (t.size() != 1 || !(LogicoVerdadero(b) || LogicoFalso(b)))
            throw Error(Formatear("'%s' no es un valor lógico válido para el campo '%s'",
                                  {std::string(ansi), c.nombre}));
        EscribirLogico(e, c, r, LogicoVerdadero(b));
        return;
    }
    case Clase::Otro:
        NoAdmite(e, c, "valores (tipo no admitido)");
    default:
        break;
    }
    if (Recortar(ansi).empty()) {
        EscribirNulo(e, c, r);
        return;
    }
    const bool entero =
        c.clase == Clase::Entero7 || c.clase == Clase::EnteroVfp || (c.tipo == 'N' && c.decimales == 0);
    if (entero) {
        std::int32_t v = 0;
        if (!ProbarEnteroDesdeTexto(ansi, v))
            NoEsEntero(c, std::string(ansi));
        EscribirEntero(e, c, r, v);
        return;
    }
    double v = 0;
    try {
        v = FlotanteDesdeTexto(ansi, '.');
    } catch (const Error&) {
        NoEsFlotante(c, std::string(ansi));
    }
    EscribirFlotante(e, c, r, v);
}

}  // namespace thn::dbf::detalle
