// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The five HTML Help commands, taken apart from the entry point's arguments
// and handed to a viewer of compiled help files.

#include <cstdint>
#include <string>

namespace thn::chm {

class IVisorChm {
public:
    virtual ~IVisorChm() = default;
    // Each answers the help window's handle, 0 when nothing was shown. The
    // caller's window is 0 when it gave none.
    virtual std::intptr_t MostrarTema(std::intptr_t llamador, const std::string& fichero, const std::string& tema) = 0;
    virtual std::intptr_t MostrarContenido(std::intptr_t llamador, const std::string& fichero) = 0;
    virtual std::intptr_t MostrarIndice(std::intptr_t llamador, const std::string& fichero, const std::string& palabra) = 0;
    virtual std::intptr_t MostrarContexto(std::intptr_t llamador, const std::string& fichero, std::uint32_t contexto) = 0;
    virtual std::intptr_t CerrarTodo() = 0;
};

// Commands other than the five, and a missing file where one is needed, do
// nothing and answer 0. HH_DISPLAY_TOPIC's file is "help file::/topic".
std::intptr_t Despachar(IVisorChm& visor, std::intptr_t llamador, const char* fichero, unsigned int orden,
                        std::uintptr_t datos);

}  // namespace thn::chm
