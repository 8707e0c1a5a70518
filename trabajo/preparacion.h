// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The export's staging folder inside Horalia's working directory. The new
// tables are written there whole; only then do they take the place of the
// old ones, each by one rename on the same file system. A journal in the
// folder lets the next run finish a replacement that a dying process left
// half done, so the directory never holds tables of two exports.
//
// The folder is always one this tool made and marked: anything else at its
// name (a link, a junction, a file, someone else's folder) is never
// followed, emptied or removed.

#include "base/error.h"
#include "so/sistema.h"

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace thn {

struct TablaPreparada {
    std::string nombre;   // "ASIGNOMT": ASIGNOMT.DBF in the staging folder
    bool borrar_indice;   // the old NAME.MDX goes too
    // Where the staged files go when not NAME.DBF under Horalia's spelling:
    // {name in the staging folder, name in the working directory}. A
    // restore puts back every file of a kept set, the first NAME.DBF
    // staged as NAME.DBF and the others as NombreNuevo(n).
    std::vector<std::pair<std::string, std::string>> poner = {};
};

// "NUEVA.3": a name in the staging folder for a file a restore puts back.
std::string NombreNuevo(std::size_t n);

// What an action did to the tables before it failed, for its message.
struct EstadoTablas {
    bool recuperadas = false;  // an interrupted replacement was finished first
    bool a_medias = false;     // a replacement neither undone nor finished: the next action settles it
};

// The second line of a failed export's or import's message: whether the
// tables changed, or are left for the next action to settle.
std::string NotaTablas(const EstadoTablas& estado);
// The error of a failed export or restore, with that line added.
Error ConNotaTablas(const Error& e, const EstadoTablas& estado);

class Preparacion {
public:
    // Creates the staging folder; call with the working directory locked and
    // recovered (SesionTrabajo).
    Preparacion(std::filesystem::path directorio, EstadoTablas& estado);
    // Removes the folder and what it holds, unless a replacement was left
    // half done (its journal then stays for the next action); never throws.
    ~Preparacion();
    Preparacion(const Preparacion&) = delete;
    Preparacion& operator=(const Preparacion&) = delete;

    const std::filesystem::path& Carpeta() const { return carpeta_; }
    const so::Carpeta& CarpetaAbierta() const { return preparacion_; }

    // Fails naming the first file of the working directory that the
    // replacement would move (a table or its index) and another program holds.
    void ComprobarTablasLibres(const std::vector<TablaPreparada>& tablas) const;

    // Puts the staged tables in place of the old ones (every spelling of
    // NAME.DBF and, where asked, NAME.MDX). On failure every file is put
    // back as it was and Error is thrown; when even that fails, the journal
    // stays and the estado says so.
    void Confirmar(const std::vector<TablaPreparada>& tablas);

    // After Confirmar: the old files it set aside, each as {its name in the
    // staging folder, its name in the working directory}, to be kept.
    const std::vector<std::pair<std::string, std::string>>& Apartadas() const { return apartadas_; }

private:
    std::filesystem::path directorio_;
    std::filesystem::path carpeta_;
    EstadoTablas& estado_;
    so::Carpeta trabajo_, preparacion_;
    std::vector<std::pair<std::string, std::string>> apartadas_;
};

// Finishes or clears what a run that ended half-way left in the staging
// folder: a whole journal means every new table was complete, so its moves
// are completed; a missing or cut-short one means nothing had moved yet. A
// journal it does not recognise, or whose steps name other files, is
// refused and nothing is moved or deleted. Then removes the folder. Call
// with the working directory locked.
void RecuperarDirectorioTrabajo(const std::filesystem::path& directorio, EstadoTablas& estado);

// The kept sets' folder of the working directory (see anteriores.h), held
// without following a link; false when there is none. Something foreign at
// its name, or at the staging folder's, is refused as by every action.
bool AbrirAnteriores(const std::filesystem::path& directorio, so::Carpeta& anteriores);

// What recovery would do, found without moving or writing anything.
struct Prevision {
    bool pendiente = false;  // an interrupted replacement is to be completed
    // The tables whose new file still waits in the staging folder: "PROFT" -> that file.
    std::map<std::string, std::filesystem::path> nuevas;
};
// Throws what recovery would throw (something foreign at the staging
// folder's name, a journal it refuses).
Prevision PreverRecuperacion(const std::filesystem::path& directorio);

}  // namespace thn
