// SPDX-License-Identifier: EUPL-1.2
#include "exportar/codigos_usados.h"

#include "base/texto.h"

namespace thn {

bool CodigosUsados::Contiene(std::string_view ansi) const
{
    return plegados_.count(PlegadoAnsi(ansi)) != 0;
}

void CodigosUsados::Anadir(std::string_view ansi)
{
    plegados_.insert(PlegadoAnsi(ansi));
}

std::string CodigosUsados::PrimerLibre(std::string_view raiz) const
{
    for (unsigned long long k = 1;; ++k) {
        std::string candidato = std::string(raiz) + std::to_string(k);
        if (!Contiene(candidato))
            return candidato;
    }
}

std::string CodigosUsados::PrimerLibreDeAncho(std::string_view raiz, std::size_t ancho) const
{
    std::string candidato = PrimerLibre(raiz);
    // The list is finite, so a short enough stem always leaves a free code.
    while (candidato.size() > ancho && !raiz.empty()) {
        raiz = raiz.substr(0, raiz.size() - 1);
        candidato = PrimerLibre(raiz);
    }
    return candidato;
}

}  // namespace thn
