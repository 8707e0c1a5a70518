// SPDX-License-Identifier: EUPL-1.2
// The real HTML Help plugin and the built NORVICA.chm, loaded from beside
// the program as the window's requests reach them through the help system.

#include "help/arranque_ayuda.h"
#include "help/hhctrl/navegador_chm.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace thn::ayuda {
namespace {

QWidget* VentanaAyuda()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "VentanaAyuda")
            return w;
    return nullptr;
}

template <typename T>
T* Parte(const char* nombre)
{
    QWidget* ventana = VentanaAyuda();
    return ventana ? ventana->findChild<T*>(nombre) : nullptr;
}

QString TemaMostrado()
{
    auto* tema = Parte<QTextBrowser>("tema");
    return tema ? tema->source().toString() : QString("(sin ventana)");
}

class AyudaReal : public ::testing::Test {
protected:
    void SetUp() override
    {
        IniciarAyuda(THN_DIR_PROGRAMAS "/transhoralianorvica");
        sistema_ = CrearSistemaAyuda([this] { return propietario_ ? static_cast<std::intptr_t>(propietario_->winId()) : 0; });
        sistema_->PonerFicheroAyuda("NORVICA.chm");
    }

    void TearDown() override
    {
        sistema_.reset();
        TerminarAyuda();
    }

    std::unique_ptr<QWidget> propietario_;
    std::unique_ptr<SistemaAyuda> sistema_;
};

TEST_F(AyudaReal, F1MuestraElTemaPrincipal)
{
    propietario_ = std::make_unique<QWidget>();
    propietario_->show();
    EXPECT_TRUE(sistema_->AyudaContexto(3)) << "the window is told the help shows";
    QWidget* ventana = VentanaAyuda();
    ASSERT_NE(ventana, nullptr);
    EXPECT_TRUE(ventana->isVisible());
    EXPECT_EQ(ventana->windowTitle(), "Ayuda de TransHoraliaNorvica");
    EXPECT_EQ(TemaMostrado(), "chm:/inicio.htm");
    auto* tema = Parte<QTextBrowser>("tema");
    EXPECT_EQ(tema->documentTitle(), "TransHoraliaNorvica");
    EXPECT_TRUE(tema->toPlainText().contains("El programa de línea de órdenes")) << "accents decoded";
    ASSERT_NE(ventana->windowHandle(), nullptr);
    EXPECT_EQ(ventana->windowHandle()->transientParent(), propietario_->windowHandle()) << "owned by the caller";

    // Painting loads the page's image from the file.
    (void)ventana->grab();
    const QVariant imagen = tema->document()->resource(QTextDocument::ImageResource, QUrl("chm:/imagenes/flujo.png"));
    EXPECT_FALSE(qvariant_cast<QImage>(imagen).isNull() && imagen.toByteArray().isEmpty());
    QTextCursor titulo(tema->document()->firstBlock());
    titulo.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(titulo.charFormat().foreground().color(), QColor(0x8B, 0x1A, 0x1A)) << "the page's style sheet applies";
}

TEST_F(AyudaReal, UnContextoSinMapearMuestraElTemaInicial)
{
    sistema_->AyudaTema("importar");
    sistema_->AyudaContexto(99);
    EXPECT_EQ(TemaMostrado(), "chm:/inicio.htm");
}

TEST_F(AyudaReal, ElBotonDeAyudaMuestraElContenido)
{
    sistema_->PonerFicheroAyuda("NORVICA.chm");
    sistema_->ComandoAyuda(kHelpContents, 0);
    auto* pestanas = Parte<QTabWidget>("pestanas");
    auto* contenido = Parte<QTreeWidget>("contenido");
    ASSERT_NE(pestanas, nullptr);
    EXPECT_EQ(pestanas->currentWidget(), contenido);
    EXPECT_EQ(contenido->topLevelItemCount(), 5);
    EXPECT_EQ(contenido->topLevelItem(1)->child(0)->text(0), "Exportar: de NORVICA hacia Horalia");
    EXPECT_EQ(TemaMostrado(), "chm:/inicio.htm");
    ASSERT_NE(contenido->currentItem(), nullptr);
    EXPECT_EQ(contenido->currentItem()->text(0), "TransHoraliaNorvica") << "the shown page is marked";
}

