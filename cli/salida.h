// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What transhoralianorvica-cli prints, as text or as JSON ("formato": 1), and
// the exit status that goes with it.

#include "resultado/comprobacion.h"
#include "resultado/informe.h"
#include "trabajo/anteriores.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace thn::cli {

constexpr int kCompletado = 0;
constexpr int kError = 1;
constexpr int kUsoIncorrecto = 2;
constexpr int kFaltaEntrada = 3;
constexpr int kDatosOmitidos = 4;  // completed, something left out (--estricto); for a check, left out or changed

class Salida {
public:
    Salida(std::ostream& salida, std::ostream& errores, bool json)
        : salida_(salida), errores_(errores), json_(json) {}

    void PonerAccion(const std::string& orden, const std::filesystem::path& documento);
    void PonerDirectorio(const std::filesystem::path& directorio);

    // Each returns the exit status.
    int ErrorUso(const std::string& problema);
    int Error(int estado, const std::string& mensaje, const std::string& detalle);
    int Finalizado(const ResultadoAccion& resultado, bool estricto);
    // A check that could run: 1 when the action would stop, 4 when it would
    // leave out or change something, 0 otherwise.
    int Comprobado(const Comprobacion& c);
    // The kept sets, newest first; none is no error.
    int Anteriores(const std::vector<ConjuntoGuardado>& conjuntos);

private:
    // The members every JSON answer starts with.
    std::string Cabecera(int estado, const std::string& mensaje) const;

    std::ostream& salida_;
    std::ostream& errores_;
    bool json_;
    std::string orden_;
    std::filesystem::path documento_, directorio_;
};

}  // namespace thn::cli
