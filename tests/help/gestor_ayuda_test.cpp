// SPDX-License-Identifier: EUPL-1.2
// The help manager's routing of each kind of request, with one viewer and
// with two, against viewers and a selector that log what they are given.

#include "help/gestor_ayuda.h"

#include <gtest/gtest.h>

#include <functional>

namespace thn::ayuda {
namespace {

using Registro = std::vector<std::string>;

struct Respuestas {
    std::string nombre;
    std::int32_t palabra = 0;
    bool contenido = false;
    bool tema = false;
    bool contexto = false;
    ListaTextos cadenas;
};

// Logs every action with the help file that the manager reports meanwhile.
class VisorFalso final : public IExtendedHelpViewer {
public:
    VisorFalso(Respuestas r, Registro& registro) : r_(std::move(r)), registro_(registro) {}
    void Conocer(IHelpManager* gestor) { gestor_ = gestor; }

    std::string GetViewerName() override { return r_.nombre; }
    std::int32_t UnderstandsKeyword(const std::string&) override { return r_.palabra; }
    ListaTextos GetHelpStrings(const std::string&) override { return r_.cadenas; }
    bool CanShowTableOfContents() override { return r_.contenido; }
    void ShowTableOfContents() override { Anotar("ShowTableOfContents"); }
    void ShowHelp(const std::string& s) override { Anotar("ShowHelp(" + s + ")"); }
    void NotifyID(std::int32_t n) override { numero = n; }
    void SoftShutDown() override { Anotar("SoftShutDown"); }
    void ShutDown() override { Anotar("ShutDown"); }
    bool UnderstandsTopic(const std::string&) override { return r_.tema; }
    void DisplayTopic(const std::string& t) override { Anotar("DisplayTopic(" + t + ")"); }
    bool UnderstandsContext(std::int32_t, const std::string&) override { return r_.contexto; }
    void DisplayHelpByContext(std::int32_t c, const std::string& f) override
    {
        Anotar("DisplayHelpByContext(" + std::to_string(c) + "," + f + ")");
    }

    std::int32_t numero = 0;

private:
    void Anotar(const std::string& accion)
    {
        const std::string fichero = gestor_ ? gestor_->GetHelpFile() : "";
        registro_.push_back(r_.nombre + "." + accion + (fichero.empty() ? "" : " [" + fichero + "]"));
    }

    Respuestas r_;
    Registro& registro_;
    IHelpManager* gestor_ = nullptr;
};

// A viewer without the extended interface: never asked for topics or contexts.
class VisorBasico final : public ICustomHelpViewer {
public:
    explicit VisorBasico(Registro& registro) : registro_(registro) {}
    std::string GetViewerName() override { return "Basico"; }
    std::int32_t UnderstandsKeyword(const std::string&) override { return 0; }
    ListaTextos GetHelpStrings(const std::string&) override { return {}; }
    bool CanShowTableOfContents() override { return false; }
    void ShowTableOfContents() override { registro_.push_back("Basico.ShowTableOfContents"); }
    void ShowHelp(const std::string&) override { registro_.push_back("Basico.ShowHelp"); }
    void NotifyID(std::int32_t) override {}
    void SoftShutDown() override { registro_.push_back("Basico.SoftShutDown"); }
    void ShutDown() override { registro_.push_back("Basico.ShutDown"); }

private:
    Registro& registro_;
};

class SelectorFalso final : public IHelpSelector {
public:
    SelectorFalso(std::int32_t respuesta, Registro& registro) : respuesta_(respuesta), registro_(registro) {}
    std::int32_t SelectKeyword(const ListaTextos& l) override { return Anotar("SelectKeyword", l); }
    std::int32_t TableOfContents(const ListaTextos& l) override { return Anotar("TableOfContents", l); }

private:
    std::int32_t Anotar(const std::string& que, const ListaTextos& lista)
    {
        std::string s = que + "[";
        for (std::size_t i = 0; i < lista.size(); ++i)
            s += (i ? "|" : "") + lista[i];
        registro_.push_back(s + "]");
        return respuesta_;
    }

