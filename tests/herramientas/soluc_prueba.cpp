// SPDX-License-Identifier: EUPL-1.2
// Builds a plausible timetable solution from the tables an export wrote:
// every assignment's sessions on free day-and-hour slots of DIASHORAST, each
// with its group, subject, activity, teacher and a free room. Prints it in
// the line format of thn-tdbf, which writes it as Horalia would hand it over.
//
//   thn-soluc-prueba HTEMP | thn-tdbf escribir 3 HTEMP/SOLUC.DBF

#include "dbf/tabla.h"
#include "base/error.h"
#include "trabajo/tablas.h"

#include <cmath>
#include <iostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using thn::dbf::Acceso;
using thn::dbf::Tabla;

std::string SinTabuladores(std::string s)
{
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return s;
}

int Ejecutar(const std::filesystem::path& htemp)
{
    std::vector<std::pair<int, int>> franjas;  // day, hour
    {
        Tabla t(thn::RutaTabla(htemp, "DIASHORAST"), Acceso::Compartido);
        for (t.Primero(); !t.Fin(); t.Siguiente())
            franjas.emplace_back(t.LeerEntero("DIA"), t.LeerEntero("HORA"));
    }
    std::vector<std::string> aulas;
    {
        Tabla t(thn::RutaTabla(htemp, "AULAT"), Acceso::Compartido);
        for (t.Primero(); !t.Fin(); t.Siguiente())
            aulas.push_back(t.LeerTexto("ABREV"));
    }
    std::set<std::pair<std::string, std::size_t>> ocupados;  // "G:" group / "P:" teacher / "A:" room, slot
    std::size_t sin_hueco = 0;

    std::cout << "DIA:N:2:0;HORA:N:2:0;SESIONES:C:20;CODGRUPO:C:10;ASIG:C:10;TAREA:C:10;PROF:C:10;AULA:C:10;"
                 "NOTA:C:20\n";
    Tabla asigt(thn::RutaTabla(htemp, "ASIGT"), Acceso::Compartido);
    for (asigt.Primero(); !asigt.Fin(); asigt.Siguiente()) {
        const std::string grupo = asigt.LeerTexto("CGRUP"), prof = asigt.LeerTexto("CPROF");
        const std::string asig = asigt.LeerTexto("CASIG"), tarea = asigt.LeerTexto("CTAREA").substr(0, 4);
        const double horas = asigt.LeerNumero("HORAS");
        const int sesiones = horas > 0 ? static_cast<int>(std::ceil(horas)) : 0;
        for (int s = 0; s < sesiones; ++s) {
            // A free slot for group and teacher first; simultaneous blocks
            // (options, split classes) share the group's slot, so then one
            // free for the teacher only, and at last any slot: every session
            // is placed, as Horalia places them.
            std::size_t elegida = franjas.size();
            for (int nivel = 0; nivel < 3 && elegida == franjas.size(); ++nivel)
                for (std::size_t f = 0; f < franjas.size(); ++f) {
                    const bool grupo_ocupado = !grupo.empty() && ocupados.count({"G:" + grupo, f});
                    const bool prof_ocupado = !prof.empty() && ocupados.count({"P:" + prof, f});
                    if ((nivel == 0 && (grupo_ocupado || prof_ocupado)) || (nivel == 1 && prof_ocupado))
                        continue;
                    elegida = f;
                    if (nivel > 0)
                        ++sin_hueco;
                    break;
                }
            if (elegida == franjas.size())
                break;  // no time slots at all
            const std::size_t f = elegida;
            std::string aula;
            for (const auto& a : aulas)
                if (!ocupados.count({"A:" + a, f})) {
                    aula = a;
                    break;
                }
            ocupados.insert({"G:" + grupo, f});
            ocupados.insert({"P:" + prof, f});
            if (!aula.empty())
                ocupados.insert({"A:" + aula, f});
            const bool media = s == sesiones - 1 && horas != std::floor(horas);
            std::cout << franjas[f].first << '\t' << franjas[f].second << '\t' << (media ? "\xbd" : "1") << '\t'
                      << SinTabuladores(grupo) << '\t' << SinTabuladores(asig) << '\t' << SinTabuladores(tarea)
                      << '\t' << SinTabuladores(prof) << '\t' << SinTabuladores(aula) << "\t\\N\n";
        }
    }
    if (sin_hueco)
        std::cerr << "thn-soluc-prueba: " << sin_hueco << " sesiones comparten franja con otra del grupo o del profesor\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "uso: thn-soluc-prueba HTEMP\n";
        return 2;
    }
    try {
        return Ejecutar(argv[1]);
    } catch (const thn::Error& e) {
        std::cerr << "thn-soluc-prueba: " << e.what() << "\n";
        return 1;
    }
}
