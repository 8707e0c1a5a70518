// SPDX-License-Identifier: EUPL-1.2
// The Qt window as its users reach it: the panels the flow asks for, names
// for screen readers, the Tab order, and the help keys.

#include "ventana_prueba.h"

#include <QPushButton>
#include <QTest>

namespace thn::prueba {
namespace {

// The view does what the flow asks: embedded, frameless at the host's origin
// with only its panel over the whole client area (the bottom panel beneath
// it); alone, framed at its place with all three panels.
TEST_F(PruebaVentana, SoloElPanelPedidoCubreLaVentanaIncrustada)
{
    struct Caso {
        std::vector<std::string> parametros;
        const char* abajo;  // the panel seen at each point of the client area
        const char* izquierda;
        const char* derecha;
    };
    const Caso casos[] = {
        {{}, "Draw3D1", "Draw3D2", "Draw3D3"},
        {{"exportar", "1F"}, "Draw3D2", "Draw3D2", "Draw3D2"},
        {{"importar", "1F"}, "Draw3D3", "Draw3D3", "Draw3D3"},
        {{"transformar", "1F"}, "Draw3D1", "Draw3D2", "Draw3D3"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::PrintToString(c.parametros));
        auto& v = Abrir(c.parametros);
        const auto panel_en = [&](int x, int y) {
            for (QWidget* w = v.childAt(x, y); w; w = w->parentWidget())
                if (w->parentWidget() == &v)
                    return w->objectName().toStdString();
            return std::string("(ninguno)");
        };
        const bool incrustada = !c.parametros.empty();
        EXPECT_EQ(v.windowFlags().testFlag(Qt::FramelessWindowHint), incrustada);
        EXPECT_EQ(v.pos(), incrustada ? QPoint(0, 0) : QPoint(194, 167));
        EXPECT_EQ(v.size(), QSize(632, 266));
        EXPECT_EQ(panel_en(20, 250), c.abajo);
        EXPECT_EQ(panel_en(20, 50), c.izquierda);
        EXPECT_EQ(panel_en(600, 50), c.derecha);
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
