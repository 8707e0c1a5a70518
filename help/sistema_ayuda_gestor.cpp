#include "help/sistema_ayuda_gestor.h"

#include <utility>

namespace thn::ayuda {

SistemaAyudaGestor::SistemaAyudaGestor(std::shared_ptr<AplicacionAyuda> aplicacion,
                                       std::shared_ptr<GestorAyuda> gestor, std::function<std::intptr_t()> ventana)
    : aplicacion_(std::move(aplicacion)), gestor_(std::move(gestor)), pone_ventana_(static_cast<bool>(ventana))
{
    if (pone_ventana_)
        aplicacion_->ventana = std::move(ventana);
}

// The window the function captured may be gone once its help system is.
SistemaAyudaGestor::~SistemaAyudaGestor()
{
    if (pone_ventana_)
        aplicacion_->ventana = nullptr;
}

void SistemaAyudaGestor::PonerFicheroAyuda(const std::string& fichero) { aplicacion_->fichero_ayuda = fichero; }

std::string SistemaAyudaGestor::FicheroAyuda() const { return aplicacion_->fichero_ayuda; }

void SistemaAyudaGestor::AyudaContexto(std::int32_t contexto)
{
    gestor_->ShowContextHelp(contexto, aplicacion_->FicheroAyudaActual());
}

void SistemaAyudaGestor::ComandoAyuda(int comando, std::intptr_t datos)
{
    switch (comando) {
    case kHelpContext:
        AyudaContexto(static_cast<std::int32_t>(datos));
        break;
    case kHelpQuit:
        gestor_->SoftShutDown();
        break;
    case kHelpContents:
    case kHelpFinder:
        gestor_->ShowTableOfContents(aplicacion_->FicheroAyudaActual());
        break;
    case kHelpKey:
    case kHelpPartialKey:
        if (datos != 0)
            AyudaPalabraClave(reinterpret_cast<const char*>(datos));
        break;
    default:
        break;
    }
}

void SistemaAyudaGestor::AyudaTema(const std::string& tema)
{
    gestor_->ShowTopicHelp(tema, aplicacion_->FicheroAyudaActual());
}

void SistemaAyudaGestor::AyudaPalabraClave(const std::string& palabra)
{
    gestor_->ShowHelp(palabra, aplicacion_->FicheroAyudaActual());
}

}  // namespace thn::ayuda
