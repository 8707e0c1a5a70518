// SPDX-License-Identifier: EUPL-1.2
// A stand-in for the host's window in tests on a real X server: shows a
// window and prints its id in hexadecimal digits without prefix, the form the
// host passes on the command line. Runs until closed or terminated.

#include <QApplication>
#include <QLabel>
#include <QPalette>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication aplicacion(argc, argv);
    QLabel ventana(QStringLiteral("Ventana de Horalia (prueba)"));
    ventana.setWindowTitle(QStringLiteral("Horalia (prueba)"));
    ventana.setAlignment(Qt::AlignRight | Qt::AlignBottom);
    ventana.setMargin(8);
    QPalette gris = ventana.palette();
    gris.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    ventana.setPalette(gris);
    ventana.setAutoFillBackground(true);
    ventana.resize(720, 320);
    ventana.show();
    std::printf("%llX\n", static_cast<unsigned long long>(ventana.winId()));
    std::fflush(stdout);
    return QApplication::exec();
}
