// SPDX-License-Identifier: EUPL-1.2
#include "ventana/ini.h"

#include "base/error.h"
#include "so/reemplazo.h"

#include <fstream>
#include <iterator>

namespace thn::ventana {
namespace fs = std::filesystem;
namespace {

// The file's bytes; an absent file is empty. False when it exists but
// cannot be read, so that its content is never lost.
bool Leer(const fs::path& fichero, std::string& contenido)
{
    std::error_code ec;
    const auto estado = fs::status(fichero, ec);
    if (!fs::exists(estado))
        return ec.value() == 0 || ec == std::errc::no_such_file_or_directory;
    if (!fs::is_regular_file(estado))
        return false;
    std::ifstream in(fichero, std::ios::binary);
    if (!in)
        return false;
    try {
        contenido.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return false;
    }
    return !in.bad();
}

}  // namespace

void EscribirValorIni(const fs::path& fichero, std::string_view seccion, std::string_view clave,
                      std::string_view valor)
{
    // A link stays a link: its target is the file that changes.
    std::error_code ec;
    fs::path destino = fichero;
    if (fs::is_symlink(fichero, ec)) {
        const fs::path objetivo = fs::canonical(fichero, ec);
        if (!ec)
            destino = objetivo;
    }
    std::string contenido;
    bool ok = Leer(destino, contenido);
    if (ok)
        ok = so::ReemplazarFichero(destino, ConValorIni(contenido, seccion, clave, valor), true) == 0;
    if (!ok)
        throw Error(Formatear("Unable to write to %s", {fichero.string()}));
}

}  // namespace thn::ventana
