// SPDX-License-Identifier: EUPL-1.2
#include "dbf/indice.h"

#include "dbf/valores.h"

#include <functional>

namespace thn::dbf::detalle {
namespace {

std::uint32_t Hash(std::string_view texto)
{
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(texto));
}

}  // namespace

std::string_view IndiceCampo::Clave(const std::string& registros, std::size_t i, std::string& auxiliar) const
{
    const auto* r = reinterpret_cast<const unsigned char*>(registros.data()) + i * e_.long_registro;
    if (c_.clase == Clase::Texto || c_.clase == Clase::Fecha)
        return TextoEnSitio(e_, c_, r);
    auxiliar = Texto(e_, c_, r, '.');
    return auxiliar;
}

void IndiceCampo::Crecer()
{
    std::vector<std::uint32_t> registro(registro_.empty() ? 64 : 2 * registro_.size(), 0);
    std::vector<std::uint32_t> hash(registro.size(), 0);
    const std::size_t mascara = registro.size() - 1;
    for (std::size_t k = 0; k < registro_.size(); ++k) {
        if (registro_[k] == 0)
            continue;
        std::size_t j = hash_[k] & mascara;
        while (registro[j] != 0)
            j = (j + 1) & mascara;
        registro[j] = registro_[k];
        hash[j] = hash_[k];
    }
    registro_.swap(registro);
    hash_.swap(hash);
}

void IndiceCampo::Anadir(const std::string& registros, std::size_t i)
{
    if (2 * (usados_ + 1) > registro_.size())
        Crecer();
    std::string auxiliar, otro;
    const std::string_view clave = Clave(registros, i, auxiliar);
    const std::uint32_t h = Hash(clave);
    const std::size_t mascara = registro_.size() - 1;
    std::size_t j = h & mascara;
    for (; registro_[j] != 0; j = (j + 1) & mascara)
        if (hash_[j] == h && Clave(registros, registro_[j] - 1, otro) == clave)
            return;  // an earlier record has this text
    registro_[j] = static_cast<std::uint32_t>(i + 1);
    hash_[j] = h;
    ++usados_;
}

std::size_t IndiceCampo::Buscar(const std::string& registros, std::string_view valor) const
{
    if (registro_.empty())
        return npos;
    const std::uint32_t h = Hash(valor);
    const std::size_t mascara = registro_.size() - 1;
    std::string auxiliar;
    for (std::size_t j = h & mascara; registro_[j] != 0; j = (j + 1) & mascara)
        if (hash_[j] == h && Clave(registros, registro_[j] - 1, auxiliar) == valor)
            return registro_[j] - 1;
    return npos;
}

}  // namespace thn::dbf::detalle
