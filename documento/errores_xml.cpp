// SPDX-License-Identifier: EUPL-1.2
#include "documento/errores_xml.h"

#include "documento/motivos_xml.h"

namespace thn::documento {
namespace {

// The handler's parameter lost its const in no libxml2 release before 2.12.
#if LIBXML_VERSION >= 21200
using ErrorRecibido = const xmlError*;
#else
using ErrorRecibido = xmlError*;
#endif

void DesdeHilo(void* recogida, ErrorRecibido error)
{
    if (recogida != nullptr && error != nullptr)
        static_cast<RecogidaErroresXml*>(recogida)->Recibir(*error);
}

// A parser context hands over itself as the user data; the collector rides
// in its private slot.
void DesdeContexto(void* contexto, ErrorRecibido error)
{
    if (contexto != nullptr)
        DesdeHilo(static_cast<xmlParserCtxt*>(contexto)->_private, error);
}

// libxml2 ends its messages with a newline and breaks some in two; an error
// box wants one line.
std::string UnaLinea(std::string texto)
{
    while (!texto.empty() && static_cast<unsigned char>(texto.back()) <= ' ')
        texto.pop_back();
    for (char& c : texto)
        if (c == '\n' || c == '\r')
            c = ' ';
    return texto;
}

}  // namespace

RecogidaErroresXml::RecogidaErroresXml()
    : manejador_previo_(xmlStructuredError),
      contexto_previo_(xmlStructuredErrorContext)
{
    xmlSetStructuredErrorFunc(this, DesdeHilo);
}

RecogidaErroresXml::~RecogidaErroresXml()
{
    xmlSetStructuredErrorFunc(contexto_previo_, manejador_previo_);
}

void RecogidaErroresXml::Vigilar(xmlParserCtxt* contexto)
{
    contexto->_private = this;
    contexto->sax->serror = DesdeContexto;
}

void RecogidaErroresXml::Recibir(const xmlError& recibido)
{
    // Fed in blocks, libxml2 reports an input that ends inside an element as
    // content after the end; the element left open is the true reason.
    xmlError error = recibido;
    const auto* contexto = static_cast<const xmlParserCtxt*>(recibido.ctxt);
    if (error.code == XML_ERR_DOCUMENT_END && contexto != nullptr && contexto->nameNr > 0
        && contexto->name != nullptr) {
        error.code = XML_ERR_TAG_NOT_FINISHED;
        error.str1 = const_cast<char*>(reinterpret_cast<const char*>(contexto->name));
    }
    if (error.level == XML_ERR_FATAL && !fatal_)
        fatal_ = Diagnostico{error.code, error.line, UnaLinea(MotivoXml(error))};
    else if (error.level == XML_ERR_ERROR && !error_)
        error_ = Diagnostico{error.code, error.line, UnaLinea(MotivoXml(error))};
}

std::string RecogidaErroresXml::Motivo() const
{
    const auto& d = fatal_ ? fatal_ : error_;
    if (!d)
        return "motivo desconocido";
    return "línea " + std::to_string(d->linea) + ": " + d->mensaje;
}

int RecogidaErroresXml::Codigo() const
{
    const auto& d = fatal_ ? fatal_ : error_;
    return d ? d->codigo : XML_ERR_OK;
}

std::string RecogidaErroresXml::Mensaje() const
{
    const auto& d = fatal_ ? fatal_ : error_;
    return d ? d->mensaje : "motivo desconocido";
}

}  // namespace thn::documento
