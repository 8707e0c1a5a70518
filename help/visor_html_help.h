// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The help viewer for compiled HTML help files (.chm): shows them through the
// HTML Help library beside the program. It is also the help manager's
// selector, so that it is the one chosen whenever another viewer could serve
// a request too.

#include "help/aplicacion_ayuda.h"
#include "help/biblioteca.h"
#include "help/html_help.h"
#include "help/interfaces_ayuda.h"
#include "help/llamada_html_help.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace thn::ayuda {

class GestorAyuda;

class TVexHtmlHelpViewer final : public IExtendedHelpViewer, public IHelpSelector {
public:
    // Loads the HTML Help library at `biblioteca` and looks up its entry
    // point; when either is missing, every request does nothing.
    TVexHtmlHelpViewer(std::shared_ptr<const AplicacionAyuda> aplicacion, const std::filesystem::path& biblioteca);
    ~TVexHtmlHelpViewer() override;
    TVexHtmlHelpViewer(const TVexHtmlHelpViewer&) = delete;
    TVexHtmlHelpViewer& operator=(const TVexHtmlHelpViewer&) = delete;

    // ICustomHelpViewer
    std::string GetViewerName() override;
    std::int32_t UnderstandsKeyword(const std::string& cadena_ayuda) override;
    ListaTextos GetHelpStrings(const std::string& cadena_ayuda) override;
    bool CanShowTableOfContents() override;
    void ShowTableOfContents() override;
    void ShowHelp(const std::string& cadena_ayuda) override;
    void NotifyID(std::int32_t numero_visor) override;
    void SoftShutDown() override;
    void ShutDown() override;

    // IExtendedHelpViewer
    bool UnderstandsTopic(const std::string& tema) override;
    void DisplayTopic(const std::string& tema) override;
    bool UnderstandsContext(std::int32_t contexto, const std::string& fichero_ayuda) override;
    void DisplayHelpByContext(std::int32_t contexto, const std::string& fichero_ayuda) override;

    // IHelpSelector
    std::int32_t SelectKeyword(const ListaTextos& lineas) override;
    std::int32_t TableOfContents(const ListaTextos& nombres) override;

    // The help file of every display request: the manager's, else the
    // application's current one; a bare name is taken from the program's
    // directory, else from the installed help directory.
    std::string ResolveHelpFile() const;
    static bool IsChmFile(const std::string& nombre);
    // How many requests the plugin answered with a help window: the window
    // tells its user when its own request shows nothing.
    std::uint64_t VentanasMostradas() const { return mostradas_; }

private:
    friend void IniciarVexHtmlHelp(GestorAyuda&, std::shared_ptr<const AplicacionAyuda>, const std::filesystem::path&);
    friend void TerminarVexHtmlHelp();

    // The help file when it is an HTML help file.
    std::optional<std::string> FicheroChm() const;
    // `fichero` null for HH_CLOSE_ALL.
    void InvokeHtmlHelp(const char* fichero, unsigned int orden, std::uintptr_t datos);

    std::int32_t numero_ = 0;
    std::uint64_t mostradas_ = 0;
    const std::string nombre_ = "VexHtmlHelp";
    LlamadaHtmlHelp html_help_;
    Biblioteca biblioteca_;
    std::shared_ptr<IHelpManager> gestor_;  // from registration until shut-down
    const std::string extension_ = ".htm";  // given to a topic without an HTML extension
    std::shared_ptr<const AplicacionAyuda> aplicacion_;
};

// The one viewer of the process, while it lives; does not own it.
extern TVexHtmlHelpViewer* HelpViewerInstance;

// Start-up: creates the viewer, registers it with the manager, makes it the
// selector and installs the WinHelp tester. Shut-down: releases the viewer
// from the manager that registered it and drops that manager; the viewer
// lives on while the manager holds it as its selector.
void IniciarVexHtmlHelp(GestorAyuda& gestor, std::shared_ptr<const AplicacionAyuda> aplicacion,
                        const std::filesystem::path& biblioteca);
void TerminarVexHtmlHelp();

}  // namespace thn::ayuda
