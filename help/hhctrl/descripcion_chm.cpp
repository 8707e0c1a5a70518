// SPDX-License-Identifier: EUPL-1.2
#include "help/hhctrl/descripcion_chm.h"

#include "base/ascii.h"
#include "help/hhctrl/binario_chm.h"
#include "help/hhctrl/contextos_chm.h"
#include "help/hhctrl/texto_chm.h"

#include <initializer_list>

namespace thn::chm {
namespace {

std::string Texto(std::string_view datos) { return DesdeWindows1252(datos.substr(0, datos.find('\0'))); }

// The stored path of the first name that the archive holds.
std::string PrimeroGuardado(const ArchivoChm& archivo, std::initializer_list<std::string_view> nombres)
{
    for (std::string_view nombre : nombres)
        for (const auto& candidato : CandidatosRuta(nombre))
            if (auto ruta = archivo.Resolver(candidato))
                return *ruta;
    return {};
}

bool TerminaEn(std::string_view ruta, std::string_view extension)
{
    return ruta.size() >= extension.size()
        && IgualesSinCasoAscii(ruta.substr(ruta.size() - extension.size()), extension);
}

std::string PrimeroConExtension(const ArchivoChm& archivo, std::initializer_list<std::string_view> extensiones)
{
    for (const auto& objeto : archivo.Objetos())
        for (std::string_view extension : extensiones)
            if (objeto.size() > 1 && objeto[1] != '#' && objeto[1] != '$' && TerminaEn(objeto, extension))
                return objeto;
    return {};
}

}  // namespace

SistemaChm LeerSistema(std::string_view sistema)
{
    SistemaChm s;
    std::size_t p = 4;  // after the version
    while (true) {
        const auto codigo = U16(sistema, p);
        const auto largo = U16(sistema, p + 2);
        if (!codigo || !largo || sistema.size() - (p + 4) < *largo)
            break;
        const std::string_view datos = sistema.substr(p + 4, *largo);
        switch (*codigo) {
        case 0: s.contenido = Texto(datos); break;
        case 1: s.indice = Texto(datos); break;
        case 2: s.tema_inicial = Texto(datos); break;
        case 3: s.titulo = Texto(datos); break;
        default: break;
        }
        p += 4 + *largo;
    }
    return s;
}

VentanaChm LeerVentana(std::string_view ventanas, std::string_view cadenas)
{
    VentanaChm v;
    const auto cuantas = U32(ventanas, 0);
    const auto tamano = U32(ventanas, 4);
    if (!cuantas || *cuantas == 0 || !tamano || *tamano < 0x70 || ventanas.size() - 8 < *tamano)
        return v;
    auto cadena = [&](std::size_t campo) {
        const auto desplazamiento = U32(ventanas, 8 + campo);
        const auto texto = desplazamiento && *desplazamiento ? TextoEn(cadenas, *desplazamiento) : std::nullopt;
        return texto ? DesdeWindows1252(*texto) : std::string();
    };
    v.contenido = cadena(0x60);
    v.indice = cadena(0x64);
    v.tema_inicial = cadena(0x68);
    v.tema_principal = cadena(0x6C);
    return v;
}

DescripcionChm Describir(const ArchivoChm& archivo)
{
    const SistemaChm sistema = LeerSistema(archivo.Leer("/#SYSTEM").value_or(""));
    const VentanaChm ventana = LeerVentana(archivo.Leer("/#WINDOWS").value_or(""), archivo.Leer("/#STRINGS").value_or(""));
    DescripcionChm d;
    d.titulo = sistema.titulo;
    d.tema_inicial = PrimeroGuardado(archivo, {sistema.tema_inicial, ventana.tema_inicial, ventana.tema_principal});
    if (d.tema_inicial.empty())
        d.tema_inicial = PrimeroConExtension(archivo, {".htm", ".html"});
    d.contenido = PrimeroGuardado(archivo, {sistema.contenido, ventana.contenido});
    if (d.contenido.empty())
        d.contenido = PrimeroConExtension(archivo, {".hhc"});
    d.indice = PrimeroGuardado(archivo, {sistema.indice, ventana.indice});
    if (d.indice.empty())
        d.indice = PrimeroConExtension(archivo, {".hhk"});
    return d;
}

}  // namespace thn::chm
