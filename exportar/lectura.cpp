// SPDX-License-Identifier: EUPL-1.2
#include "exportar/lectura.h"

#include "exportar/revision.h"
#include "base/texto.h"

#include <algorithm>
#include <cstring>

namespace thn {

Lectura::Lectura(ContextoExportacion& c, const ElementoLeido& e) : c_(c), e_(e)
{
    if (c_.revision)
        c_.revision->actual = &e_;
}

Lectura::~Lectura()
{
    if (c_.revision)
        c_.revision->actual = nullptr;
}

std::string_view Lectura::Valor(const char* atributo, std::size_t lugar)
{
    const auto leer = [&] { return lugar == kPorNombre ? e_.Atributo(atributo) : e_.AtributoEn(lugar); };
    if (!c_.revision)
        return leer();
    try {
        return leer();
    } catch (const Error& e) {
        Anotar(atributo, e_.TieneAtributo(atributo) ? "atributo_demasiado_largo" : "falta_atributo", e);
        return {};
    }
}

std::string Lectura::Texto(const char* atributo)
{
    return std::string(Valor(atributo));
}

std::string Lectura::Ansi(const char* atributo)
{
    std::string almacen;
    const std::string_view ansi = AnsiEn(atributo, almacen);
    return ansi.data() == almacen.data() ? std::move(almacen) : std::string(ansi);
}

std::string_view Lectura::AnsiEn(const char* atributo, std::string& almacen)
{
    return Convertida(atributo, Valor(atributo), almacen);
}

std::string_view Lectura::AnsiEn(const char* atributo, std::size_t lugar, std::string& almacen)
{
    return Convertida(atributo, Valor(atributo, lugar), almacen);
}

std::string_view Lectura::Convertida(const char* atributo, std::string_view texto, std::string& almacen)
{
    // Most values are ASCII, which the code page holds as it is.
    if (std::all_of(texto.begin(), texto.end(), [](char ch) { return (ch & 0x80) == 0; }))
        return texto;
    almacen = AAnsi(texto);
    // The page writes '?' for what it cannot hold: more of them than the text
    // had. Counted only where there is one: most texts have none.
    if (c_.revision && almacen.find('?') != std::string::npos
        && std::count(almacen.begin(), almacen.end(), '?') != std::count(texto.begin(), texto.end(), '?'))
        Cambio("caracter_no_representable", "'" + std::string(texto) + "' (atributo " + atributo
                                                + ") tiene caracteres que Windows-1252 no admite: se guarda '"
                                                + DesdeAnsi(almacen) + "'");
    return almacen;
}

void Lectura::Cambio(const char* codigo, const std::string& motivo)
{
    if (c_.revision && Utilizable() && c_.revision->Nuevo(e_, motivo))
        c_.revision->cambios.push_back({e_.Nombre(), e_.Posicion(), codigo, Donde(e_), motivo});
}

void Lectura::CodigoCambiado(const std::string& codigo, const std::string& corto, bool ocupado, const char* campo)
{
    if (!c_.revision || codigo == corto)
        return;
    const std::string dado = ": se escribe '" + DesdeAnsi(corto) + "' en " + campo;
    if (ocupado)
        Cambio("codigo_con_contador", "el código '" + DesdeAnsi(codigo) + "' ya está dado" + dado);
    else if (codigo.empty())
        Cambio("codigo_desde_nombre", "sin código, se toma del nombre" + dado);
    else
        Cambio("codigo_acortado", "el código '" + DesdeAnsi(codigo) + "' tiene más de 10 caracteres" + dado);
}

bool Lectura::Fallido(const char* atributo) const
{
    return std::any_of(fallidos_.begin(), fallidos_.end(),
                       [&](const char* f) { return std::strcmp(f, atributo) == 0; });
}

void Lectura::Anotar(const char* atributo, const char* codigo, const Error& e)
{
    fallidos_.push_back(atributo);
    c_.revision->actual = nullptr;  // it will not be written: nothing of it is cut
    if (c_.revision->Nuevo(e_, atributo))
        c_.revision->problemas.push_back({e_.Nombre(), e_.Posicion(), codigo,
                                      Donde(e_) + ", atributo " + atributo, e.what(), atributo, e_.Linea()});
}

void ConvertirElementos(ContextoExportacion& c, const DefinicionTabla& tabla, const std::string& ruta,
                        const std::function<bool(Lectura&, dbf::Tabla&)>& registro)
{
    RecrearTabla(c.directorio, tabla);
    const auto& elementos = c.documento.Seleccionar(ruta);
    dbf::Tabla t = AbrirParaEscribir(c, tabla);
    std::size_t escritos = 0;
    for (const auto& e : elementos) {
        Lectura l(c, e);
        if (!registro(l, t))
            continue;
        t.Grabar();
        ++escritos;
    }
    t.Cerrar();
    AnotarRecuento(c.informe, tabla.nombre, escritos);
}

}  // namespace thn
