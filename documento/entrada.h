// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The centre document's file as the parser's input, block by block. A
// second thread reads the blocks ahead and checks each against the
// document's bounds, so the parser only ever gets checked blocks and does
// not wait for the disk or the check.

#include "documento/archivo.h"
#include "documento/limites.h"

#include <array>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace thn::documento {

class EntradaDocumento {
public:
    // Fails with "No existe el archivo '…'" or "No se pudo abrir el archivo '…': motivo".
    explicit EntradaDocumento(const std::filesystem::path& ruta);
    ~EntradaDocumento();
    EntradaDocumento(const EntradaDocumento&) = delete;
    EntradaDocumento& operator=(const EntradaDocumento&) = delete;

    // The next block, valid until the next call; empty at the end of the
    // input, and when reading stopped on a system error or a bound passed.
    std::string_view Siguiente();

    // Stops reading. Fails when the blocks given reached a system error or
    // a bound passed, or when the file is empty: call after parsing and
    // before the parser's verdict, which then means little. Whatever was
    // read ahead beyond the last block given does not count.
    void Comprobar();

    const std::string& Nombre() const { return nombre_; }

private:
    static constexpr std::size_t kBloques = 4;
    struct Bloque {
        std::vector<char> datos;
        std::size_t tamano = 0;
    };

    // Reads and checks the next block into `b`: false at the end of the
    // file, on a system error or on a bound passed.
    bool LeerBloque(Bloque& b);
    void Leer();  // the reading thread
    void Parar();

    std::string nombre_;
    Archivo archivo_;  // the reading thread's alone

    std::mutex mutex_;
    std::condition_variable cambio_;
    // Under mutex_: blocks [primero_, primero_ + listos_) are read and
    // checked, the first of them perhaps in the parser's hands.
    std::array<Bloque, kBloques> bloques_;
    std::size_t primero_ = 0;
    std::size_t listos_ = 0;
    bool en_uso_ = false;      // the first ready block is the parser's
    bool fin_ = false;         // no block follows the ready ones
    bool parar_ = false;       // the parser wants no more
    bool alcanzado_ = false;   // the parser got to the end: its cause counts
    int error_ = 0;
    bool vacio_ = true;
    VigiaLimites limites_;
    std::thread lector_;
};

}  // namespace thn::documento
