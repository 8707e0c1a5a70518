// SPDX-License-Identifier: EUPL-1.2
#pragma once
// How a kept file is described (size, checksum and, for a table, the record
// count its header announces), and descriptions made ahead: an export reads
// its document while a thread of its own describes the tables the export
// may set aside. Reading and summing a large centre's tables takes as long
// as a good part of the document. Only reads are made there, so the calls
// that change files keep their order.

#include "trabajo/anteriores.h"
#include "so/sistema.h"

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace thn {

// The open file `d`, read a block at a time; named `nombre` in the
// description. Stops early, with ECANCELED, once `parar` is set.
int DescribirFichero(const so::Descriptor& d, const std::string& nombre, FicheroGuardado& f,
                     const std::atomic<bool>* parar = nullptr);

class DescripcionesPrevias {
public:
    // Starts describing, on a thread of its own, the exported tables and
    // indexes in `directorio`; without a thread, nothing is described ahead.
    explicit DescripcionesPrevias(const std::filesystem::path& directorio);
    ~DescripcionesPrevias();  // stops and waits
    DescripcionesPrevias(const DescripcionesPrevias&) = delete;
    DescripcionesPrevias& operator=(const DescripcionesPrevias&) = delete;

    // Waits for the thread: none of the files is open any longer.
    void Esperar();
    // The description of the file `nombre` of the directory, when `v` is
    // that file still as it was described.
    std::optional<FicheroGuardado> De(const std::string& nombre, const so::VersionFichero& v);

private:
    void Describir(const std::filesystem::path& directorio);

    struct Previa {
        so::VersionFichero version;
        FicheroGuardado fichero;
    };
    std::vector<Previa> previas_;
    std::atomic<bool> parar_{false};
    std::thread hilo_;
};

}  // namespace thn
