// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Tests build the layer a second time with THN_SO_PRUEBAS, so that any call
// that changes something can be made to fail (or the process to end) at
// will; the programs carry no such hook.
#ifdef THN_SO_PRUEBAS
namespace thn::so::pruebas {
int Fallo(const char* llamada);
}
#define THN_FALLO_INYECTADO(llamada) ::thn::so::pruebas::Fallo(llamada)
#else
#define THN_FALLO_INYECTADO(llamada) 0
#endif
#define THN_PUNTO_DE_FALLO(llamada)                         \
    do {                                                    \
        if (const int fallo_ = THN_FALLO_INYECTADO(llamada)) \
            return fallo_;                                  \
    } while (0)
