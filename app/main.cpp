// SPDX-License-Identifier: EUPL-1.2
// transhoralianorvica: the desktop program. Without parameters it shows both
// directions; Horalia starts it with a direction word and the handle of one of
// its windows to have it embedded there.

#include "app/incrustador.h"
#include "app/interaccion_qt.h"
#include "ventana/modo_ejecucion.h"
#include "app/plataforma.h"
#include "app/textos_qt.h"
#include "app/tmform.h"
#include "app/traduccion.h"
#include "trabajo/directorio.h"
#include "base/numeros.h"
#include "help/arranque_ayuda.h"
#include "ventana/sistema_ayuda.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdlib>

namespace {

std::string_view Variable(const char* nombre)
{
    const char* v = std::getenv(nombre);
    return v ? std::string_view(v) : std::string_view();
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace thn::app;
    // The run mode counts the parameters as the user gave them, before Qt
    // takes its own options out of argv.
    const std::vector<std::string> argumentos(argv, argv + argc);
    if (DebeForzarXcb(thn::ventana::NumeroParametros(argumentos) == 2,
                      {Variable("QT_QPA_PLATFORM"), Variable("WAYLAND_DISPLAY"), Variable("XDG_SESSION_TYPE")}))
        qputenv("QT_QPA_PLATFORM", "xcb");

    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TransHoraliaNorvica"));
    QApplication::setDesktopFileName(QStringLiteral("transhoralianorvica"));
    QIcon icono;  // the menu icon's renderings, compiled into the program
    for (const int lado : {16, 32, 48, 64, 128, 256})
        icono.addFile(QStringLiteral(":/iconos/%1.png").arg(lado), QSize(lado, lado));
    QApplication::setWindowIcon(icono);
    QTranslator traduccion;  // Qt's own dialogs and buttons in Spanish
    if (traduccion.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduccion);
    TraduccionPropia propia;  // installed last, looked up first
    QApplication::installTranslator(&propia);

    // The help viewers register before the window exists; the plugin beside
    // the program is unloaded, with its window, before the application goes.
    thn::ayuda::ArranqueAyuda arranque_ayuda;
    QPointer<QWidget> propietario_ayuda;  // the window that owns the help windows
    const auto ayuda = thn::ayuda::CrearSistemaAyuda([&propietario_ayuda] {
        return propietario_ayuda ? static_cast<std::intptr_t>(propietario_ayuda->winId()) : std::intptr_t{0};
    });
    ayuda->PonerFicheroAyuda("NORVICA.chm");

    InteraccionQt interaccion;

    // Declared before the window: the host's QWindow is the embedded window's parent.
    IncrustadorQt incrustador;
    TMForm ventana(thn::ventana::Entorno{interaccion, *ayuda, argumentos,
                                         RutaDesdeQt(QApplication::applicationDirPath()), thn::DirectorioTrabajo(),
                                         thn::SeparadorDecimalDelUsuario(), thn::RelojDelSistema(),
                                         thn::ventana::AnfitrionWineDesde(
                                             Variable(thn::lanzador::kVariableDesplazamiento),
                                             Variable(thn::lanzador::kVariableDirectorioIni))},
                   incrustador);
    interaccion.PonerVentana(&ventana);
    propietario_ayuda = &ventana;
    QObject::connect(&ventana, &TMForm::Cerrada, &aplicacion, &QCoreApplication::quit, Qt::QueuedConnection);
    ventana.show();
    return QApplication::exec();
}
