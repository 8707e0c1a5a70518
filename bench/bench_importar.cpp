// SPDX-License-Identifier: EUPL-1.2
// Times the import of a large SOLUC against the tables of an export.
//
//   thn-bench-importar CENTRO.xml HTEMP registros [repeticiones]
//
// Writes HTEMP/SOLUC.DBF with `registros` entries drawn (deterministically)
// from the export's tables, then imports it and prints the best wall time.

#include "dbf/tabla.h"
#include "base/error.h"
#include "trabajo/tablas.h"
#include "importar/importacion.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Columna(const std::filesystem::path& htemp, const char* tabla, const char* campo)
{
    thn::dbf::Tabla t(thn::RutaTabla(htemp, tabla), thn::dbf::Acceso::Compartido);
    std::vector<std::string> r;
    for (t.Primero(); !t.Fin(); t.Siguiente())
        r.push_back(t.LeerTexto(campo));
    if (r.empty())
        r.emplace_back();
    return r;
}

void EscribirSoluc(const std::filesystem::path& htemp, std::size_t registros)
{
    using thn::dbf::TipoCampo;
    const auto grupos = Columna(htemp, "GRUPOST", "ABREV");
    const auto profes = Columna(htemp, "PROFT", "ABREV");
    const auto aulas = Columna(htemp, "AULAT", "ABREV");
    const auto materias = Columna(htemp, "ASIGNOMT", "COD");
    const auto ruta = htemp / "SOLUC.DBF";
    thn::dbf::Tabla::Crear(ruta, {{"DIA", TipoCampo::Entero, 0}, {"HORA", TipoCampo::Entero, 0},
                                  {"SESIONES", TipoCampo::Caracter, 20}, {"CODGRUPO", TipoCampo::Caracter, 10},
                                  {"ASIG", TipoCampo::Caracter, 10}, {"TAREA", TipoCampo::Caracter, 10},
                                  {"PROF", TipoCampo::Caracter, 10}, {"AULA", TipoCampo::Caracter, 10}});
    thn::dbf::Tabla t(ruta, thn::dbf::Acceso::Exclusivo);
    std::uint64_t x = 0x9E3779B97F4A7C15ull;
    auto azar = [&x](std::size_t n) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        return static_cast<std::size_t>(x % n);
    };
    for (std::size_t i = 0; i < registros; ++i) {
        t.Anadir();
        t.PonerEntero("DIA", static_cast<std::int32_t>(1 + azar(5)));
        t.PonerEntero("HORA", static_cast<std::int32_t>(1 + azar(12)));
        t.PonerTexto("SESIONES", "1");
        t.PonerTexto("CODGRUPO", grupos[azar(grupos.size())]);
        t.PonerTexto("ASIG", materias[azar(materias.size())]);
        t.PonerTexto("TAREA", azar(4) ? "LECT" : "GUAR");
        t.PonerTexto("PROF", profes[azar(profes.size())]);
        t.PonerTexto("AULA", aulas[azar(aulas.size())]);
        t.Grabar();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "uso: thn-bench-importar CENTRO.xml HTEMP registros [repeticiones]\n";
        return 2;
    }
    const int repeticiones = argc > 4 ? std::atoi(argv[4]) : 3;
    double mejor = 1e9;
    try {
        EscribirSoluc(argv[2], std::stoul(argv[3]));
        for (int i = 0; i < repeticiones; ++i) {
            thn::ComponentesTabla componentes;
            const auto inicio = std::chrono::steady_clock::now();
            const auto r = thn::Importar(argv[1], argv[2], componentes, ',', thn::RelojDelSistema());
            const std::chrono::duration<double> t = std::chrono::steady_clock::now() - inicio;
            mejor = std::min(mejor, t.count());
            if (i == 0)
                std::printf("dsolucion escritos: %zu, omitidos: %zu, avisos: %zu\n", r.informe.recuentos.at(0).registros,
                            r.informe.omisiones.size(), r.informe.avisos.size());
        }
    } catch (const thn::Error& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("importar: %.3f s (mejor de %d), memoria máxima %.1f MiB\n", mejor, repeticiones,
                static_cast<double>(uso.ru_maxrss) / 1024.0);
    return 0;
}
