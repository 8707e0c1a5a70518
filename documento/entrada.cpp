// SPDX-License-Identifier: EUPL-1.2
#include "documento/entrada.h"

#include "base/error.h"

#include <cerrno>
#include <new>
#include <system_error>

namespace thn::documento {
namespace {

constexpr std::size_t kTamanoBloque = 64 * 1024;

}  // namespace

EntradaDocumento::EntradaDocumento(const std::filesystem::path& ruta)
    : nombre_(ruta.string()), archivo_(AbrirArchivo(ruta, "rb"))
{
    if (!archivo_) {
        const int error = errno;
        if (error == ENOENT)
            throw Error(Formatear("No existe el archivo '%s'", {nombre_}));
        throw Error(Formatear("No se pudo abrir el archivo '%s': %s", {nombre_, MotivoSistema(error)}));
    }
    for (Bloque& b : bloques_)
        b.datos.resize(kTamanoBloque);
    try {
        lector_ = std::thread([this] { Leer(); });
    } catch (const std::system_error&) {
        // No thread to spare: the parser's own calls read each block.
    }
}

EntradaDocumento::~EntradaDocumento() { Parar(); }

void EntradaDocumento::Parar()
{
    {
        const std::lock_guard<std::mutex> bloqueo(mutex_);
        parar_ = true;
    }
    cambio_.notify_all();
    if (lector_.joinable())
        lector_.join();
}

bool EntradaDocumento::LeerBloque(Bloque& b)
{
    try {
        const std::size_t leidos = std::fread(b.datos.data(), 1, b.datos.size(), archivo_.get());
        if (leidos == 0 && std::ferror(archivo_.get())) {
            error_ = errno != 0 ? errno : EIO;
            return false;
        }
        if (leidos == 0)
            return false;
        vacio_ = false;
        b.tamano = leidos;
        return limites_.Revisar(b.datos.data(), leidos);
    } catch (const std::bad_alloc&) {
        error_ = ENOMEM;
        return false;
    }
}

void EntradaDocumento::Leer()
{
    for (;;) {
        std::size_t hueco = 0;
        {
            std::unique_lock<std::mutex> bloqueo(mutex_);
            cambio_.wait(bloqueo, [this] { return listos_ < kBloques || parar_; });
            if (parar_)
                return;
            // The parser only ever takes the first ready block: this one is free.
            hueco = (primero_ + listos_) % kBloques;
        }
        const bool sigue = LeerBloque(bloques_[hueco]);
        {
            const std::lock_guard<std::mutex> bloqueo(mutex_);
            if (sigue)
                ++listos_;
            else
                fin_ = true;
        }
        cambio_.notify_all();
        if (!sigue)
            return;
    }
}

std::string_view EntradaDocumento::Siguiente()
{
    if (!lector_.joinable() && !fin_ && !parar_) {
        if (LeerBloque(bloques_[0]))
            return {bloques_[0].datos.data(), bloques_[0].tamano};
        fin_ = alcanzado_ = true;
        return {};
    }
    std::unique_lock<std::mutex> bloqueo(mutex_);
    if (en_uso_) {
        primero_ = (primero_ + 1) % kBloques;
        --listos_;
        en_uso_ = false;
        cambio_.notify_all();
    }
    cambio_.wait(bloqueo, [this] { return listos_ > 0 || fin_; });
    if (listos_ == 0) {
        alcanzado_ = true;
        return {};
    }
    en_uso_ = true;
    const Bloque& b = bloques_[primero_];
    return {b.datos.data(), b.tamano};
}

void EntradaDocumento::Comprobar()
{
    Parar();
    // Read ahead of where the parser stopped, a failure is none of its business.
    if (!alcanzado_)
        return;
    if (error_ != 0)
        throw Error(Formatear("No se pudo leer el archivo '%s': %s", {nombre_, MotivoSistema(error_)}));
    // libxml2 would call it content after the end.
    if (vacio_)
        throw Error(Formatear("El archivo '%s' no es un documento XML válido (%s)", {nombre_, "línea 1: el documento está vacío"}));
    if (!limites_.Motivo().empty())
        throw Error(Formatear("El archivo '%s' supera los límites de un documento de centro (%s)",
                              {nombre_, limites_.Motivo()}));
}

}  // namespace thn::documento
