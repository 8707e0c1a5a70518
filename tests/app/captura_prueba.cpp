// SPDX-License-Identifier: EUPL-1.2
// Screenshots and pixel probes on a real X server, for tests and the
// screenshot script:
//   thn-captura-prueba VENTANA_HEX salida.png   a window, its children included
//   thn-captura-prueba VENTANA_HEX X Y          prints the pixel's colour #rrggbb

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication aplicacion(argc, argv);
    const QStringList a = QGuiApplication::arguments();
    bool ok = false;
    const WId ventana = a.size() >= 3 ? a[1].toULongLong(&ok, 16) : 0;
    if (!ok || (a.size() != 3 && a.size() != 4)) {
        std::fprintf(stderr, "uso: thn-captura-prueba VENTANA_HEX (salida.png | X Y)\n");
        return 2;
    }
    const QPixmap imagen = QGuiApplication::primaryScreen()->grabWindow(ventana);
    if (imagen.isNull()) {
        std::fprintf(stderr, "no se pudo capturar la ventana %s\n", qPrintable(a[1]));
        return 1;
    }
    if (a.size() == 3)
        return imagen.save(a[2], "PNG") ? 0 : 1;
    const QColor c = imagen.toImage().pixelColor(a[2].toInt(), a[3].toInt());
    std::printf("%s\n", qPrintable(c.name()));
    return 0;
}
