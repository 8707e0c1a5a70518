// SPDX-License-Identifier: EUPL-1.2
#include "app/interaccion_qt.h"

#include "app/textos_qt.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace thn::app {
namespace {

constexpr const char* kTitulo = "TransHoraliaNorvica";

void Caja(QWidget* ventana, QMessageBox::Icon icono, const std::string& texto, const std::string& detalles)
{
    QMessageBox caja(icono, QString::fromUtf8(kTitulo), TextoPantalla(texto), QMessageBox::NoButton, ventana);
    QPushButton* aceptar = caja.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    caja.setDefaultButton(aceptar);
    caja.setEscapeButton(aceptar);
    if (!detalles.empty())
        caja.setDetailedText(TextoPantalla(detalles));
    caja.exec();
}

}  // namespace

std::optional<std::filesystem::path> InteraccionQt::AbrirArchivo(const DialogoArchivo& d)
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

void InteraccionQt::Mensaje(const std::string& texto) { Caja(ventana_, QMessageBox::NoIcon, texto, {}); }

void InteraccionQt::MensajeConDetalles(const std::string& texto, const std::string& detalles)
{
    Caja(ventana_, QMessageBox::NoIcon, texto, detalles);
}

void InteraccionQt::CajaError(const std::string& texto) { Caja(ventana_, QMessageBox::Critical, texto, {}); }

}  // namespace thn::app
