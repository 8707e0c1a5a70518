// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The export's staging folder inside Horalia's working directory. The new
// tables are written there whole; only then do they take the place of the
// old ones, each by one rename on the same file system. A journal in the
// folder lets the next run finish a replacement that a dying process left
// half done, so the directory never holds tables of two exports.

#include <filesystem>
#include <string>
#include <vector>

namespace thn {

struct TablaPreparada {
    std::string nombre;   // "ASIGNOMT": ASIGNOMT.DBF in the staging folder
    bool borrar_indice;   // the old NAME.MDX goes too
};

class Preparacion {
public:
    // Creates the staging folder; call with the working directory locked and
    // recovered (SesionTrabajo).
    explicit Preparacion(std::filesystem::path directorio);
    ~Preparacion();  // removes the folder and what it holds; never throws
    Preparacion(const Preparacion&) = delete;
    Preparacion& operator=(const Preparacion&) = delete;

    const std::filesystem::path& Carpeta() const { return carpeta_; }

    // Fails naming the first of the working directory's tables that another
    // program holds, as the replacement would have to move it.
    void ComprobarTablasLibres(const std::vector<TablaPreparada>& tablas) const;

    // Puts the staged tables in place of the old ones (every spelling of
    // NAME.DBF and, where asked, NAME.MDX). On failure every file is put
    // back as it was and Error is thrown.
    void Confirmar(const std::vector<TablaPreparada>& tablas);

private:
    std::filesystem::path directorio_;
    std::filesystem::path carpeta_;
};

// Finishes or clears what a run that ended half-way left in the staging
// folder: a whole journal means every new table was complete, so its moves
// are completed; otherwise nothing had moved yet. Then removes the folder.
// Call with the working directory locked.
void RecuperarDirectorioTrabajo(const std::filesystem::path& directorio);

}  // namespace thn
