// SPDX-License-Identifier: EUPL-1.2
#include "dbf/registros_aparte.h"

#include "dbf/valores.h"
#include "base/error.h"

namespace thn::dbf {

using detalle::Clase;

RegistrosAparte::RegistrosAparte(const Tabla& t)
    : molde_(t.Molde()), tabla_(molde_->tabla), largo_(molde_->e.long_registro)
{
    for (const detalle::Campo& c : molde_->e.campos)
        caracteres_.push_back(c.clase == Clase::Texto && c.bit_nulo < 0
                                  ? Caracteres{static_cast<std::uint16_t>(c.desp), static_cast<std::uint16_t>(c.ancho)}
                                  : Caracteres{});
}
RegistrosAparte::~RegistrosAparte() = default;
RegistrosAparte::RegistrosAparte(RegistrosAparte&&) noexcept = default;
RegistrosAparte& RegistrosAparte::operator=(RegistrosAparte&&) noexcept = default;

void RegistrosAparte::Anadir()
{
    registros_.append(molde_->en_blanco);
    escritos_ = 0;
}

std::size_t RegistrosAparte::Cuantos() const { return registros_.size() / molde_->e.long_registro; }

void RegistrosAparte::Vaciar() { registros_.clear(); }

unsigned char* RegistrosAparte::Ultimo(Columna campo, const detalle::Campo*& c)
{
    const detalle::Estructura& e = molde_->e;
    if (campo.tabla_ != molde_->tabla)
        throw Error(Formatear("La columna no es de la tabla '%s'", {e.tabla}));
    if (registros_.empty())
        throw Error(Formatear("No se ha empezado ningún registro nuevo en la tabla '%s'", {e.tabla}));
    c = &e.campos[campo.indice_];
    return reinterpret_cast<unsigned char*>(registros_.data()) + registros_.size() - e.long_registro;
}

void RegistrosAparte::PonerTextoEnCampo(Columna campo, std::string_view ansi)
{
    if (campo.indice_ < 64)
        escritos_ |= std::uint64_t{1} << campo.indice_;
    const detalle::Campo* c = nullptr;
    unsigned char* r = Ultimo(campo, c);
    detalle::EscribirTexto(molde_->e, *c, r, ansi);
}

void RegistrosAparte::PonerFlotante(Columna campo, double valor)
{
    if (campo.indice_ < 64)
        escritos_ |= std::uint64_t{1} << campo.indice_;
    const detalle::Campo* c = nullptr;
    unsigned char* r = Ultimo(campo, c);
    detalle::EscribirFlotante(molde_->e, *c, r, valor);
}

}  // namespace thn::dbf
