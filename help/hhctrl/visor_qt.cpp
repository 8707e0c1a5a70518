// SPDX-License-Identifier: EUPL-1.2
#include "help/hhctrl/visor_qt.h"

#include "help/hhctrl/archivo_chm.h"
#include "help/hhctrl/ventana_ayuda.h"

#include <QApplication>
#include <QThread>
#include <QWindow>
#include <filesystem>

namespace thn::chm {
namespace {

bool HayInterfaz()
{
    const auto* aplicacion = qobject_cast<QApplication*>(QCoreApplication::instance());
    return aplicacion && QThread::currentThread() == aplicacion->thread();
}

}  // namespace

VisorQt::~VisorQt()
{
    // Widgets cannot be destroyed once the application is gone; by then the
    // window went with aboutToQuit, or the process is ending.
    if (ventana_ && QCoreApplication::instance())
        delete ventana_.data();
}

VentanaAyuda* VisorQt::Preparar(const std::string& fichero)
{
    if (!HayInterfaz())
        return nullptr;
    std::error_code error;
    const std::filesystem::path ruta = std::filesystem::canonical(fichero, error);
    if (error)
        return nullptr;
    if (ventana_ && ventana_->Fichero() == ruta)
        return ventana_;
    std::shared_ptr<const ArchivoChm> archivo = ArchivoChm::Abrir(ruta);
    if (!archivo)
        return nullptr;
    if (!ventana_) {
        ventana_ = new VentanaAyuda;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, ventana_, &QObject::deleteLater);
    }
    ventana_->Cargar(std::move(archivo));
    return ventana_;
}

std::intptr_t VisorQt::Mostrar(VentanaAyuda& ventana, std::intptr_t llamador)
{
    // Like HTML Help's owner window: the help stays above the caller.
    if (QWidget* propietario = llamador ? QWidget::find(static_cast<WId>(llamador)) : nullptr) {
        ventana.winId();
        if (QWindow* w = ventana.windowHandle())
            w->setTransientParent(propietario->window()->windowHandle());
    }
    ventana.show();
    ventana.raise();
    ventana.activateWindow();
    return static_cast<std::intptr_t>(ventana.winId());
}

std::intptr_t VisorQt::MostrarTema(std::intptr_t llamador, const std::string& fichero, const std::string& tema)
{
    VentanaAyuda* ventana = Preparar(fichero);
    if (!ventana)
        return 0;
    ventana->MostrarTema(tema);
    return Mostrar(*ventana, llamador);
}

std::intptr_t VisorQt::MostrarContenido(std::intptr_t llamador, const std::string& fichero)
{
    VentanaAyuda* ventana = Preparar(fichero);
    if (!ventana)
        return 0;
    ventana->MostrarContenido();
    return Mostrar(*ventana, llamador);
}

std::intptr_t VisorQt::MostrarIndice(std::intptr_t llamador, const std::string& fichero, const std::string& palabra)
{
    VentanaAyuda* ventana = Preparar(fichero);
    if (!ventana)
        return 0;
    ventana->MostrarIndice(QString::fromStdString(palabra));
    return Mostrar(*ventana, llamador);
}

std::intptr_t VisorQt::MostrarContexto(std::intptr_t llamador, const std::string& fichero, std::uint32_t contexto)
{
    VentanaAyuda* ventana = Preparar(fichero);
    if (!ventana)
        return 0;
    ventana->MostrarContexto(contexto);
    return Mostrar(*ventana, llamador);
}

std::intptr_t VisorQt::CerrarTodo()
{
    if (ventana_ && HayInterfaz())
        ventana_->close();
    return 0;
}

}  // namespace thn::chm
