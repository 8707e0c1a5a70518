// SPDX-License-Identifier: EUPL-1.2
#include "help/visor_winhelp.h"

namespace thn::ayuda {

std::shared_ptr<IWinHelpTester> WinHelpTester;

namespace {

// The WinHelp file the viewer would open, as the tester names it.
std::string FicheroWinHelp()
{
    const std::string directorio = WinHelpTester->GetHelpPath();
    const std::string fichero = WinHelpTester->GetDefaultHelpFile();
    if (directorio.empty() || fichero.empty())
        return directorio + fichero;
    return directorio.back() == '/' ? directorio + fichero : directorio + "/" + fichero;
}

}  // namespace

std::int32_t VisorWinHelp::UnderstandsKeyword(const std::string& cadena_ayuda)
{
    return WinHelpTester && WinHelpTester->CanShowALink(cadena_ayuda, FicheroWinHelp()) ? 1 : 0;
}

ListaTextos VisorWinHelp::GetHelpStrings(const std::string& cadena_ayuda)
{
    return WinHelpTester ? WinHelpTester->GetHelpStrings(cadena_ayuda) : ListaTextos{};
}

bool VisorWinHelp::UnderstandsTopic(const std::string& tema)
{
    return WinHelpTester && WinHelpTester->CanShowTopic(tema, FicheroWinHelp());
}

bool VisorWinHelp::UnderstandsContext(std::int32_t contexto, const std::string& fichero_ayuda)
{
    return WinHelpTester && WinHelpTester->CanShowContext(contexto, fichero_ayuda);
}

void VisorWinHelp::ShutDown() { WinHelpTester.reset(); }

}  // namespace thn::ayuda
