// SPDX-License-Identifier: EUPL-1.2
// Screenshots and pixel probes on a real X server, for tests and the
// screenshot script:
//   thn-captura-prueba VENTANA_HEX salida.png   a window, its children included
//   thn-captura-prueba VENTANA_HEX X Y          prints the pixel's colour #rrggbb
//   thn-captura-prueba VENTANA_HEX X Y W H RRGGBB
//                                  prints how many pixels of that rectangle are
//                                  near the colour (each channel within 64)

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QGuiApplication aplicacion(argc, argv);
    const QStringList a = QGuiApplication::arguments();
    bool ok = false;
    const WId ventana = a.size() >= 3 ? a[1].toULongLong(&ok, 16) : 0;
    if (!ok || (a.size() != 3 && a.size() != 4 && a.size() != 7)) {
        std::fprintf(stderr, "uso: thn-captura-prueba VENTANA_HEX (salida.png | X Y | X Y W H RRGGBB)\n");
        return 2;
    }
    const QPixmap imagen = QGuiApplication::primaryScreen()->grabWindow(ventana);
    if (imagen.isNull()) {
        std::fprintf(stderr, "no se pudo capturar la ventana %s\n", qPrintable(a[1]));
        return 1;
    }
    if (a.size() == 3)
        return imagen.save(a[2], "PNG") ? 0 : 1;
    const QImage pixeles = imagen.toImage();
    if (a.size() == 7) {
        const QColor buscado(QStringLiteral("#") + a[6]);
        int cerca = 0;
        for (int y = a[3].toInt(); y < a[3].toInt() + a[5].toInt(); ++y)
            for (int x = a[2].toInt(); x < a[2].toInt() + a[4].toInt(); ++x) {
                const QColor c = pixeles.pixelColor(x, y);
                cerca += std::abs(c.red() - buscado.red()) <= 64 && std::abs(c.green() - buscado.green()) <= 64
                         && std::abs(c.blue() - buscado.blue()) <= 64;
            }
        std::printf("%d\n", cerca);
        return 0;
    }
    const QColor c = pixeles.pixelColor(a[2].toInt(), a[3].toInt());
    std::printf("%s\n", qPrintable(c.name()));
    return 0;
}
