// SPDX-License-Identifier: EUPL-1.2
#include "trabajo/descripciones_previas.h"

#include "base/crc32.h"
#include "trabajo/en_carpeta.h"
#include "trabajo/tablas.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace thn {
namespace {


}  // namespace

int DescribirFichero(const so::Descriptor& d, const std::string& nombre, FicheroGuardado& f,
                     const std::atomic<bool>* parar)
{
    f = FicheroGuardado{nombre, 0, std::nullopt, 0};
    Crc32 crc;
    std::string cabecera;
    const int error = Recorrer(d, kMaximoFicheroGuardado, [&](std::string_view bloque) {
        if (parar && parar->load(std::memory_order_relaxed))
            return false;
        if (cabecera.size() < 8)
            cabecera.append(bloque.substr(0, 8 - cabecera.size()));
        crc.Anadir(bloque);
        f.tamano += bloque.size();
        return true;
    });
    f.crc32 = crc.Valor();
    if (TablaExportadaDe(nombre, false) && cabecera.size() == 8) {
        std::uint32_t n = 0;
        for (int i = 7; i >= 4; --i)
            n = (n << 8) | static_cast<unsigned char>(cabecera[static_cast<std::size_t>(i)]);
        f.registros = n;
    }
    return error;
}

DescripcionesPrevias::DescripcionesPrevias(const std::filesystem::path& directorio)
{
    try {
        hilo_ = std::thread([this, directorio] { Describir(directorio); });
    } catch (const std::system_error&) {
        // described when they are kept, as without this
    }
}

DescripcionesPrevias::~DescripcionesPrevias()
{
    parar_ = true;
    Esperar();
}

void DescripcionesPrevias::Esperar()
{
    if (hilo_.joinable())
        hilo_.join();
}

void DescripcionesPrevias::Describir(const std::filesystem::path& directorio)
{
    // Whatever fails here only leaves a file to be described when it is kept.
    try {
        so::Carpeta c;
        std::vector<std::filesystem::path> nombres;
        if (so::AbrirCarpeta(directorio, true, c) != 0 || so::Listar(c, nombres) != 0)
            return;
        for (const auto& nombre : nombres) {
            so::Descriptor d;
            so::VersionFichero antes, despues;
            FicheroGuardado f;
            if (parar_ || !TablaExportadaDe(nombre.string(), true) || so::AbrirEn(c, nombre, so::Apertura::Lectura, d) != 0
                || so::Version(d, antes) != 0 || DescribirFichero(d, nombre.string(), f, &parar_) != 0
                || so::Version(d, despues) != 0 || despues != antes)
                continue;  // also one written while it was read
            previas_.push_back({antes, std::move(f)});
        }
    } catch (...) {
    }
}

std::optional<FicheroGuardado> DescripcionesPrevias::De(const std::string& nombre, const so::VersionFichero& v)
{
    Esperar();
    const auto p = std::find_if(previas_.begin(), previas_.end(),
                                [&](const Previa& p) { return p.fichero.nombre == nombre && p.version == v; });
    if (p == previas_.end())
        return std::nullopt;
    return p->fichero;
}

}  // namespace thn
