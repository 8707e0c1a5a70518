// SPDX-License-Identifier: EUPL-1.2
// Times the check of one centre document against its export, run in turns
// so that both meet the same machine.
//
//   thn-bench-comprobar CENTRO.xml HTEMP [repeticiones]
//
// Prints the best wall time of each.

#include "exportar/comprobacion_documento.h"
#include "exportar/exportacion.h"
#include "base/error.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

template <class F>
double Segundos(F&& f)
{
    const auto inicio = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "uso: thn-bench-comprobar CENTRO.xml HTEMP [repeticiones]\n";
        return 2;
    }
    const int repeticiones = argc > 3 ? std::atoi(argv[3]) : 3;
    double exportar = 1e9, comprobar = 1e9;
    try {
        for (int i = 0; i < repeticiones; ++i) {
            exportar = std::min(exportar, Segundos([&] {
                thn::RegistrosCodigos registros;
                thn::ComponentesTabla componentes;
                thn::Exportar(argv[1], argv[2], registros, componentes);
            }));
            thn::Comprobacion c;
            comprobar = std::min(comprobar, Segundos([&] { c = thn::ComprobarDocumento(argv[1]); }));
            if (i == 0)
                std::printf("problemas: %zu, omitidos: %zu, avisos: %zu, cambios: %zu\n", c.problemas.size(),
                            c.informe.omisiones.size(), c.informe.avisos.size(), c.cambios.size());
        }
    } catch (const thn::Error& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    std::printf("exportar: %.3f s, comprobar: %.3f s (mejor de %d)\n", exportar, comprobar, repeticiones);
    return 0;
}
