// SPDX-License-Identifier: EUPL-1.2
// The help file as the build makes it: its description and context map, its
// links, and the messages of the program that it must explain.

#include "help/hhctrl/archivo_chm.h"
#include "help/hhctrl/contextos_chm.h"
#include "help/hhctrl/descripcion_chm.h"
#include "help/hhctrl/direccion_chm.h"
#include "help/hhctrl/mapa_sitio.h"
#include "help/hhctrl/texto_chm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace thn::chm {
namespace {

namespace fs = std::filesystem;

class AyudaConstruida : public ::testing::Test {
protected:
    static void SetUpTestSuite() { archivo_ = ArchivoChm::Abrir(THN_AYUDA_CHM).release(); }
    static void TearDownTestSuite()
    {
        delete archivo_;
        archivo_ = nullptr;
    }
    void SetUp() override { ASSERT_NE(archivo_, nullptr) << "cannot open " THN_AYUDA_CHM; }

    static std::vector<std::string> Paginas()
    {
        std::vector<std::string> paginas;
        for (const auto& o : archivo_->Objetos())
            if (o.ends_with(".htm"))
                paginas.push_back(o);
        return paginas;
    }

    static ArchivoChm* archivo_;
};

ArchivoChm* AyudaConstruida::archivo_ = nullptr;

TEST_F(AyudaConstruida, SeDescribeYMapeaElContextoTres)
{
    const DescripcionChm d = Describir(*archivo_);
    EXPECT_EQ(d.titulo, "Ayuda de TransHoraliaNorvica");
    EXPECT_EQ(d.tema_inicial, "/inicio.htm");
    EXPECT_EQ(d.contenido, "/contenido.hhc");
    EXPECT_EQ(d.indice, "/indice.hhk");
    EXPECT_EQ(TemaDeContexto(*archivo_, 3), "/inicio.htm");
    EXPECT_EQ(TemaDeContexto(*archivo_, 4), std::nullopt);
    EXPECT_EQ(ArchivoChm::Abrir(THN_FUENTES "/help/chm/inicio.htm"), nullptr) << "not a compiled help file";
}

// Every entry of the contents and of the index opens a page of the file.
TEST_F(AyudaConstruida, ContenidoEIndiceLlevanAPaginasDelFichero)
{
    const DescripcionChm d = Describir(*archivo_);
    std::set<std::string> en_contenido;
    for (const std::string& lista : {d.contenido, d.indice}) {
        SCOPED_TRACE(lista);
        const std::string crudo = archivo_->Leer(lista).value_or("");
        // Windows' viewer reads the lists in the language's code page and
        // shows numeric references as they are written.
        EXPECT_EQ(crudo.find("&#"), std::string::npos);
        const auto entradas = LeerMapaSitio(crudo);
        EXPECT_GE(entradas.size(), 5u);
        bool con_acentos = false;
        std::vector<const EntradaSitio*> pendientes;
        for (const auto& e : entradas)
            pendientes.push_back(&e);
        while (!pendientes.empty()) {
            const EntradaSitio* e = pendientes.back();
            pendientes.pop_back();
            for (const auto& h : e->hijos)
                pendientes.push_back(&h);
            EXPECT_FALSE(e->nombre.empty());
            con_acentos |= e->nombre.find("nea de órdenes") != std::string::npos;
            if (e->local.empty())
                continue;
            EXPECT_TRUE(archivo_->Resolver(SinFragmento(e->local))) << e->nombre << " -> " << e->local;
            if (lista == d.contenido)
                en_contenido.insert(NormalizarRuta(SinFragmento(e->local)));
        }
        EXPECT_TRUE(con_acentos) << "«línea de órdenes» does not read back from windows-1252";
    }
    for (const auto& pagina : Paginas())
        EXPECT_TRUE(en_contenido.count(pagina)) << pagina << " is not in the contents";
}

TEST_F(AyudaConstruida, LosEnlacesDeLasPaginasLleganAObjetosDelFichero)
{
    const std::regex enlace(R"re((?:href|src)\s*=\s*"([^"]*)")re", std::regex::icase);
    for (const auto& pagina : Paginas()) {
        const std::string html = archivo_->Leer(pagina).value_or("");
        EXPECT_NE(html.find("charset=utf-8"), std::string::npos) << pagina << " does not declare its charset";
        // Qt applies a linked style sheet only when its type is given.
        if (html.find("rel=\"stylesheet\"") != std::string::npos) {
            EXPECT_NE(html.find("type=\"text/css\""), std::string::npos) << pagina;
        }
        const std::string carpeta = pagina.substr(0, pagina.rfind('/') + 1);
        for (std::sregex_iterator it(html.begin(), html.end(), enlace), fin; it != fin; ++it) {
            const std::string destino = (*it)[1];
            if (destino.empty() || destino.front() == '#')
                continue;
            EXPECT_EQ(destino.find(':'), std::string::npos) << pagina << ": " << destino << " leaves the file";
            EXPECT_TRUE(archivo_->Resolver(carpeta + destino)) << pagina << ": " << destino;
        }
    }
}

// The text of every page, tags removed and blanks collapsed.
std::string TextoDeLasPaginas(const ArchivoChm& archivo, const std::vector<std::string>& paginas)
{
    std::string texto;
    for (const auto& p : paginas) {
        const std::string html = archivo.Leer(p).value_or("");
        bool en_etiqueta = false;
        for (char c : html) {
            if (c == '<')
                en_etiqueta = true;
            else if (c == '>')
                en_etiqueta = false;
            else if (!en_etiqueta)
                texto += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
        }
        texto += ' ';
    }
    texto = DecodificarEntidades(texto);
    return std::regex_replace(texto, std::regex(" +"), " ");
}

std::string LeerFuente(const fs::path& ruta)
{
    std::ifstream f(ruta);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// The fixed parts of the messages in the sources: the templates of the
// errors, the reasons of the report and of a check (left out, changed,
// problems, with their codes) and the CLI's usage errors.
std::set<std::string> FragmentosDeMensajes()
{
    const std::regex plantilla(R"re((?:Formatear|Error)\(\s*"((?:[^"\\]|\\.)*)")re");
    const std::regex informe(
        R"re((?:(?:omisiones|avisos|cambios|problemas)\.push_back|Omitir|Aviso|Cambio|CodigoCambiado)\(([\s\S]*?)\);)re");
    const std::regex uso(R"re(error = "((?:[^"\\]|\\.)*)")re");
    const std::regex literal(R"re("((?:[^"\\]|\\.)*)")re");
    std::set<std::string> fragmentos;
    auto anadir = [&](const std::string& texto) {
        std::size_t inicio = 0;
        while (inicio <= texto.size()) {
            const std::size_t fin = std::min(texto.find("%s", inicio), texto.size());
            std::string f = texto.substr(inicio, fin - inicio);
            f = std::regex_replace(f, std::regex("^ +| +$"), "");
            if (f.size() >= 4)
                fragmentos.insert(f);
            inicio = fin + 2;
        }
    };
    for (const char* carpeta : {"base", "dbf", "documento", "trabajo", "resultado", "exportar", "importar", "cli"})
        for (const auto& e : fs::recursive_directory_iterator(fs::path(THN_FUENTES) / carpeta)) {
            if (e.path().extension() != ".cpp")
                continue;
            const std::string fuente = LeerFuente(e.path());
            for (std::sregex_iterator it(fuente.begin(), fuente.end(), plantilla), fin; it != fin; ++it)
                anadir((*it)[1]);
            for (std::sregex_iterator it(fuente.begin(), fuente.end(), uso), fin; it != fin; ++it)
                anadir((*it)[1]);
            for (std::sregex_iterator it(fuente.begin(), fuente.end(), informe), fin; it != fin; ++it) {
                const std::string llamada = (*it)[1];
                for (std::sregex_iterator l(llamada.begin(), llamada.end(), literal), lfin; l != lfin; ++l)
                    anadir((*l)[1]);
            }
        }
    return fragmentos;
}

TEST_F(AyudaConstruida, ExplicaCadaMensajeDelPrograma)
{
    const std::string texto = TextoDeLasPaginas(*archivo_, Paginas());
    const auto fragmentos = FragmentosDeMensajes();
    ASSERT_GT(fragmentos.size(), 60u) << "the sources were not found under " THN_FUENTES;
    for (const auto& f : fragmentos)
        EXPECT_NE(texto.find(f), std::string::npos) << "not explained in the help: \"" << f << "\"";
    for (const char* mensaje : {"No existe archivo", "No existe archivo XML o Solución.", "Proceso finalizado",
                                "Deberá Abrir el fichero XML de NORVICA,", "desde el cual realizó la Importación a Horalia",
                                "no es un valor entero válido", "Unable to write to", "falta la orden",
                                "orden desconocida:", "No se ha elegido ningún archivo.", "Resultado guardado en",
                                "Se han dejado fuera", "Detalles...", "Copiar", "Guardar..."})
        EXPECT_NE(texto.find(mensaje), std::string::npos) << mensaje;
}

}  // namespace
}  // namespace thn::chm
