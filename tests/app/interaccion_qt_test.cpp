// SPDX-License-Identifier: EUPL-1.2
// The real boxes and dialog: title, the one "Aceptar" button, icon, details
// in Spanish, and the file dialog's settings. A zero-delay timer inspects each
// modal window from inside its own event loop and dismisses it.

#include "app/interaccion_qt.h"
#include "app/traduccion.h"
#include "comun/comun.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace thn::prueba {
namespace {

// Runs `mostrar`, and `inspeccionar` on the modal window it opens.
template <typename Modal>
void ConModal(const std::function<void()>& mostrar, const std::function<void(Modal&)>& inspeccionar)
{
    bool visto = false;
    QTimer::singleShot(0, [&] {
        auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget());
        ASSERT_NE(modal, nullptr);
        visto = true;
        inspeccionar(*modal);
    });
    mostrar();
    EXPECT_TRUE(visto);
}

struct CasoCaja {
    const char* nombre;
    std::function<void(app::Interaccion&)> mostrar;
    QString texto;
    QMessageBox::Icon icono;
    QStringList botones;
    QString detalles;
};

void PrintTo(const CasoCaja& c, std::ostream* os) { *os << c.nombre; }

class Cajas : public ::testing::TestWithParam<CasoCaja> {};

TEST_P(Cajas, TituloBotonIconoYDetalles)
{
    const CasoCaja& c = GetParam();
    app::TraduccionPropia traduccion;
    QApplication::installTranslator(&traduccion);
    app::InteraccionQt interaccion;
    ConModal<QMessageBox>([&] { c.mostrar(interaccion); }, [&](QMessageBox& caja) {
        EXPECT_EQ(caja.windowTitle(), "TransHoraliaNorvica");
        EXPECT_EQ(caja.text(), c.texto);
        EXPECT_EQ(caja.icon(), c.icono);
        EXPECT_EQ(caja.detailedText(), c.detalles);
        QStringList botones;
        for (auto* b : caja.buttons())
            botones << b->text();
        botones.sort();
        EXPECT_EQ(botones, c.botones);
        caja.defaultButton()->click();
    });
    QApplication::removeTranslator(&traduccion);
}

const CasoCaja kCajas[] = {
    {"mensaje_de_dos_lineas", [](app::Interaccion& i) { i.Mensaje("Primera,\r\nsegunda"); }, "Primera,\nsegunda",
     QMessageBox::NoIcon, {"Aceptar"}, ""},
    {"con_detalles", [](app::Interaccion& i) { i.MensajeConDetalles("Proceso finalizado", "SOLUC registro 2: x"); },
     "Proceso finalizado", QMessageBox::NoIcon, {"Aceptar", "Mostrar detalles..."}, "SOLUC registro 2: x"},
    {"caja_de_error", [](app::Interaccion& i) { i.CajaError("No existe el directorio."); },
     "No existe el directorio.", QMessageBox::Critical, {"Aceptar"}, ""},
};

INSTANTIATE_TEST_SUITE_P(InteraccionQt, Cajas, ::testing::ValuesIn(kCajas),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(DialogoArchivo, EmpiezaEnElFicheroAnteriorYDevuelveElElegido)
{
    DirectorioTemporal dir;
    const auto anterior = dir / "centro.xml";
    EscribirFichero(anterior, "<centro/>");
    app::InteraccionQt interaccion;
    const app::DialogoArchivo d{"Archivo XML", "*.xml", "xml", anterior};

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
