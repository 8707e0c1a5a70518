// SPDX-License-Identifier: EUPL-1.2
#include "app/ini.h"

#include "formats/error.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace thn::app {
namespace fs = std::filesystem;
namespace {

struct CerrarFichero {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using Fichero = std::unique_ptr<std::FILE, CerrarFichero>;

// A temporary file beside the target, removed unless it replaced the target.
class Temporal {
public:
    explicit Temporal(const fs::path& destino)
    {
        for (int n = 0; n < 100 && !fichero_; ++n) {
            ruta_ = destino;
            ruta_ += ".tmp" + std::to_string(n);
            fichero_.reset(std::fopen(ruta_.string().c_str(), "wbx"));  // never reuses a file
        }
    }
    ~Temporal()
    {
        fichero_.reset();
        if (!confirmado_ && !ruta_.empty()) {
            std::error_code ec;
            fs::remove(ruta_, ec);
        }
    }
    Temporal(const Temporal&) = delete;
    Temporal& operator=(const Temporal&) = delete;

    bool Escribir(std::string_view contenido)
    {
        if (!fichero_)
            return false;
        bool ok = std::fwrite(contenido.data(), 1, contenido.size(), fichero_.get()) == contenido.size()
               && std::fflush(fichero_.get()) == 0;
#ifndef _WIN32
        ok = ok && ::fsync(::fileno(fichero_.get())) == 0;
#endif
        ok = std::fclose(fichero_.release()) == 0 && ok;
        return ok;
    }

    bool Reemplazar(const fs::path& destino)
    {
        std::error_code ec;
        if (fs::exists(destino, ec))
            fs::permissions(ruta_, fs::status(destino, ec).permissions(), ec);
        fs::rename(ruta_, destino, ec);
        confirmado_ = !ec;
        return confirmado_;
    }

private:
    fs::path ruta_;
    Fichero fichero_;
    bool confirmado_ = false;
};

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
    if (ok) {
        Temporal temporal(destino);
        ok = temporal.Escribir(ConValorIni(contenido, seccion, clave, valor)) && temporal.Reemplazar(destino);
    }
    if (!ok)
        throw Error(Formatear("Unable to write to %s", {fichero.string()}));
}

}  // namespace thn::app
