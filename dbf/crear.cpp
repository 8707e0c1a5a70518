// SPDX-License-Identifier: EUPL-1.2
// Tabla::Crear: a new level-7 table (68-byte header, 48-byte descriptors,
// driver DBWINWE0, no index, no property block), written next to the target
// and renamed over it, so that a failure never leaves half a table.

#include "dbf/tabla.h"

#include "dbf/codificacion.h"
#include "dbf/estructura.h"
#include "dbf/fichero.h"
#include "base/error.h"
#include "so/reemplazo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>


namespace thn::dbf {
namespace {

using namespace detalle;
namespace fs = std::filesystem;

constexpr const char* kNombreDriver = "DBWINWE0";

bool NombreCampoValido(std::string_view n)
{
    auto letra = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (n.empty() || n.size() > 31 || !letra(n[0]))
        return false;
    return std::all_of(n.begin(), n.end(), [&](char c) { return letra(c) || (c >= '0' && c <= '9'); });
}

// Header, descriptors, terminator and the end-of-file mark of an empty table.
std::string Contenido(const std::vector<DefinicionCampo>& campos, const std::function<Error(std::string)>& fallo)
{
    if (campos.empty())
        throw fallo("no tiene campos");
    if (campos.size() > (0xFFFF - 69) / 48)
        throw fallo("tiene demasiados campos");
    const std::size_t long_cabecera = 68 + 48 * campos.size() + 1;
    std::size_t long_registro = 1;
    std::string contenido(long_cabecera, '\0');
    auto* h = reinterpret_cast<unsigned char*>(contenido.data());
    std::vector<std::string> vistos;
    for (std::size_t i = 0; i < campos.size(); ++i) {
        const DefinicionCampo& def = campos[i];
        if (!NombreCampoValido(def.nombre))
            throw fallo(Formatear("el nombre de campo '%s' no es válido", {def.nombre}));
        std::string nombre = Mayusculas(def.nombre);
        if (std::find(vistos.begin(), vistos.end(), nombre) != vistos.end())
            throw fallo(Formatear("el campo '%s' está repetido", {nombre}));
        char tipo = 'C';
        int ancho = def.ancho;
        switch (def.tipo) {
        case TipoCampo::Caracter:
            if (ancho < 1 || ancho > 254)
                throw fallo(Formatear("el ancho del campo '%s' (%s) no está entre 1 y 254",
                                      {nombre, std::to_string(ancho)}));
            break;
        case TipoCampo::Logico: tipo = 'L'; ancho = 1; break;
        case TipoCampo::Entero: tipo = 'I'; ancho = 4; break;
        case TipoCampo::Flotante: tipo = 'O'; ancho = 8; break;
        }
        unsigned char* d = h + 68 + 48 * i;
        std::memcpy(d, nombre.data(), nombre.size());
        d[32] = static_cast<unsigned char>(tipo);
        d[33] = static_cast<unsigned char>(ancho);
        long_registro += static_cast<std::size_t>(ancho);
        vistos.push_back(std::move(nombre));
    }
    if (long_registro > 0xFFFF)
        throw fallo("los registros serían demasiado largos");
    h[0] = 0x04;
    FechaDeHoy(h + 1);
    EscribirLE16(h + 8, static_cast<std::uint16_t>(long_cabecera));
    EscribirLE16(h + 10, static_cast<std::uint16_t>(long_registro));
    std::memcpy(h + 32, kNombreDriver, std::strlen(kNombreDriver));
    h[long_cabecera - 1] = 0x0D;
    contenido += '\x1A';
    return contenido;
}

}  // namespace

void Tabla::Crear(const fs::path& ruta, const std::vector<DefinicionCampo>& campos)
{
    const std::string tabla = ruta.string();
    const std::function<Error(std::string)> fallo = [&](const std::string& motivo) {
        return Error(Formatear("No se puede crear la tabla '%s': %s", {tabla, motivo}));
    };
    const std::string contenido = Contenido(campos, fallo);

    so::Reemplazo nueva;
    if (const int error = nueva.Abrir(ruta, false))
        throw fallo(ErrorSistema(error));
    int error = nueva.Escribir(contenido.data(), contenido.size());
    if (error == 0)
        error = nueva.Vaciar();
    if (error != 0)
        FalloDeEscritura(error, tabla);
    if (const int error = nueva.Terminar())  // close's error may be the write's
        throw fallo(ErrorSistema(error));

    // A table someone holds open is not replaced under their feet.
    if (so::BloqueadoPorOtro(ruta))
        FalloDeBloqueo(EWOULDBLOCK, tabla);
    // The folder is made durable by whoever puts the filled table in its
    // final place (the export's staging), not once per empty table.
    if (const int error = nueva.Colocar(false))
        throw fallo(ErrorSistema(error));
}

}  // namespace thn::dbf
