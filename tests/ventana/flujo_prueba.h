// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Fixture: the window's flow with stand-ins for the drawn window and the
// user, a working directory, and the program's directory where the host's
// INI file lands.

#include "comun/centro.h"
#include "comun/comun.h"
#include "falsos.h"

#include <gtest/gtest.h>

#include <memory>

namespace thn::prueba {

// The command line of a program started from `bin` with these parameters.
inline std::vector<std::string> LineaDeOrdenes(const std::filesystem::path& bin,
                                               const std::vector<std::string>& parametros)
{
    std::vector<std::string> argumentos{(bin / "transhoralianorvica").string()};
    argumentos.insert(argumentos.end(), parametros.begin(), parametros.end());
    return argumentos;
}

// What a window's test starts from: its folders and the stand-ins for the
// user and the help system.
class PruebaConVentana : public ::testing::Test {
protected:
    PruebaConVentana()
    {
        std::filesystem::create_directories(htemp);
        std::filesystem::create_directories(bin);
    }

    DirectorioTemporal dir;
    std::filesystem::path htemp = dir / "HTEMP";
    std::filesystem::path bin = dir / "bin";  // parameter 0's directory
    InteraccionFalsa interaccion;
    AyudaFalsa ayuda;
};

class PruebaFlujo : public PruebaConVentana {
protected:
    // The window's flow as started with these parameters, created.
    ventana::Controlador& Abrir(const std::vector<std::string>& parametros, ventana::AnfitrionWine wine = {})
    {
        const Reloj reloj{[] { return std::time_t{0}; }, "%d/%m/%Y", "%H:%M:%S"};
        const bool falla = vista.falla;  // set by the test before it opens
        vista = VistaFalsa{};
        vista.falla = falla;
        flujo = std::make_unique<ventana::Controlador>(
            ventana::Entorno{interaccion, ayuda, LineaDeOrdenes(bin, parametros), dir / "real", htemp, ',', reloj,
                             std::move(wine)},
            vista);
        vista.flujo = flujo.get();
        interaccion.cursor_ocupado = &vista.ocupado;
        flujo->FormCreate();
        return *flujo;
    }

    // Closes the window as the user would; false when it stays open.
    bool Cerrar()
    {
        vista.Cerrar();
        return !vista.abierta;
    }

    // A centre document that exports without left-out data.
    std::filesystem::path Documento(const std::string& nombre = "centro.xml");
    // SOLUC.DBF with one record per subject code (an unknown code is left out).
    void Soluc(const std::vector<std::string>& asignaturas);

    std::string Ini() const;  // the INI file's text, "(ninguno)" when absent

    VistaFalsa vista;
    std::unique_ptr<ventana::Controlador> flujo;
};

}  // namespace thn::prueba
