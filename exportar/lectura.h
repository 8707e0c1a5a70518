// SPDX-License-Identifier: EUPL-1.2
#pragma once
// One element's values as a conversion reads them. In an export the first
// problem throws, as it always did; in a check every problem is noted, an
// empty value stands in, and the conversion leaves the element out.

#include "exportar/contexto.h"
#include "base/error.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace thn {

class Lectura {
public:
    Lectura(ContextoExportacion& c, const ElementoLeido& e);
    ~Lectura();
    Lectura(const Lectura&) = delete;
    Lectura& operator=(const Lectura&) = delete;

    // The attribute text (trimmed UTF-8); "" after a noted problem.
    std::string Texto(const char* atributo);
    // The same in the tables' code page; a check notes the characters the page cannot hold.
    std::string Ansi(const char* atributo);
    // The same without a copy: the document's own text when it is ASCII
    // (valid while the document lives), otherwise its conversion, kept in
    // `almacen`.
    std::string_view AnsiEn(const char* atributo, std::string& almacen);
    // The same found by its place among the attributes kept
    // (CentroLeido::Lugar), named `atributo` in notes.
    std::string_view AnsiEn(const char* atributo, std::size_t lugar, std::string& almacen);

    // Runs `f`, which turns the attribute's value into what the record
    // needs; in a check its failure is noted with `codigo`. Nothing runs
    // for an attribute that already failed.
    template <class F>
    void Intentar(const char* atributo, const char* codigo, F&& f)
    {
        if (!c_.revision) {
            f();
            return;
        }
        if (Fallido(atributo))
            return;
        try {
            f();
        } catch (const Error& e) {
            Anotar(atributo, codigo, e);
        }
    }

    // False once a problem has been noted: the element is left out.
    bool Utilizable() const { return fallidos_.empty(); }
    bool Revisando() const { return c_.revision != nullptr; }
    // A check's note of a value written otherwise than the document has it.
    void Cambio(const char* codigo, const std::string& motivo);
    // The short code given for `codigo` when it differs, with the reason.
    void CodigoCambiado(const std::string& codigo, const std::string& corto, bool ocupado, const char* campo);

private:
    // The attribute's text, kept by the document; "" after a noted problem.
    std::string_view Valor(const char* atributo, std::size_t lugar = kPorNombre);
    std::string_view Convertida(const char* atributo, std::string_view texto, std::string& almacen);
    static constexpr std::size_t kPorNombre = static_cast<std::size_t>(-1);
    bool Fallido(const char* atributo) const;
    void Anotar(const char* atributo, const char* codigo, const Error& e);

    ContextoExportacion& c_;
    const ElementoLeido& e_;
    std::vector<const char*> fallidos_;
};

// The shape of a conversion that writes one record per element of a
// section: the table rebuilt and opened, then `registro` for each element,
// which reads it and fills a record it has begun; it answers whether the
// record is to be kept (a record begun and not kept is dropped by the next
// one). The count of kept records goes to the report.
void ConvertirElementos(ContextoExportacion& c, const DefinicionTabla& tabla, const std::string& ruta,
                        const std::function<bool(Lectura&, dbf::Tabla&)>& registro);

}  // namespace thn
