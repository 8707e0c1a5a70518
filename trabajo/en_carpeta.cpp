// SPDX-License-Identifier: EUPL-1.2
#include "trabajo/en_carpeta.h"

#include <cerrno>

namespace thn {

int EscribirEnCarpeta(const so::Carpeta& c, const std::filesystem::path& nombre, std::string_view texto)
{
    so::Descriptor d;
    int error = so::AbrirEn(c, nombre, so::Apertura::CrearNueva, d);
    if (error == 0)
        error = so::EscribirEn(d, texto.data(), texto.size(), 0);
    if (error == 0)
        error = so::Volcar(d);
    if (const int al_cerrar = so::Cerrar(d); error == 0)
        error = al_cerrar;
    if (error == 0)
        error = so::VolcarCarpeta(c);
    return error;
}

int BorrarPrimero(const so::Carpeta& c, const std::filesystem::path& nombre,
                  std::vector<std::filesystem::path>& resto)
{
    bool existe = false;
    int error = so::ExisteEn(c, nombre, existe);
    if (error == 0 && existe)
        error = so::BorrarEn(c, nombre);
    if (error == 0 && existe)
        error = so::VolcarCarpeta(c);
    return error != 0 ? error : so::Listar(c, resto);
}

int LeerDeCarpeta(const so::Carpeta& c, const std::filesystem::path& nombre, std::uint64_t maximo,
                  std::string& texto)
{
    texto.clear();
    return RecorrerEnCarpeta(c, nombre, maximo, [&](std::string_view bloque) { texto.append(bloque); });
}

int RecorrerEnCarpeta(const so::Carpeta& c, const std::filesystem::path& nombre, std::uint64_t maximo,
                      const std::function<void(std::string_view)>& bloque)
{
    so::Descriptor d;
    if (const int error = so::AbrirEn(c, nombre, so::Apertura::Lectura, d))
        return error;
    return Recorrer(d, maximo, [&](std::string_view b) {
        bloque(b);
        return true;
    });
}

int Recorrer(const so::Descriptor& d, std::uint64_t maximo, const std::function<bool(std::string_view)>& bloque)
{
    std::uint64_t tamano = 0;
    if (const int error = so::Tamano(d, tamano))
        return error;
    if (tamano > maximo)
        return EFBIG;
    std::string bufer(std::size_t{1} << 18, '\0');
    for (std::uint64_t desp = 0;;) {
        std::size_t leidos = 0;
        if (const int error = so::LeerEn(d, bufer.data(), bufer.size(), desp, leidos))
            return error;
        if (leidos == 0)
            return 0;
        if (!bloque(std::string_view(bufer.data(), leidos)))
            return ECANCELED;
        desp += leidos;
    }
}

}  // namespace thn
