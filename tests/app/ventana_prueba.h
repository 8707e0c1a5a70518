// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Fixture: a main window built with stand-ins, a working directory, and the
// program's directory where the host's INI file lands.

#include "app/tmform.h"
#include "comun/centro.h"
#include "comun/comun.h"
#include "falsos.h"

#include <gtest/gtest.h>

#include <memory>

namespace thn::prueba {

class PruebaVentana : public ::testing::Test {
protected:
    PruebaVentana()
    {
        std::filesystem::create_directories(htemp);
        std::filesystem::create_directories(bin);
    }

    // The window as started with these parameters, shown.
    app::TMForm& Abrir(const std::vector<std::string>& parametros, app::AnfitrionWine wine = {})
    {
        std::vector<std::string> argumentos{(bin / "transhoralianorvica").string()};
        argumentos.insert(argumentos.end(), parametros.begin(), parametros.end());
        const Reloj reloj{[] { return std::time_t{0}; }, "%d/%m/%Y", "%H:%M:%S"};
        ventana = std::make_unique<app::TMForm>(app::EntornoVentana{
            interaccion, ayuda, incrustador, argumentos, dir / "real", htemp, ',', reloj, std::move(wine)});
        ventana->show();
        return *ventana;
    }

    template <typename W = QWidget>
    W* Hijo(const char* nombre) const { return ventana->findChild<W*>(QString::fromLatin1(nombre)); }

    void Pulsar(const char* boton);

    // A centre document that exports without left-out data.
    std::filesystem::path Documento(const std::string& nombre = "centro.xml");
    // SOLUC.DBF with one record per subject code (an unknown code is left out).
    void Soluc(const std::vector<std::string>& asignaturas);

    std::string Ini() const;  // the INI file's text, "(ninguno)" when absent

    DirectorioTemporal dir;
    std::filesystem::path htemp = dir / "HTEMP";
    std::filesystem::path bin = dir / "bin";  // parameter 0's directory
    InteraccionFalsa interaccion;
    AyudaFalsa ayuda;
    IncrustadorFalso incrustador;
    std::unique_ptr<app::TMForm> ventana;
};

}  // namespace thn::prueba