TEST_F(AyudaReal, UnaPalabraDelIndiceMuestraSuPagina)
{
    struct Caso {
        const char* palabra;
        const char* entrada;
        const char* tema;
    };
    const Caso casos[] = {
        {"Importar", "Importar", "chm:/importar.htm"},
        {"soluc", "SOLUC", "chm:/importar.htm"},
        {"línea", "Línea de órdenes", "chm:/linea_ordenes.htm"},
        {"Tabla abierta", "Tabla abierta por otro programa", "chm:/mensajes_tablas.htm"},
        {"Horalia.ini", "Horalia.ini", "chm:/integrado.htm"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.palabra);
        sistema_->AyudaPalabraClave(c.palabra);
        auto* pestanas = Parte<QTabWidget>("pestanas");
        auto* indice = Parte<QListWidget>("indice");
        ASSERT_NE(indice, nullptr);
        EXPECT_EQ(pestanas->currentWidget(), indice->parentWidget());
        EXPECT_EQ(Parte<QLineEdit>("busqueda")->text(), c.palabra);
        ASSERT_NE(indice->currentItem(), nullptr);
        EXPECT_EQ(indice->currentItem()->text(), c.entrada);
        EXPECT_EQ(TemaMostrado(), c.tema);
    }
    // A keyword that starts no entry leaves the page as it was.
    sistema_->AyudaPalabraClave("zzz");
    EXPECT_EQ(TemaMostrado(), "chm:/integrado.htm");
}

TEST_F(AyudaReal, UnaDireccionDeTemaMuestraEsaPagina)
{
    const std::pair<const char*, const char*> casos[] = {
        {"mensajes", "chm:/mensajes.htm"},
        {"directorio.htm", "chm:/directorio.htm"},
        {"MENSAJES_TABLAS.HTM", "chm:/MENSAJES_TABLAS.HTM"},
        {"no_existe", "chm:/inicio.htm"},
    };
    for (const auto& [tema, mostrado] : casos) {
        sistema_->AyudaTema(tema);
        EXPECT_EQ(TemaMostrado(), mostrado) << tema;
    }
    EXPECT_FALSE(Parte<QTextBrowser>("tema")->toPlainText().isEmpty());
}

TEST_F(AyudaReal, LosEnlacesNoSalenDelFichero)
{
    sistema_->AyudaContexto(3);
    auto* tema = Parte<QTextBrowser>("tema");
    ASSERT_NE(tema, nullptr);
    tema->setSource(QUrl("ms-its:NORVICA.chm::/exportar.htm"));
    EXPECT_EQ(TemaMostrado(), "chm:/exportar.htm");
    tema->setSource(QUrl("file:///etc/passwd"));
    EXPECT_EQ(TemaMostrado(), "chm:/exportar.htm");
    tema->setSource(tema->source().resolved(QUrl("importar.htm")));
    EXPECT_EQ(TemaMostrado(), "chm:/importar.htm");
    EXPECT_TRUE(tema->isBackwardAvailable());
}

TEST_F(AyudaReal, CerrarTodoCierraLasVentanas)
{
    sistema_->AyudaContexto(3);
    ASSERT_NE(VentanaAyuda(), nullptr);
    ASSERT_TRUE(VentanaAyuda()->isVisible());
    sistema_->ComandoAyuda(kHelpQuit, 0);
    EXPECT_FALSE(VentanaAyuda()->isVisible());
    // And the next request opens it again.
    sistema_->AyudaContexto(3);
    EXPECT_TRUE(VentanaAyuda()->isVisible());
}

TEST_F(AyudaReal, UnFicheroQueNoExisteNoAbreNada)
{
    for (const char* fichero : {"no_existe.chm", THN_DIR_PROGRAMAS "/libhhctrl.so.chm", "/"}) {
        sistema_->PonerFicheroAyuda(fichero);
        EXPECT_FALSE(sistema_->AyudaContexto(3)) << fichero;
        EXPECT_FALSE(sistema_->ComandoAyuda(kHelpContents, 0)) << fichero;
        EXPECT_EQ(VentanaAyuda(), nullptr) << fichero;
    }
}

// Unloading the plugin takes its window with it: no widget may outlive the
// code that implements it.
TEST_F(AyudaReal, AlTerminarSeVaLaVentana)
{
    sistema_->AyudaContexto(3);
    ASSERT_NE(VentanaAyuda(), nullptr);
    sistema_.reset();
    TerminarAyuda();
    EXPECT_EQ(VentanaAyuda(), nullptr);
    QApplication::processEvents();
}

TEST(PaginasDeAyuda, SeDecodificanSegunDeclaran)
{
    const std::pair<QByteArray, QString> casos[] = {
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"><p>A\xc3\xb1o", "A\u00f1o"},
        {"<meta charset=\"utf-8\"><p>A\xc3\xb1o", "A\u00f1o"},
        {"\xef\xbb\xbf<p>A\xc3\xb1o", "A\u00f1o"},
        {"<p>A\xf1o \x80", "A\u00f1o \u20ac"},
        {"<META CONTENT=\"text/html; CHARSET=Windows-1252\"><p>A\xf1o", "A\u00f1o"},
    };
    for (const auto& [pagina, texto] : casos)
        EXPECT_TRUE(chm::DecodificarPagina(pagina).contains(texto)) << pagina.toStdString();
}

}  // namespace
}  // namespace thn::ayuda
