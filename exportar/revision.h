// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What a check of the export gathers besides the export's own report. The
// conversions carry on past a problem for it, leaving the element out.

#include "documento/centro_leido.h"
#include "resultado/comprobacion.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace thn {

struct Revision {
    std::vector<Problema> problemas;
    std::vector<Omision> cambios;
    // The element being converted while it may still be written: a text
    // that its record's field cuts is noted against it.
    const ElementoLeido* actual = nullptr;
    // Subjects and activities read the same elements twice: each note is kept once.
    std::set<std::pair<const ElementoLeido*, std::string>> anotados;

    bool Nuevo(const ElementoLeido& e, const std::string& que) { return anotados.emplace(&e, que).second; }
};

}  // namespace thn
