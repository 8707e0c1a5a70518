// SPDX-License-Identifier: EUPL-1.2
#include "app/dialogo_informe.h"

#include "app/textos_qt.h"
#include "base/error.h"
#include "ventana/guardar_informe.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace thn::app {
namespace {

// Wide and tall enough for the text, within most of the screen; scroll bars
// take over beyond that.
QSize TamanoParaTexto(const QPlainTextEdit& texto, const QWidget& ventana)
{
    const QFontMetrics fm(texto.font());
    int ancho = 0;
    const QStringList lineas = texto.toPlainText().split(QLatin1Char('\n'));
    for (const QString& l : lineas)
        ancho = std::max(ancho, fm.horizontalAdvance(l));
    QSize deseado(ancho + 60, static_cast<int>(lineas.size()) * fm.lineSpacing() + 100);
    const QScreen* pantalla = ventana.screen() != nullptr ? ventana.screen() : QGuiApplication::primaryScreen();
    const QSize maximo = pantalla != nullptr ? pantalla->availableSize() * 9 / 10 : QSize(1024, 768);
    return deseado.expandedTo(QSize(420, 240)).boundedTo(maximo);
}

}  // namespace

DialogoInforme::DialogoInforme(const QString& informe, std::filesystem::path guardar_como, QWidget* padre)
    : QDialog(padre), guardar_como_(std::move(guardar_como))
{
    setWindowTitle(QStringLiteral("TransHoraliaNorvica: informe"));
    setSizeGripEnabled(true);
    texto_ = new QPlainTextEdit(informe, this);
    texto_->setObjectName(QStringLiteral("informe"));
    texto_->setReadOnly(true);
    texto_->setLineWrapMode(QPlainTextEdit::NoWrap);
    texto_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    texto_->setAccessibleName(QStringLiteral("Informe de la transformación"));

    auto* botones = new QDialogButtonBox(this);
    QPushButton* copiar = botones->addButton(QStringLiteral("Copiar"), QDialogButtonBox::ActionRole);
    QPushButton* guardar = botones->addButton(QStringLiteral("Guardar..."), QDialogButtonBox::ActionRole);
    QPushButton* cerrar = botones->addButton(QStringLiteral("Cerrar"), QDialogButtonBox::RejectRole);
    copiar->setAccessibleDescription(QStringLiteral("Copiar el informe al portapapeles"));
    guardar->setAccessibleDescription(QStringLiteral("Guardar el informe como texto"));
    cerrar->setDefault(true);
    connect(copiar, &QPushButton::clicked, this, &DialogoInforme::Copiar);
    connect(guardar, &QPushButton::clicked, this, &DialogoInforme::Guardar);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* capas = new QVBoxLayout(this);
    capas->addWidget(texto_);
    capas->addWidget(botones);
    resize(TamanoParaTexto(*texto_, *this));
}

void DialogoInforme::Copiar()
{
    QApplication::clipboard()->setText(texto_->toPlainText());
}

void DialogoInforme::Guardar()
{
    QFileDialog dialogo(this, QStringLiteral("Guardar el informe"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setNameFilter(QStringLiteral("Texto (*.txt)"));
    dialogo.setDefaultSuffix(QStringLiteral("txt"));
    dialogo.selectFile(RutaQt(guardar_como_));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return;
    const QString ruta = dialogo.selectedFiles().constFirst();
    const QByteArray texto = texto_->toPlainText().toUtf8();
    try {
        ventana::GuardarInforme(RutaDesdeQt(ruta), {texto.constData(), static_cast<std::size_t>(texto.size())});
        guardar_como_ = RutaDesdeQt(ruta);
    } catch (const Error& ex) {
        QMessageBox caja(QMessageBox::Critical, QStringLiteral("TransHoraliaNorvica"), QString::fromUtf8(ex.what()),
                         QMessageBox::NoButton, this);
        caja.setInformativeText(QString::fromUtf8(ex.Detalle()));
        caja.setDefaultButton(caja.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole));
        caja.exec();
    }
}

}  // namespace thn::app
