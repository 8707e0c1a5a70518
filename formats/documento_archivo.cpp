// SPDX-License-Identifier: EUPL-1.2
#include "formats/documento_archivo.h"

#include "formats/error.h"

#include <cerrno>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace thn::documento {
namespace fs = std::filesystem;

Archivo AbrirArchivo(const fs::path& ruta, const char* modo)
{
#ifdef _WIN32
    std::wstring modo_ancho(modo, modo + std::char_traits<char>::length(modo));
    return Archivo(_wfopen(ruta.c_str(), modo_ancho.c_str()));
#else
    return Archivo(std::fopen(ruta.c_str(), modo));
#endif
}

int LeerBloqueArchivo(void* contexto, char* destino, int tamano)
{
    auto* entrada = static_cast<EntradaArchivo*>(contexto);
    const std::size_t leidos = std::fread(destino, 1, static_cast<std::size_t>(tamano), entrada->archivo);
    if (leidos == 0 && std::ferror(entrada->archivo)) {
        entrada->error = errno != 0 ? errno : EIO;
        return -1;
    }
    return static_cast<int>(leidos);
}

std::string MotivoSistema(int error)
{
    return std::generic_category().message(error);
}

namespace {

bool Sincronizar(std::FILE* f)
{
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

}  // namespace

ReemplazoAtomico::ReemplazoAtomico(fs::path destino) : destino_(std::move(destino))
{
    // Same directory as the destination, so that the rename cannot cross
    // file systems and stays atomic.
    std::random_device azar;
    const std::string base = destino_.filename().string();
    int ultimo_error = 0;
    for (int intento = 0; intento < 16 && !archivo_; ++intento) {
        char sufijo[16];
        std::snprintf(sufijo, sizeof sufijo, ".%08x.tmp", static_cast<unsigned>(azar()));
        temporal_ = destino_;
        temporal_.replace_filename(base + sufijo);
        archivo_ = AbrirArchivo(temporal_, "wbx");  // "x": never reuse a file that exists
        ultimo_error = errno;
        if (!archivo_ && ultimo_error != EEXIST)
            break;
    }
    if (!archivo_)
        Fallar(MotivoSistema(ultimo_error));
}

ReemplazoAtomico::~ReemplazoAtomico()
{
    if (confirmado_)
        return;
    archivo_.reset();
    std::error_code ec;
    fs::remove(temporal_, ec);
}

bool ReemplazoAtomico::Escribir(const char* datos, std::size_t tamano)
{
    if (!motivo_escritura_.empty())
        return false;
    if (std::fwrite(datos, 1, tamano, archivo_.get()) == tamano)
        return true;
    motivo_escritura_ = MotivoSistema(errno);
    return false;
}

void ReemplazoAtomico::Confirmar()
{
    if (!motivo_escritura_.empty())
        Fallar(motivo_escritura_);
    if (std::fflush(archivo_.get()) != 0 || !Sincronizar(archivo_.get()))
        Fallar(MotivoSistema(errno));
    std::FILE* f = archivo_.release();
    if (std::fclose(f) != 0)
        Fallar(MotivoSistema(errno));
    std::error_code ec;
    fs::rename(temporal_, destino_, ec);
    if (ec)
        Fallar(ec.message());
    confirmado_ = true;
}

void ReemplazoAtomico::Fallar(const std::string& motivo) const
{
    throw Error(Formatear("No se pudo guardar el archivo '%s': %s", {destino_.string(), motivo}));
}

}  // namespace thn::documento
