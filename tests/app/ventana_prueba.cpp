// SPDX-License-Identifier: EUPL-1.2
#include "ventana_prueba.h"

#include <QPushButton>

namespace thn::prueba {

void PruebaVentana::Pulsar(const char* boton)
{
    auto* b = Hijo<QPushButton>(boton);
    ASSERT_NE(b, nullptr) << boton;
    b->click();
}

}  // namespace thn::prueba
