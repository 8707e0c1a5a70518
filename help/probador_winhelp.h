// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The tester plugged into the WinHelp viewer: it makes that viewer decline
// every keyword, topic and context, so that they all reach the HTML viewer.

#include "help/interfaces_ayuda.h"

namespace thn::ayuda {

class TVexWinHelpTester final : public IWinHelpTester {
public:
    bool CanShowALink(const std::string&, const std::string&) override { return false; }
    bool CanShowTopic(const std::string&, const std::string&) override { return false; }
    bool CanShowContext(std::int32_t, const std::string&) override { return false; }
    ListaTextos GetHelpStrings(const std::string& enlace) override { return {": " + enlace}; }
    std::string GetHelpPath() override { return {}; }
    std::string GetDefaultHelpFile() override { return {}; }
};

}  // namespace thn::ayuda
