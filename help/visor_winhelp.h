// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The framework's viewer for WinHelp files, the first to register. There is
// no WinHelp on Linux: it shows nothing, and it answers what it could serve
// through the tester in WinHelpTester when one is installed, declining
// everything otherwise. Only the contents question it always answers yes, as
// the framework's viewer does.

#include "help/interfaces_ayuda.h"

#include <memory>

namespace thn::ayuda {

// The WinHelp viewer's tester; cleared when that viewer shuts down.
extern std::shared_ptr<IWinHelpTester> WinHelpTester;

class VisorWinHelp final : public IExtendedHelpViewer {
public:
    std::string GetViewerName() override { return "WinHelp"; }
    std::int32_t UnderstandsKeyword(const std::string& cadena_ayuda) override;
    ListaTextos GetHelpStrings(const std::string& cadena_ayuda) override;
    bool CanShowTableOfContents() override { return true; }
    void ShowTableOfContents() override {}
    void ShowHelp(const std::string&) override {}
    void NotifyID(std::int32_t numero_visor) override { numero_ = numero_visor; }
    void SoftShutDown() override {}
    void ShutDown() override;

    bool UnderstandsTopic(const std::string& tema) override;
    void DisplayTopic(const std::string&) override {}
    bool UnderstandsContext(std::int32_t contexto, const std::string& fichero_ayuda) override;
    void DisplayHelpByContext(std::int32_t, const std::string&) override {}

    std::int32_t Numero() const { return numero_; }

private:
    std::int32_t numero_ = 0;
};

}  // namespace thn::ayuda
