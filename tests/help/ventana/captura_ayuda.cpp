// SPDX-License-Identifier: EUPL-1.2
// Draws the help window as F1 Ayuda opens it, with its contents unfolded,
// into a PNG file:  thn-captura-ayuda salida.png

#include "help/arranque_ayuda.h"

#include <QApplication>
#include <QTreeWidget>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "uso: thn-captura-ayuda salida.png\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    thn::ayuda::ArranqueAyuda arranque(THN_DIR_PROGRAMAS "/transhoralianorvica");
    auto ayuda = thn::ayuda::CrearSistemaAyuda();
    ayuda->PonerFicheroAyuda("NORVICA.chm");
    ayuda->ComandoAyuda(thn::ayuda::kHelpContents, 0);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "VentanaAyuda") {
            if (auto* contenido = w->findChild<QTreeWidget*>("contenido"))
                contenido->expandAll();
            QApplication::processEvents();
            if (w->grab().save(argv[1]))
                return 0;
            std::cerr << "no se pudo guardar " << argv[1] << "\n";
            return 1;
        }
    std::cerr << "la ayuda no se abrió\n";
    return 1;
}
