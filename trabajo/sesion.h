// SPDX-License-Identifier: EUPL-1.2
#pragma once
// One export or import at a time in a working directory. The lock is held
// for the whole action, and whatever a run that died half-way left behind is
// settled before anything is read or written.

#include "so/sistema.h"
#include "trabajo/preparacion.h"

#include <filesystem>

namespace thn {

// The directory held against every other action, settling nothing.
class BloqueoTrabajo {
public:
    // Fails at once, without waiting, while another action holds the directory.
    explicit BloqueoTrabajo(const std::filesystem::path& directorio);

private:
    so::BloqueoCarpeta bloqueo_;
};

class SesionTrabajo {
public:
    // Holds the directory, then settles what an earlier run left; `estado`
    // learns what settling changed.
    SesionTrabajo(const std::filesystem::path& directorio, EstadoTablas& estado);

private:
    BloqueoTrabajo bloqueo_;
};

// At the window's start: settles a half-done export if the directory is
// free; any failure is left for the next action to report.
void RecuperarSiSePuede(const std::filesystem::path& directorio) noexcept;

}  // namespace thn
