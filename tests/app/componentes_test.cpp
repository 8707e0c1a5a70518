// SPDX-License-Identifier: EUPL-1.2
// The window as its users know it: components, places, texts, fonts, colours,
// and the help keys.

#include "app/tdraw3d.h"
#include "ventana_prueba.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace thn::prueba {
namespace {

struct CasoComponente {
    const char* nombre;
    const char* clase;   // "TDraw3D", "QLabel", "QPushButton"
    const char* padre;   // "" for the window
    QRect lugar;
    const char* texto;
};

const CasoComponente kComponentes[] = {
    {"Draw3D1", "TDraw3D", "", {0, 168, 633, 97}, ""},
    {"Label1", "QLabel", "Draw3D1", {8, 72, 233, 13}, "TransHoraliaNorvica para QV27 V-1.0"},
    {"BClose", "QPushButton", "Draw3D1", {256, 32, 89, 25}, "&Salir"},
    {"Button1", "QPushButton", "Draw3D1", {48, 40, 75, 25}, "F1 Ayuda"},
    {"Draw3D2", "TDraw3D", "", {0, 0, 315, 169}, ""},
    {"Label3", "QLabel", "Draw3D2", {24, 24, 265, 57}, "Transformar datos desde NORVICA hacia Horalia "},
    {"BExportar", "QPushButton", "Draw3D2", {96, 120, 89, 25}, "Aceptar"},
    {"Draw3D3", "TDraw3D", "", {316, 0, 317, 169}, ""},
    {"Label4", "QLabel", "Draw3D3", {8, 24, 305, 57}, "Transformar datos desde Horalia hacia NORVICA"},
    {"BImportar", "QPushButton", "Draw3D3", {96, 120, 89, 25}, "Aceptar"},
};

std::string Clase(QWidget* w)
{
    if (dynamic_cast<app::TDraw3D*>(w))
        return "TDraw3D";
    if (dynamic_cast<QLabel*>(w))
        return "QLabel";
    if (dynamic_cast<QPushButton*>(w))
        return "QPushButton";
    return w->metaObject()->className();
}

std::string Texto(QWidget* w)
{
    if (auto* l = dynamic_cast<QLabel*>(w))
        return l->text().toStdString();
    if (auto* b = dynamic_cast<QPushButton*>(w))
        return b->text().toStdString();
    return "";
}

TEST_F(PruebaVentana, ComponentesEnSuSitioConSusTextos)
{
    Abrir({});
    for (const auto& c : kComponentes) {
        SCOPED_TRACE(c.nombre);
        QWidget* w = Hijo(c.nombre);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(Clase(w), c.clase);
        EXPECT_EQ(w->parentWidget()->objectName().toStdString(), c.padre);
        EXPECT_EQ(w->geometry(), c.lugar);
        EXPECT_EQ(Texto(w), c.texto);
        EXPECT_TRUE(w->isVisible());
    }
    // Stacking: bottom panel, then left, then right, the later above.
    const auto hijos = ventana->findChildren<app::TDraw3D*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(hijos.size(), 3);
    EXPECT_EQ(hijos[0]->objectName(), "Draw3D1");
    EXPECT_EQ(hijos[1]->objectName(), "Draw3D2");
    EXPECT_EQ(hijos[2]->objectName(), "Draw3D3");
}

TEST_F(PruebaVentana, VentanaDeTamanoFijoSinMinimizarNiMaximizar)
{
    auto& v = Abrir({});
    EXPECT_EQ(v.windowTitle(), "Exportar e importar datos entre Horalia y NORVICA");
    EXPECT_EQ(v.minimumSize(), QSize(632, 266));
    EXPECT_EQ(v.maximumSize(), QSize(632, 266));
    EXPECT_FALSE(v.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(v.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(v.palette().color(QPalette::Window), v.palette().color(QPalette::Button));
    EXPECT_TRUE(Hijo<QPushButton>("BExportar")->isDefault());
    EXPECT_TRUE(Hijo<QPushButton>("BImportar")->isDefault());
    EXPECT_FALSE(Hijo<QPushButton>("BExportar")->icon().isNull());
    EXPECT_FALSE(Hijo<QPushButton>("BClose")->icon().isNull());
}

TEST_F(PruebaVentana, FuentesDeLosRotulos)
{
    Abrir({});
    struct Caso {
        const char* nombre;
        int pixeles;
        bool negrita;
        bool ajuste;
    };
    for (const Caso& c : {Caso{"Label1", 11, true, false}, Caso{"Label3", 16, true, true},
                          Caso{"Label4", 16, true, true}}) {
        SCOPED_TRACE(c.nombre);
        auto* l = Hijo<QLabel>(c.nombre);
        EXPECT_EQ(l->font().pixelSize(), c.pixeles);
        EXPECT_EQ(l->font().bold(), c.negrita);
        EXPECT_EQ(l->wordWrap(), c.ajuste);
    }
    EXPECT_EQ(Hijo<QLabel>("Label1")->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(ventana->font().pixelSize(), 11);
}

// Within a step of the colour: the gradient is interpolated.
::testing::AssertionResult Cerca(const QColor& visto, const QColor& esperado)
{
    const int d = std::max({std::abs(visto.red() - esperado.red()), std::abs(visto.green() - esperado.green()),
                            std::abs(visto.blue() - esperado.blue())});
    if (d <= 3)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << visto.name().toStdString() << " en vez de "
                                         << esperado.name().toStdString();
}

TEST_F(PruebaVentana, DegradadosDeLosPaneles)
{
    Abrir({});
    struct Caso {
        const char* panel;
        QColor arriba, medio, abajo;
    };
    for (const Caso& c : {Caso{"Draw3D1", QColor(0xC2CDFE), QColor(0xCFF2FE), QColor(0xCCD8E6)},
                          Caso{"Draw3D2", QColor(0xF9D37D), QColor(0xFFFFFF), QColor(0xFFEEDD)},
                          Caso{"Draw3D3", QColor(0xF9D37D), QColor(0xFFFFFF), QColor(0xFFEEDD)}}) {
        SCOPED_TRACE(c.panel);
        QWidget* panel = Hijo(c.panel);
        const QImage imagen = panel->grab().toImage();
        const int h = imagen.height() / static_cast<int>(panel->devicePixelRatioF());
        ASSERT_EQ(h, panel->height());
        EXPECT_TRUE(Cerca(imagen.pixelColor(2, 0), c.arriba));
        EXPECT_TRUE(Cerca(imagen.pixelColor(2, (h - 1) / 2), c.medio));
        EXPECT_TRUE(Cerca(imagen.pixelColor(2, h - 1), c.abajo));
    }
}

// Names a screen reader says, the Tab order, and a focus frame one can see.
TEST_F(PruebaVentana, BotonesAccesibles)
{
    auto& v = Abrir({});
    const struct {
        const char* boton;
        const char* nombre;
    } orden[] = {
        {"BExportar", "Exportar: transformar datos desde NORVICA hacia Horalia"},
        {"BImportar", "Importar: transformar datos desde Horalia hacia NORVICA"},
        {"Button1", "Ayuda"},
        {"BClose", "Salir"},
    };
    v.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
    for (std::size_t i = 0; i < std::size(orden); ++i) {
        SCOPED_TRACE(orden[i].boton);
        auto* b = Hijo<QPushButton>(orden[i].boton);
        EXPECT_EQ(b->accessibleName().toStdString(), orden[i].nombre);
        EXPECT_FALSE(b->accessibleDescription().isEmpty());
        b->clearFocus();
        const QImage sin_foco = b->grab().toImage();
        b->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(b->hasFocus());
        EXPECT_NE(b->grab().toImage(), sin_foco);
        if (i + 1 < std::size(orden)) {
            QTest::keyClick(b, Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), Hijo(orden[i + 1].boton));
        }
    }
}

// A help that cannot be shown is told, once per request; one that shows is not.
TEST_F(PruebaVentana, AyudaConF1YConElBoton)
{
    auto& v = Abrir({});
    QApplication::setActiveWindow(&v);
    for (const bool muestra : {true, false}) {
        SCOPED_TRACE(muestra);
        ayuda.muestra = muestra;
        ayuda.llamadas.clear();
        interaccion.sucesos.clear();
        QTest::keyClick(Hijo("BImportar"), Qt::Key_F1);
        QTest::keyClick(&v, Qt::Key_F1);
        Pulsar("Button1");
        EXPECT_EQ(ayuda.llamadas, (std::vector<std::string>{"contexto 3", "contexto 3", "fichero NORVICA.chm",
                                                            "comando 3 0"}));
        const std::string aviso =
            "error: No se puede mostrar la ayuda NORVICA.chm: falta el archivo de ayuda o su visor.";
        EXPECT_EQ(interaccion.Textos(), muestra ? std::vector<std::string>{}
                                                : std::vector<std::string>(3, aviso));
    }
}

}  // namespace
}  // namespace thn::prueba
