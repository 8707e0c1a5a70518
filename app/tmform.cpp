// SPDX-License-Identifier: EUPL-1.2
#include "app/tmform.h"

#include "app/tdraw3d.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

namespace thn::app {

TMForm::TMForm(ventana::Entorno entorno, Incrustador& incrustador)
    : incrustador_(incrustador), flujo_(std::move(entorno), *this)
{
    CrearComponentes();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(632, 266);
    move(194, 167);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, [this] { flujo_.AyudaF1(); });

    flujo_.FormCreate();
}

TMForm::~TMForm() = default;

void TMForm::Incrustar(std::int32_t anfitrion, lanzador::Desplazamiento origen)
{
    const Qt::WindowFlags propias = windowFlags();
    // Flags first: changing them later would re-create the native window
    // outside the host.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    try {
        incrustador_.Incrustar(*this, anfitrion);
    } catch (...) {
        setWindowFlags(propias);
        throw;
    }
    move(origen.x, origen.y);
}

void TMForm::MostrarSoloPanel(ventana::Panel panel)
{
    TDraw3D* visible = panel == ventana::Panel::Importar ? Draw3D3 : Draw3D2;
    (visible == Draw3D3 ? Draw3D2 : Draw3D3)->hide();
    visible->setGeometry(rect());
    visible->raise();
}

void TMForm::Ocupado(bool ocupado)
{
    if (ocupado)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QApplication::restoreOverrideCursor();
}

void TMForm::closeEvent(QCloseEvent* evento)
{
    if (!flujo_.FormClose()) {
        evento->ignore();
        return;
    }
    evento->accept();
    emit Cerrada();
}

void TMForm::keyPressEvent(QKeyEvent* evento)
{
    // Enter outside a button runs the visible direction, the left one first.
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        for (QPushButton* b : {BExportar, BImportar}) {
            if (b->isVisibleTo(this)) {
                b->click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(evento);
}

}  // namespace thn::app
