// SPDX-License-Identifier: EUPL-1.2
#pragma once
// A folder of our own under the system's temporary directory, removed with
// everything in it when the object goes.

#include <filesystem>

namespace thn {

class CarpetaTemporal {
public:
    // Fails with "No se puede crear la carpeta '…': motivo".
    CarpetaTemporal();
    ~CarpetaTemporal();  // never throws
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

    const std::filesystem::path& Ruta() const { return ruta_; }

private:
    std::filesystem::path ruta_;
};

}  // namespace thn
