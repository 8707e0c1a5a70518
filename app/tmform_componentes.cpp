// SPDX-License-Identifier: EUPL-1.2
// The window's components, placed as the host's users know them.

#include "app/boton_con_foco.h"
#include "app/fuentes.h"
#include "app/tdraw3d.h"
#include "app/tmform.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace thn::app {
namespace {

template <typename W>
W* Componente(W* w, const char* nombre, int izquierda, int arriba, int ancho, int alto)
{
    w->setObjectName(QString::fromLatin1(nombre));
    w->setGeometry(izquierda, arriba, ancho, alto);
    return w;
}

QLabel* Rotulo(QWidget* padre, const QString& texto, const QFont& fuente)
{
    auto* l = new QLabel(texto, padre);
    l->setFont(fuente);
    // A label paints no background of its own: the panel's gradient shows through.
    return l;
}

QPushButton* Boton(QWidget* padre, const QString& texto, QStyle::StandardPixmap glifo, const QString& nombre,
                   const QString& descripcion)
{
    auto* b = new BotonConFoco(texto, padre);
    // The captions are short ("Aceptar" twice): a screen reader says what each does.
    b->setAccessibleName(nombre);
    b->setAccessibleDescription(descripcion);
    if (glifo != QStyle::SP_CustomBase)
        b->setIcon(b->style()->standardIcon(glifo));
    return b;
}

}  // namespace

void TMForm::CrearComponentes()
{
    setWindowTitle(QStringLiteral("Exportar e importar datos entre Horalia y NORVICA"));
    setFont(FuenteSinSerifa(QStringLiteral("MS Sans Serif"), 11));
    setAutoFillBackground(true);
    QPalette fondo = palette();
    fondo.setColor(QPalette::Window, fondo.color(QPalette::Button));
    setPalette(fondo);

    // Created bottom panel first: a later sibling lies above an earlier one.
    Draw3D1 = Componente(new TDraw3D(this, QColor(0xC2CDFE), QColor(0xCFF2FE), QColor(0xCCD8E6)), "Draw3D1",
                         0, 168, 633, 97);
    Label1 = Componente(Rotulo(Draw3D1, QStringLiteral("TransHoraliaNorvica para QV27 V-1.0"),
                               FuenteSinSerifa(QStringLiteral("MS Sans Serif"), 11, true)),
                        "Label1", 8, 72, 233, 13);
    QPalette rojo = Label1->palette();
    rojo.setColor(QPalette::WindowText, Qt::red);
    Label1->setPalette(rojo);
    BClose = Componente(Boton(Draw3D1, QStringLiteral("&Salir"), QStyle::SP_DialogCloseButton, QStringLiteral("Salir"),
                              QStringLiteral("Cerrar el programa")), "BClose",
                        256, 32, 89, 25);
    Button1 = Componente(Boton(Draw3D1, QStringLiteral("F1 Ayuda"), QStyle::SP_CustomBase, QStringLiteral("Ayuda"),
                               QStringLiteral("Abrir el contenido de la ayuda (tecla F1: la ayuda de esta ventana)")), "Button1",
                         48, 40, 75, 25);

    const QFont titular = FuenteSinSerifa(QStringLiteral("Arial"), 16, true);
    Draw3D2 = Componente(new TDraw3D(this, QColor(0xF9D37D), Qt::white, QColor(0xFFEEDD)), "Draw3D2",
                         0, 0, 315, 169);
    Label3 = Componente(Rotulo(Draw3D2, QStringLiteral("Transformar datos desde NORVICA hacia Horalia "), titular),
                        "Label3", 24, 24, 265, 57);
    BExportar = Componente(Boton(Draw3D2, QStringLiteral("Aceptar"), QStyle::SP_DialogOkButton,
                                 QStringLiteral("Exportar: transformar datos desde NORVICA hacia Horalia"),
                                 QStringLiteral("Elegir el documento XML del centro y rehacer con él las tablas de Horalia")), "BExportar",
                           96, 120, 89, 25);

    Draw3D3 = Componente(new TDraw3D(this, QColor(0xF9D37D), Qt::white, QColor(0xFFEEDD)), "Draw3D3",
                         316, 0, 317, 169);
    Label4 = Componente(Rotulo(Draw3D3, QStringLiteral("Transformar datos desde Horalia hacia NORVICA"), titular),
                        "Label4", 8, 24, 305, 57);
    BImportar = Componente(Boton(Draw3D3, QStringLiteral("Aceptar"), QStyle::SP_DialogOkButton,
                                 QStringLiteral("Importar: transformar datos desde Horalia hacia NORVICA"),
                                 QStringLiteral("Elegir el documento XML del centro y guardar junto a él el horario de Horalia")), "BImportar",
                           96, 120, 89, 25);

    for (QLabel* l : {Label3, Label4}) {
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QPushButton* b : {BExportar, BImportar})
        b->setDefault(true);
    // Left panel, right panel, then help and exit, as the eye reads them.
    setTabOrder(BExportar, BImportar);
    setTabOrder(BImportar, Button1);
    setTabOrder(Button1, BClose);

    connect(BClose, &QPushButton::clicked, this, &QWidget::close);
    connect(Button1, &QPushButton::clicked, this, [this] { flujo_.Button1Click(); });
    connect(BExportar, &QPushButton::clicked, this, [this] { flujo_.BExportarClick(); });
    connect(BImportar, &QPushButton::clicked, this, [this] { flujo_.BImportarClick(); });
}

}  // namespace thn::app
