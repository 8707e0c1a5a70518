// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Fixture: the Qt main window built with stand-ins for the user, the host
// and the help system.

#include "app/tmform.h"
#include "comun/comun.h"
#include "ventana/falsos.h"
#include "ventana/flujo_prueba.h"

#include <gtest/gtest.h>

#include <memory>

namespace thn::prueba {

class IncrustadorFalso : public app::Incrustador {
public:
    std::vector<std::int32_t> anfitriones;

    void Incrustar(QWidget&, std::int32_t anfitrion) override { anfitriones.push_back(anfitrion); }
};

class PruebaVentana : public PruebaConVentana {
protected:
    // The window as started with these parameters, shown.
    app::TMForm& Abrir(const std::vector<std::string>& parametros)
    {
        ventana = std::make_unique<app::TMForm>(thn::ventana::Entorno{interaccion, ayuda, LineaDeOrdenes(bin, parametros),
                                                                       dir / "real", htemp, ',', RelojDelSistema()},
                                                 incrustador);
        ventana->show();
        return *ventana;
    }

    template <typename W = QWidget>
    W* Hijo(const char* nombre) const { return ventana->findChild<W*>(QString::fromLatin1(nombre)); }

    void Pulsar(const char* boton);

    IncrustadorFalso incrustador;
    std::unique_ptr<app::TMForm> ventana;
};

}  // namespace thn::prueba
