// SPDX-License-Identifier: EUPL-1.2
// Times the export of one centre document into a scratch working directory.
//
//   thn-bench-exportar CENTRO.xml HTEMP [repeticiones]
//
// Prints the best wall time of the runs and the process's peak memory.

#include "exportar/exportacion.h"
#include "base/error.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "uso: thn-bench-exportar CENTRO.xml HTEMP [repeticiones]\n";
        return 2;
    }
    const int repeticiones = argc > 3 ? std::atoi(argv[3]) : 3;
    double mejor = 1e9;
    try {
        for (int i = 0; i < repeticiones; ++i) {
            thn::RegistrosCodigos registros;
            thn::ComponentesTabla componentes;
            const auto inicio = std::chrono::steady_clock::now();
            const auto r = thn::Exportar(argv[1], argv[2], registros, componentes);
            const std::chrono::duration<double> t = std::chrono::steady_clock::now() - inicio;
            mejor = std::min(mejor, t.count());
            if (i == 0) {
                std::size_t registros_escritos = 0;
                for (const auto& c : r.informe.recuentos)
                    registros_escritos += c.registros;
                std::printf("registros escritos: %zu, omitidos: %zu, avisos: %zu\n", registros_escritos,
                            r.informe.omisiones.size(), r.informe.avisos.size());
            }
        }
    } catch (const thn::Error& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("exportar: %.3f s (mejor de %d), memoria máxima %.1f MiB\n", mejor, repeticiones,
                static_cast<double>(uso.ru_maxrss) / 1024.0);
    return 0;
}