    std::int32_t respuesta_;
    Registro& registro_;
};

struct Caso {
    const char* nombre;
    std::vector<Respuestas> visores;  // in registration order
    std::int32_t respuesta_selector;
    std::function<bool(GestorAyuda&)> peticion;
    bool atendida;
    Registro esperado;
};

auto Contexto() { return [](GestorAyuda& g) { return g.ShowContextHelp(3, "f.chm"); }; }
auto Tema() { return [](GestorAyuda& g) { return g.ShowTopicHelp("intro", "f.chm"); }; }
auto Contenido() { return [](GestorAyuda& g) { return g.ShowTableOfContents("f.chm"); }; }
auto Palabra() { return [](GestorAyuda& g) { return g.ShowHelp("Alumnos", "f.chm"); }; }

Respuestas R(std::string nombre)
{
    Respuestas r;
    r.nombre = std::move(nombre);
    return r;
}
Respuestas Con(Respuestas r, std::function<void(Respuestas&)> f)
{
    f(r);
    return r;
}

const Caso kCasos[] = {
    {"contexto, uno", {Con(R("A"), [](auto& r) { r.contexto = true; })}, 0, Contexto(), true,
     {"A.DisplayHelpByContext(3,f.chm) [f.chm]"}},
    {"contexto, el primero declina", {R("A"), Con(R("B"), [](auto& r) { r.contexto = true; })}, 0, Contexto(), true,
     {"B.DisplayHelpByContext(3,f.chm) [f.chm]"}},
    {"contexto, los dos entienden: el primero registrado",
     {Con(R("B"), [](auto& r) { r.contexto = true; }), Con(R("A"), [](auto& r) { r.contexto = true; })}, 0,
     Contexto(), true, {"B.DisplayHelpByContext(3,f.chm) [f.chm]"}},
    {"contexto, nadie", {R("A"), R("B")}, 0, Contexto(), false, {}},
    {"tema, uno", {Con(R("A"), [](auto& r) { r.tema = true; })}, 0, Tema(), true, {"A.DisplayTopic(intro) [f.chm]"}},
    {"tema, el primero declina", {R("A"), Con(R("B"), [](auto& r) { r.tema = true; })}, 0, Tema(), true,
     {"B.DisplayTopic(intro) [f.chm]"}},
    {"tema, nadie", {R("A")}, 0, Tema(), false, {}},
    {"contenido, uno: sin selector", {Con(R("A"), [](auto& r) { r.contenido = true; }), R("B")}, 0, Contenido(), true,
     {"A.ShowTableOfContents [f.chm]"}},
    {"contenido, dos: el selector elige sobre los nombres ordenados",
     {Con(R("Zeta"), [](auto& r) { r.contenido = true; }), Con(R("alfa"), [](auto& r) { r.contenido = true; })}, 1,
     Contenido(), true, {"TableOfContents[alfa|Zeta]", "Zeta.ShowTableOfContents [f.chm]"}},
    {"contenido, dos: el selector no elige ninguno",
     {Con(R("A"), [](auto& r) { r.contenido = true; }), Con(R("B"), [](auto& r) { r.contenido = true; })}, -1,
     Contenido(), false, {"TableOfContents[A|B]"}},
    {"contenido, nadie", {R("A")}, 0, Contenido(), false, {}},
    {"palabra, uno: la palabra sola",
     {Con(R("A"), [](auto& r) { r.palabra = 1; r.cadenas = {"A: Alumnos"}; }), Con(R("B"), [](auto& r) { r.palabra = -1; })},
     0, Palabra(), true, {"A.ShowHelp(Alumnos) [f.chm]"}},
    {"palabra, dos: el selector elige sobre las líneas ordenadas",
     {Con(R("B"), [](auto& r) { r.palabra = 1; r.cadenas = {"B: Alumnos"}; }),
      Con(R("A"), [](auto& r) { r.palabra = 2; r.cadenas = {"A: Alumnos", "A: Alumnos 2"}; })},
     2, Palabra(), true, {"SelectKeyword[A: Alumnos|A: Alumnos 2|B: Alumnos]", "B.ShowHelp(B: Alumnos) [f.chm]"}},
    {"palabra, dos: el selector responde fuera de la lista",
     {Con(R("A"), [](auto& r) { r.palabra = 1; r.cadenas = {"A: x"}; }),
      Con(R("B"), [](auto& r) { r.palabra = 1; r.cadenas = {"B: x"}; })},
     5, Palabra(), false, {"SelectKeyword[A: x|B: x]"}},
    {"palabra, nadie", {R("A")}, 0, Palabra(), false, {}},
    {"salir, todos", {R("A"), R("B")}, 0, [](GestorAyuda& g) { g.SoftShutDown(); return true; }, true,
     {"A.SoftShutDown", "B.SoftShutDown"}},
};

class Encaminamiento : public ::testing::TestWithParam<Caso> {};

TEST_P(Encaminamiento, LlegaAlVisorQueToca)
{
    const Caso& c = GetParam();
    Registro registro;
    auto gestor = std::make_shared<GestorAyuda>(nullptr);
    for (const auto& r : c.visores) {
        auto visor = std::make_shared<VisorFalso>(r, registro);
        gestor->RegisterViewer(visor);
        visor->Conocer(gestor.get());
    }
    gestor->AssignHelpSelector(std::make_shared<SelectorFalso>(c.respuesta_selector, registro));
    EXPECT_EQ(c.peticion(*gestor), c.atendida);
    EXPECT_EQ(registro, c.esperado);
    EXPECT_EQ(gestor->GetHelpFile(), "") << "the request's help file outlives the request";
    registro.clear();
    gestor->Descargar();
}

INSTANTIATE_TEST_SUITE_P(Peticiones, Encaminamiento, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return "caso" + std::to_string(info.index); });

TEST(GestorAyuda, RegistroNumeraYLiberaQuitaDeTodasLasListas)
{
    Registro registro;
    auto gestor = std::make_shared<GestorAyuda>(nullptr);
    Respuestas todo{"A", 1, true, true, true, {"A: x"}};
    auto a = std::make_shared<VisorFalso>(todo, registro);
    todo.nombre = "B";
    auto b = std::make_shared<VisorFalso>(todo, registro);
    EXPECT_EQ(gestor->RegisterViewer(a), gestor);
    gestor->RegisterViewer(b);
    gestor->RegisterViewer(std::make_shared<VisorBasico>(registro));
    EXPECT_NE(a->numero, 0);
    EXPECT_NE(a->numero, b->numero);

    gestor->Release(a->numero);
    gestor->ShowContextHelp(3, "f.chm");
    gestor->ShowTopicHelp("t", "f.chm");
    gestor->ShowHelp("x", "f.chm");
    gestor->ShowTableOfContents("f.chm");
    EXPECT_EQ(registro, (Registro{"B.DisplayHelpByContext(3,f.chm)", "B.DisplayTopic(t)", "B.ShowHelp(x)",
                                  "B.ShowTableOfContents"}));
    registro.clear();
    // Unloading shuts the remaining viewers down, the last registered first.
    gestor->Descargar();
    EXPECT_EQ(registro, (Registro{"Basico.ShutDown", "B.ShutDown"}));
    EXPECT_EQ(gestor->NumeroVisores(), 0u);
}

// A viewer that releases itself while it serves does not disturb the request.
TEST(GestorAyuda, UnVisorPuedeLiberarseMientrasAtiende)
{
    struct Efimero final : IExtendedHelpViewer {
        GestorAyuda* gestor = nullptr;
        std::int32_t numero = 0;
        int veces = 0;
        std::string GetViewerName() override { return "E"; }
        std::int32_t UnderstandsKeyword(const std::string&) override { return 0; }
        ListaTextos GetHelpStrings(const std::string&) override { return {}; }
        bool CanShowTableOfContents() override { return false; }
        void ShowTableOfContents() override {}
        void ShowHelp(const std::string&) override {}
        void NotifyID(std::int32_t n) override { numero = n; }
        void SoftShutDown() override { ++veces; gestor->Release(numero); }
        void ShutDown() override {}
        bool UnderstandsTopic(const std::string&) override { return false; }
        void DisplayTopic(const std::string&) override {}
        bool UnderstandsContext(std::int32_t, const std::string&) override { return false; }
        void DisplayHelpByContext(std::int32_t, const std::string&) override {}
    };
    auto gestor = std::make_shared<GestorAyuda>(nullptr);
    auto e = std::make_shared<Efimero>();
    e->gestor = gestor.get();
    gestor->RegisterViewer(e);
    std::weak_ptr<Efimero> testigo = e;
    e.reset();
    gestor->SoftShutDown();
    EXPECT_TRUE(testigo.expired());
    EXPECT_EQ(gestor->NumeroVisores(), 0u);
}

}  // namespace
}  // namespace thn::ayuda
