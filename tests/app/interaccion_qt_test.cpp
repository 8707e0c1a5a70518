// SPDX-License-Identifier: EUPL-1.2
// The real boxes and dialog: title, the one "Aceptar" button, icon, details
// in Spanish, and the file dialog's settings. A zero-delay timer inspects each
// modal window from inside its own event loop and dismisses it.

#include "app/dialogo_informe.h"
#include "app/interaccion_qt.h"
#include "comun/comun.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace thn::prueba {
namespace {

// Runs `inspeccionar` on the next modal window of type Modal, once it is the
// active one; polled, because one modal may close before the next opens.
template <typename Modal>
void CuandoAparezca(std::function<void(Modal&)> inspeccionar)
{
    auto* sondeo = new QTimer;
    QObject::connect(sondeo, &QTimer::timeout, [sondeo, inspeccionar] {
        if (auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget())) {
            sondeo->stop();
            sondeo->deleteLater();
            inspeccionar(*modal);
        }
    });
    sondeo->start(5);
}

// Runs `mostrar`, and `inspeccionar` on the modal window it opens.
template <typename Modal>
void ConModal(const std::function<void()>& mostrar, const std::function<void(Modal&)>& inspeccionar)
{
    bool visto = false;
    CuandoAparezca<Modal>([&](Modal& m) {
        visto = true;
        inspeccionar(m);
    });
    mostrar();
    EXPECT_TRUE(visto);
}

QAbstractButton* Boton(QWidget& w, const QString& texto)
{
    for (auto* b : w.findChildren<QAbstractButton*>())
        if (b->text() == texto)
            return b;
    ADD_FAILURE() << "sin botón " << texto.toStdString();
    return nullptr;
}

struct CasoCaja {
    const char* nombre;
    std::function<void(ventana::Interaccion&)> mostrar;
    QString texto;
    QString informativo;
    QMessageBox::Icon icono;
    QStringList botones;
};

void PrintTo(const CasoCaja& c, std::ostream* os) { *os << c.nombre; }

class Cajas : public ::testing::TestWithParam<CasoCaja> {};

TEST_P(Cajas, TituloBotonIconoEInformativo)
{
    const CasoCaja& c = GetParam();
    app::InteraccionQt interaccion;
    ConModal<QMessageBox>([&] { c.mostrar(interaccion); }, [&](QMessageBox& caja) {
        EXPECT_EQ(caja.windowTitle(), "TransHoraliaNorvica");
        EXPECT_EQ(caja.text(), c.texto);
        EXPECT_EQ(caja.informativeText(), c.informativo);
        EXPECT_EQ(caja.icon(), c.icono);
        QStringList botones;
        for (auto* b : caja.buttons())
            botones << b->text();
        botones.sort();
        EXPECT_EQ(botones, c.botones);
        EXPECT_EQ(caja.defaultButton()->text(), "Aceptar");
        caja.defaultButton()->click();
    });
}

const CasoCaja kCajas[] = {
    {"mensaje_de_dos_lineas", [](ventana::Interaccion& i) { i.Mensaje("Primera,\r\nsegunda", ""); }, "Primera,\nsegunda",
     "", QMessageBox::NoIcon, {"Aceptar"}},
    {"mensaje_con_ruta", [](ventana::Interaccion& i) { i.Mensaje("No existe archivo", "No se encuentra '/x<y>.xml'."); },
     "No existe archivo", "No se encuentra '/x<y>.xml'.", QMessageBox::NoIcon, {"Aceptar"}},
    {"finalizado_con_omisiones",
     [](ventana::Interaccion& i) { i.MensajeConInforme("Proceso finalizado", "Se han dejado fuera 3 elementos", "x", {}); },
     "Proceso finalizado", "Se han dejado fuera 3 elementos", QMessageBox::Warning, {"Aceptar", "Detalles..."}},
    {"caja_de_error", [](ventana::Interaccion& i) { i.CajaError("No existe el directorio.", "/x/HTEMP"); },
     "No existe el directorio.", "/x/HTEMP", QMessageBox::Critical, {"Aceptar"}},
};

