// SPDX-License-Identifier: EUPL-1.2
#pragma once
// A compiled help file opened with chmlib, closed when the object goes.
// Use it on one thread.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct chmFile;

namespace thn::chm {

class ArchivoChm {
public:
    // None when the file is missing or is not a compiled help file.
    static std::unique_ptr<ArchivoChm> Abrir(const std::filesystem::path& ruta);
    ~ArchivoChm();
    ArchivoChm(const ArchivoChm&) = delete;
    ArchivoChm& operator=(const ArchivoChm&) = delete;

    // The object's path as stored, found without regard to letter case; the
    // path is normalised first (NormalizarRuta), a fragment is not removed.
    std::optional<std::string> Resolver(std::string_view ruta) const;
    // The object's bytes; none when it is missing, unreadable or larger
    // than kTamanoMaximo.
    std::optional<std::string> Leer(std::string_view ruta) const;
    // The stored path of every object.
    std::vector<std::string> Objetos() const;
    const std::filesystem::path& Ruta() const { return ruta_; }

    static constexpr std::uint64_t kTamanoMaximo = 64u << 20;

private:
    ArchivoChm(chmFile* chm, std::filesystem::path ruta);
    chmFile* chm_;
    std::filesystem::path ruta_;
};

}  // namespace thn::chm
