// SPDX-License-Identifier: EUPL-1.2
#pragma once
// libxml2's diagnostics, collected instead of printed to stderr.

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <optional>
#include <string>

namespace thn::documento {

// While it lives, every diagnostic libxml2 raises on this thread, and every
// one raised on a context handed to Vigilar, comes here. The previous
// thread handler is restored on destruction.
class RecogidaErroresXml {
public:
    RecogidaErroresXml();
    ~RecogidaErroresXml();
    RecogidaErroresXml(const RecogidaErroresXml&) = delete;
    RecogidaErroresXml& operator=(const RecogidaErroresXml&) = delete;

    void Vigilar(xmlParserCtxt* contexto);

    bool HayError() const { return fatal_.has_value() || error_.has_value(); }
    // "línea N: reason" of the first fatal error, else of the first error;
    // the reason in Spanish where the code has one.
    std::string Motivo() const;
    // The same reason without the line, for diagnostics that have none.
    std::string Mensaje() const;
    // libxml2's code of that diagnostic (XML_ERR_OK when none).
    int Codigo() const;

    void Recibir(const xmlError& error);

private:
    struct Diagnostico {
        int codigo;
        int linea;
        std::string mensaje;
    };
    std::optional<Diagnostico> fatal_;
    std::optional<Diagnostico> error_;
    xmlStructuredErrorFunc manejador_previo_;
    void* contexto_previo_;
};

}  // namespace thn::documento