INSTANTIATE_TEST_SUITE_P(InteraccionQt, Cajas, ::testing::ValuesIn(kCajas),
                         [](const auto& info) { return std::string(info.param.nombre); });

// "Detalles..." opens the report in its own dialog, sized to its text, that
// copies it and saves it as UTF-8; the box comes back until "Aceptar".
TEST(DialogoInforme, CopiaGuardaYVuelveALaCaja)
{
    DirectorioTemporal dir;
    std::string informe = "Datos omitidos (40):\n";
    for (int i = 1; i <= 40; ++i)
        informe += "  dmateria número " + std::to_string(i) + ": el código corto 'MAT' ya está en uso\n";
    const auto guardar_como = dir / "centro-informe.txt";
    app::InteraccionQt interaccion;
    int cajas = 0;
    std::function<void(QMessageBox&)> caja = [&](QMessageBox& c) {
        if (++cajas == 2) {
            c.defaultButton()->click();
            return;
        }
        CuandoAparezca<app::DialogoInforme>([&](app::DialogoInforme& d) {
            EXPECT_EQ(d.windowTitle(), "TransHoraliaNorvica: informe");
            auto* texto = d.findChild<QPlainTextEdit*>();
            ASSERT_NE(texto, nullptr);
            EXPECT_EQ(texto->toPlainText().toStdString(), informe);
            EXPECT_GT(d.width(), QFontMetrics(texto->font()).horizontalAdvance(texto->toPlainText().split('\n')[1]));
            Boton(d, "Copiar")->click();
            EXPECT_EQ(QApplication::clipboard()->text(), texto->toPlainText());
            CuandoAparezca<QFileDialog>([&](QFileDialog& f) {
                EXPECT_EQ(f.selectedFiles(), QStringList{QString::fromStdString(guardar_como.string())});
                static_cast<QDialog&>(f).accept();
                CuandoAparezca<QMessageBox>(caja);  // the box again, after the report
                QTimer::singleShot(0, &d, &QDialog::reject);
            });
            Boton(d, "Guardar...")->click();
        });
        Boton(c, "Detalles...")->click();
    };
    ConModal<QMessageBox>([&] { interaccion.MensajeConInforme("Proceso finalizado", "x", informe, guardar_como); },
                          caja);
    EXPECT_EQ(cajas, 2);
    ASSERT_TRUE(std::filesystem::exists(guardar_como));
    EXPECT_EQ(LeerFichero(guardar_como), informe);
}

TEST(DialogoArchivo, EmpiezaEnElFicheroAnteriorYDevuelveElElegido)
{
    DirectorioTemporal dir;
    const auto anterior = dir / "centro.xml";
    EscribirFichero(anterior, "<centro/>");
    app::InteraccionQt interaccion;
    const ventana::DialogoArchivo d{"Archivo XML", "*.xml", "xml", anterior};

    std::optional<std::filesystem::path> elegido;
    ConModal<QFileDialog>([&] { elegido = interaccion.AbrirArchivo(d); }, [&](QFileDialog& dialogo) {
        EXPECT_EQ(dialogo.windowTitle(), "Archivo XML");
        EXPECT_EQ(dialogo.nameFilters(), QStringList{"*.xml"});
        EXPECT_EQ(dialogo.defaultSuffix(), "xml");
        EXPECT_EQ(dialogo.fileMode(), QFileDialog::AnyFile);
        EXPECT_EQ(dialogo.selectedFiles(), QStringList{QString::fromStdString(anterior.string())});
        static_cast<QDialog&>(dialogo).accept();  // QFileDialog hides it
    });
    EXPECT_EQ(elegido, anterior);

    ConModal<QFileDialog>([&] { elegido = interaccion.AbrirArchivo(d); }, [](QFileDialog& dialogo) {
        dialogo.reject();
    });
    EXPECT_EQ(elegido, std::nullopt);
}

}  // namespace
}  // namespace thn::prueba
