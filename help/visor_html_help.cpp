// SPDX-License-Identifier: EUPL-1.2
#include "help/visor_html_help.h"

#include "base/ascii.h"
#include "help/gestor_ayuda.h"
#include "help/probador_winhelp.h"
#include "help/texto_ayuda.h"
#include "help/ubicacion.h"
#include "help/visor_winhelp.h"

#include <utility>

namespace thn::ayuda {

TVexHtmlHelpViewer* HelpViewerInstance = nullptr;

namespace {

bool EsSeparador(char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\' || c == ':';
#else
    return c == '/';
#endif
}

// Up to and including the last path separator; empty for a bare name.
std::string Directorio(const std::string& ruta)
{
    for (std::size_t i = ruta.size(); i > 0; --i)
        if (EsSeparador(ruta[i - 1]))
            return ruta.substr(0, i);
    return {};
}

// From the last "." of the last path segment; empty when it has none.
std::string Extension(const std::string& tema)
{
    for (std::size_t i = tema.size(); i > 0; --i) {
        const char c = tema[i - 1];
        if (c == '.')
            return tema.substr(i - 1);
        if (c == '/' || c == '\\')
            break;
    }
    return {};
}

}  // namespace

TVexHtmlHelpViewer::TVexHtmlHelpViewer(std::shared_ptr<const AplicacionAyuda> aplicacion,
                                       const std::filesystem::path& biblioteca)
    : biblioteca_(biblioteca), aplicacion_(std::move(aplicacion))
{
    html_help_ = LlamadaHtmlHelp(biblioteca_);
}

TVexHtmlHelpViewer::~TVexHtmlHelpViewer()
{
    if (HelpViewerInstance == this)
        HelpViewerInstance = nullptr;
    html_help_ = {};
    // biblioteca_ unloads the library as the last member to go.
}

std::string TVexHtmlHelpViewer::GetViewerName() { return nombre_; }

std::int32_t TVexHtmlHelpViewer::UnderstandsKeyword(const std::string&) { return FicheroChm() ? 1 : 0; }

ListaTextos TVexHtmlHelpViewer::GetHelpStrings(const std::string& cadena_ayuda)
{
    return {nombre_ + ": " + cadena_ayuda};
}

bool TVexHtmlHelpViewer::CanShowTableOfContents() { return true; }

void TVexHtmlHelpViewer::ShowTableOfContents()
{
    if (const auto fichero = FicheroChm())
        InvokeHtmlHelp(fichero->c_str(), HH_DISPLAY_TOC, 0);
}

void TVexHtmlHelpViewer::ShowHelp(const std::string& cadena_ayuda)
{
    const auto fichero = FicheroChm();
    if (!fichero)
        return;
    const std::size_t dos_puntos = cadena_ayuda.find(':');
    const std::string palabra =
        Recortar(dos_puntos == std::string::npos ? cadena_ayuda : cadena_ayuda.substr(dos_puntos + 1));
    InvokeHtmlHelp(fichero->c_str(), HH_DISPLAY_INDEX, reinterpret_cast<std::uintptr_t>(palabra.c_str()));
}

void TVexHtmlHelpViewer::NotifyID(std::int32_t numero_visor) { numero_ = numero_visor; }

void TVexHtmlHelpViewer::SoftShutDown() { InvokeHtmlHelp(nullptr, HH_CLOSE_ALL, 0); }

void TVexHtmlHelpViewer::ShutDown()
{
    InvokeHtmlHelp(nullptr, HH_CLOSE_ALL, 0);
    gestor_.reset();
}

bool TVexHtmlHelpViewer::UnderstandsTopic(const std::string&) { return FicheroChm().has_value(); }

void TVexHtmlHelpViewer::DisplayTopic(const std::string& tema)
{
    const auto fichero = FicheroChm();
    if (!fichero)
        return;
    const std::string extension = Extension(tema);
    const bool es_html = IgualesSinCasoAscii(extension, ".htm") || IgualesSinCasoAscii(extension, ".html");
    const std::string direccion = *fichero + "::/" + tema + (es_html ? "" : extension_);
    InvokeHtmlHelp(direccion.c_str(), HH_DISPLAY_TOPIC, 0);
}

bool TVexHtmlHelpViewer::UnderstandsContext(std::int32_t, const std::string& fichero_ayuda)
{
    return IsChmFile(fichero_ayuda);
}

void TVexHtmlHelpViewer::DisplayHelpByContext(std::int32_t contexto, const std::string&)
{
    // The context number travels as the 32-bit value it is, whatever its sign.
    if (const auto fichero = FicheroChm())
        InvokeHtmlHelp(fichero->c_str(), HH_HELP_CONTEXT, static_cast<std::uint32_t>(contexto));
}

std::int32_t TVexHtmlHelpViewer::SelectKeyword(const ListaTextos& lineas)
{
    for (std::size_t i = 0; i < lineas.size(); ++i)
        if (lineas[i].substr(0, lineas[i].find(':')) == nombre_)
            return static_cast<std::int32_t>(i);
    return 0;
}

std::int32_t TVexHtmlHelpViewer::TableOfContents(const ListaTextos& nombres)
{
    for (std::size_t i = 0; i < nombres.size(); ++i)
        if (IgualesSinCasoAscii(nombres[i], nombre_))
            return static_cast<std::int32_t>(i);
    return -1;
}

std::string TVexHtmlHelpViewer::ResolveHelpFile() const
{
    std::string nombre;
    if (gestor_)
        nombre = gestor_->GetHelpFile();
    if (nombre.empty() && aplicacion_)
        nombre = aplicacion_->FicheroAyudaActual();
    if (nombre.empty() || !Directorio(nombre).empty() || !aplicacion_)
        return nombre;
    return Ubicar(Directorio(aplicacion_->programa.string()), aplicacion_->ayuda_instalada, nombre).string();
}

bool TVexHtmlHelpViewer::IsChmFile(const std::string& nombre)
{
    const std::size_t punto = nombre.rfind('.');
    return punto != std::string::npos && IgualesSinCasoAscii(std::string_view(nombre).substr(punto), ".chm");
}

std::optional<std::string> TVexHtmlHelpViewer::FicheroChm() const
{
    std::string fichero = ResolveHelpFile();
    if (!IsChmFile(fichero))
        return std::nullopt;
    return fichero;
}

void TVexHtmlHelpViewer::InvokeHtmlHelp(const char* fichero, unsigned int orden, std::uintptr_t datos)
{
    if (!html_help_)
        return;
    if (orden == HH_CLOSE_ALL)
        html_help_(0, nullptr, orden, datos);
    else if (html_help_(gestor_ ? gestor_->GetHandle() : 0, fichero, orden, datos) != 0)
        ++mostradas_;
}

void IniciarVexHtmlHelp(GestorAyuda& gestor, std::shared_ptr<const AplicacionAyuda> aplicacion,
                        const std::filesystem::path& biblioteca)
{
    auto visor = std::make_shared<TVexHtmlHelpViewer>(std::move(aplicacion), biblioteca);
    HelpViewerInstance = visor.get();
    visor->gestor_ = gestor.RegisterViewer(visor);
    gestor.AssignHelpSelector(visor);
    WinHelpTester = std::make_shared<TVexWinHelpTester>();
}

void TerminarVexHtmlHelp()
{
    if (!HelpViewerInstance || !HelpViewerInstance->gestor_)
        return;
    // Releasing may destroy the viewer when the manager held no other
    // reference to it; take what is needed first.
    const std::int32_t numero = HelpViewerInstance->numero_;
    const auto gestor = std::move(HelpViewerInstance->gestor_);
    gestor->Release(numero);
}

}  // namespace thn::ayuda
