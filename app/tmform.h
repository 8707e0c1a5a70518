// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The main window as Qt draws it: the export on the left, the import on the
// right, the version, "Salir" and help at the bottom. What it does lives in
// ventana::Controlador; the window draws, forwards its events and does what
// the flow asks of it.

#include "app/incrustador.h"
#include "ventana/controlador.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace thn::app {

class TDraw3D;

class TMForm : public QWidget, private ventana::Vista {
    Q_OBJECT

public:
    TMForm(ventana::Entorno entorno, Incrustador& incrustador);
    ~TMForm() override;

    ventana::Controlador& Flujo() { return flujo_; }

signals:
    // The window has closed for good; the program ends.
    void Cerrada();

protected:
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void CrearComponentes();

    void Incrustar(std::int32_t anfitrion, lanzador::Desplazamiento origen) override;
    void MostrarSoloPanel(ventana::Panel panel) override;
    void Cerrar() override { close(); }
    void Ocupado(bool ocupado) override;

    Incrustador& incrustador_;
    ventana::Controlador flujo_;

    TDraw3D* Draw3D1 = nullptr;
    TDraw3D* Draw3D2 = nullptr;
    TDraw3D* Draw3D3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* BClose = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* BExportar = nullptr;
    QPushButton* BImportar = nullptr;
};

}  // namespace thn::app
