// SPDX-License-Identifier: EUPL-1.2
#include "help/hhctrl/archivo_chm.h"

#include "help/hhctrl/direccion_chm.h"

#include <chm_lib.h>

namespace thn::chm {
namespace {

// chmlib copies the path into a fixed buffer: a longer one is never stored.
bool ResolverObjeto(chmFile* chm, const std::string& ruta, chmUnitInfo& info)
{
    return !ruta.empty() && ruta.size() <= CHM_MAX_PATHLEN
        && chm_resolve_object(chm, ruta.c_str(), &info) == CHM_RESOLVE_SUCCESS;
}

int Anotar(chmFile*, chmUnitInfo* info, void* contexto)
{
    static_cast<std::vector<std::string>*>(contexto)->emplace_back(info->path);
    return CHM_ENUMERATOR_CONTINUE;
}

}  // namespace

std::unique_ptr<ArchivoChm> ArchivoChm::Abrir(const std::filesystem::path& ruta)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(ruta, error))
        return nullptr;
    chmFile* chm = chm_open(ruta.c_str());
    if (!chm)
        return nullptr;
    return std::unique_ptr<ArchivoChm>(new ArchivoChm(chm, ruta));
}

ArchivoChm::ArchivoChm(chmFile* chm, std::filesystem::path ruta) : chm_(chm), ruta_(std::move(ruta)) {}

ArchivoChm::~ArchivoChm() { chm_close(chm_); }

std::optional<std::string> ArchivoChm::Resolver(std::string_view ruta) const
{
    chmUnitInfo info{};
    if (!ResolverObjeto(chm_, NormalizarRuta(ruta), info))
        return std::nullopt;
    return std::string(info.path);
}

std::optional<std::string> ArchivoChm::Leer(std::string_view ruta) const
{
    chmUnitInfo info{};
    if (!ResolverObjeto(chm_, NormalizarRuta(ruta), info) || info.length > kTamanoMaximo)
        return std::nullopt;
    std::string contenido(static_cast<std::size_t>(info.length), '\0');
    if (info.length == 0)
        return contenido;
    const LONGINT64 leidos = chm_retrieve_object(chm_, &info, reinterpret_cast<unsigned char*>(contenido.data()), 0,
                                                 static_cast<LONGINT64>(info.length));
    if (leidos < 0 || static_cast<LONGUINT64>(leidos) != info.length)
        return std::nullopt;
    return contenido;
}

std::vector<std::string> ArchivoChm::Objetos() const
{
    std::vector<std::string> objetos;
    chm_enumerate(chm_, CHM_ENUMERATE_ALL, Anotar, &objetos);
    return objetos;
}

}  // namespace thn::chm
