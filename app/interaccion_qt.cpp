// SPDX-License-Identifier: EUPL-1.2
#include "app/interaccion_qt.h"

#include "app/dialogo_informe.h"
#include "app/textos_qt.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace thn::app {
namespace {

constexpr const char* kTitulo = "TransHoraliaNorvica";

// A box with "Aceptar" as its default and escape button; `extra`, when
// given, is one more button whose click is told apart by clickedButton().
struct Caja {
    QMessageBox caja;
    QPushButton* aceptar;

    Caja(QWidget* ventana, QMessageBox::Icon icono, const std::string& texto, const std::string& informativo)
        : caja(icono, QString::fromUtf8(kTitulo), TextoPantalla(texto), QMessageBox::NoButton, ventana),
          aceptar(caja.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole))
    {
        caja.setTextFormat(Qt::PlainText);
        caja.setDefaultButton(aceptar);
        caja.setEscapeButton(aceptar);
        if (!informativo.empty())
            caja.setInformativeText(TextoPantalla(informativo));
    }
};

}  // namespace

std::optional<std::filesystem::path> InteraccionQt::AbrirArchivo(const ventana::DialogoArchivo& d)
{
    QFileDialog dialogo(ventana_, QString::fromStdString(d.titulo));
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name that does not exist is accepted: the action reports it.
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setNameFilter(QString::fromStdString(d.filtro));
    dialogo.setDefaultSuffix(QString::fromStdString(d.extension));
    if (!d.inicial.empty())
        dialogo.selectFile(RutaQt(d.inicial));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return std::nullopt;
    return RutaDesdeQt(dialogo.selectedFiles().constFirst());
}

void InteraccionQt::Mensaje(const std::string& texto, const std::string& informativo)
{
    Caja(ventana_, QMessageBox::NoIcon, texto, informativo).caja.exec();
}

void InteraccionQt::MensajeConInforme(const std::string& texto, const std::string& informativo,
                                      const std::string& informe, const std::filesystem::path& guardar_como)
{
    Caja c(ventana_, QMessageBox::Warning, texto, informativo);
    QPushButton* detalles = c.caja.addButton(QStringLiteral("Detalles..."), QMessageBox::ActionRole);
    detalles->setAccessibleDescription(QStringLiteral("Ver lo que se ha dejado fuera, para copiarlo o guardarlo"));
    // The box comes back after the report, until the user accepts it.
    for (;;) {
        c.caja.exec();
        if (c.caja.clickedButton() != detalles)
            return;
        DialogoInforme(TextoPantalla(informe), guardar_como, ventana_).exec();
    }
}

void InteraccionQt::CajaError(const std::string& texto, const std::string& informativo)
{
    Caja(ventana_, QMessageBox::Critical, texto, informativo).caja.exec();
}

}  // namespace thn::app
