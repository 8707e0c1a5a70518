// SPDX-License-Identifier: EUPL-1.2
#include "documento/centro_leido.h"

#include "documento/lector_centro.h"
#include "base/error.h"

#include <algorithm>

namespace thn {

using documento::SeccionLeida;

const std::string& ElementoLeido::Nombre() const { return seccion_->elemento; }

std::size_t ElementoLeido::Posicion() const
{
    return static_cast<std::size_t>(this - seccion_->elementos.data()) + 1;
}

namespace {

// The attribute's place among those kept, or a fault of the caller.
std::size_t Lugar(const SeccionLeida& s, std::string_view nombre, std::size_t posicion)
{
    const auto it = std::find(s.atributos.begin(), s.atributos.end(), nombre);
    if (it == s.atributos.end())
        throw Error(Formatear("El atributo '%s' del elemento %s número %s no se leyó del documento",
                              {std::string(nombre), s.elemento, std::to_string(posicion)}));
    return static_cast<std::size_t>(it - s.atributos.begin());
}

}  // namespace

bool ElementoLeido::TieneAtributo(std::string_view nombre) const
{
    const std::size_t posicion = Posicion();
    const std::size_t k = Lugar(*seccion_, nombre, posicion);
    return (seccion_->fines[(posicion - 1) * seccion_->atributos.size() + k] & SeccionLeida::kAusente) == 0;
}

std::string_view ElementoLeido::Atributo(std::string_view nombre) const
{
    return AtributoEn(Lugar(*seccion_, nombre, Posicion()));
}

std::string_view ElementoLeido::AtributoEn(std::size_t k) const
{
    const SeccionLeida& s = *seccion_;
    const std::size_t posicion = Posicion();
    const std::size_t i = (posicion - 1) * s.atributos.size() + k;
    const std::uint32_t fin = s.fines[i];
    if (fin & SeccionLeida::kAusente)
        throw Error(Formatear("Falta el atributo '%s' en el elemento %s número %s",
                              {s.atributos[k], s.elemento, std::to_string(posicion)}));
    if (fin & SeccionLeida::kDemasiadoLargo)
        throw Error(Formatear("El atributo '%s' del elemento %s número %s es demasiado largo al expandir sus entidades",
                              {s.atributos[k], s.elemento, std::to_string(posicion)}));
    const std::size_t desde = k == 0 ? 0 : (s.fines[i - 1] & SeccionLeida::kFin);
    return std::string_view(s.textos.data(), s.textos.size()).substr(inicio_ + desde, (fin & SeccionLeida::kFin) - desde);
}

CentroLeido CentroLeido::Cargar(const std::filesystem::path& ruta, const std::vector<Seccion>& secciones)
{
    CentroLeido centro;
    for (const auto& s : secciones) {
        const std::string prefijo = "/centro/";
        const std::size_t barra = s.ruta.find('/', prefijo.size());
        if (s.ruta.compare(0, prefijo.size(), prefijo) != 0 || barra == std::string::npos)
            throw Error(Formatear("La ruta '%s' no es una ruta de sección del centro", {s.ruta}));
        auto leida = std::make_unique<SeccionLeida>();
        leida->ruta = s.ruta;
        leida->elemento = s.ruta.substr(barra + 1);
        leida->atributos = s.atributos;
        centro.secciones_.push_back(std::move(leida));
    }
    LectorCentro(centro).Leer(ruta);
    return centro;
}

std::size_t CentroLeido::Lugar(const std::string& ruta, std::string_view atributo) const
{
    for (const auto& s : secciones_)
        if (s->ruta == ruta) {
            const auto it = std::find(s->atributos.begin(), s->atributos.end(), atributo);
            if (it == s->atributos.end())
                throw Error(Formatear("El atributo '%s' de %s no se leyó del documento", {std::string(atributo), ruta}));
            return static_cast<std::size_t>(it - s->atributos.begin());
        }
    throw Error(Formatear("La ruta '%s' no se leyó del documento", {ruta}));
}

std::span<const ElementoLeido> CentroLeido::Seleccionar(const std::string& ruta) const
{
    for (const auto& s : secciones_)
        if (s->ruta == ruta)
            return {s->elementos.data(), s->elementos.size()};
    throw Error(Formatear("La ruta '%s' no se leyó del documento", {ruta}));
}

}  // namespace thn
