// SPDX-License-Identifier: EUPL-1.2
#include "help/sistema_ayuda_gestor.h"

#include "help/visor_html_help.h"

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

template <typename Peticion>
bool SistemaAyudaGestor::Mostrar(Peticion peticion)
{
    const auto antes = HelpViewerInstance ? HelpViewerInstance->VentanasMostradas() : 0;
    peticion();
    return HelpViewerInstance && HelpViewerInstance->VentanasMostradas() != antes;
}

bool SistemaAyudaGestor::AyudaContexto(std::int32_t contexto)
{
    return Mostrar([&] { gestor_->ShowContextHelp(contexto, aplicacion_->FicheroAyudaActual()); });
}

bool SistemaAyudaGestor::ComandoAyuda(int comando, std::intptr_t datos)
{
    switch (comando) {
    case kHelpContext:
        return AyudaContexto(static_cast<std::int32_t>(datos));
    case kHelpQuit:
        gestor_->SoftShutDown();
        return true;
    case kHelpContents:
    case kHelpFinder:
        return Mostrar([&] { gestor_->ShowTableOfContents(aplicacion_->FicheroAyudaActual()); });
    case kHelpKey:
    case kHelpPartialKey:
        return datos != 0 && Mostrar([&] { AyudaPalabraClave(reinterpret_cast<const char*>(datos)); });
    default:
        return false;
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
