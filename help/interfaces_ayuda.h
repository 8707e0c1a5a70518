// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The help manager's interfaces: what a viewer offers the manager, what the
// manager offers its viewers, the selector that picks among viewers, and the
// tester through which the WinHelp viewer asks before serving. Texts are
// UTF-8; numbers are 32-bit, as the manager passes them.

#include <cstdint>
#include <string>
#include <vector>

namespace thn::ayuda {

using ListaTextos = std::vector<std::string>;

class IHelpManager {
public:
    virtual ~IHelpManager() = default;
    // The window that owns help windows (0 when there is none).
    virtual std::intptr_t GetHandle() const = 0;
    // The help file of the request in progress; empty outside a request.
    virtual std::string GetHelpFile() const = 0;
    // Removes the viewer with this number from every list of the manager.
    virtual void Release(std::int32_t numero_visor) = 0;
};

class ICustomHelpViewer {
public:
    virtual ~ICustomHelpViewer() = default;
    virtual std::string GetViewerName() = 0;
    virtual std::int32_t UnderstandsKeyword(const std::string& cadena_ayuda) = 0;
    // A new list, owned by the caller.
    virtual ListaTextos GetHelpStrings(const std::string& cadena_ayuda) = 0;
    virtual bool CanShowTableOfContents() = 0;
    virtual void ShowTableOfContents() = 0;
    virtual void ShowHelp(const std::string& cadena_ayuda) = 0;
    virtual void NotifyID(std::int32_t numero_visor) = 0;
    virtual void SoftShutDown() = 0;
    virtual void ShutDown() = 0;
};

class IExtendedHelpViewer : public ICustomHelpViewer {
public:
    virtual bool UnderstandsTopic(const std::string& tema) = 0;
    virtual void DisplayTopic(const std::string& tema) = 0;
    virtual bool UnderstandsContext(std::int32_t contexto, const std::string& fichero_ayuda) = 0;
    virtual void DisplayHelpByContext(std::int32_t contexto, const std::string& fichero_ayuda) = 0;
};

class IHelpSelector {
public:
    virtual ~IHelpSelector() = default;
    // Index of the chosen line of the keyword's help strings.
    virtual std::int32_t SelectKeyword(const ListaTextos& lineas) = 0;
    // Index of the chosen viewer name; -1 for none.
    virtual std::int32_t TableOfContents(const ListaTextos& nombres) = 0;
};

class IWinHelpTester {
public:
    virtual ~IWinHelpTester() = default;
    virtual bool CanShowALink(const std::string& enlace, const std::string& fichero) = 0;
    virtual bool CanShowTopic(const std::string& tema, const std::string& fichero) = 0;
    virtual bool CanShowContext(std::int32_t contexto, const std::string& fichero) = 0;
    virtual ListaTextos GetHelpStrings(const std::string& enlace) = 0;
    virtual std::string GetHelpPath() = 0;
    virtual std::string GetDefaultHelpFile() = 0;
};

}  // namespace thn::ayuda
