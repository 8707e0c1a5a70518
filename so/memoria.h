// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Large blocks of memory straight from the system. On Linux they come in
// huge pages where the system offers them: filling a block of several
// megabytes then takes a handful of page faults, not one per 4 KiB, and on
// a virtual machine each fault is dear.

#include <cstddef>
#include <utility>

namespace thn::so {

// Blocks of at least this size are worth taking this way (they take the
// room of a huge page, 2 MiB, at the least).
inline constexpr std::size_t kMemoriaGrande = std::size_t{256} << 10;

// A zero-filled block of at least `bytes`, or nullptr when there is no
// memory; `obtenidos` is its size. The system may give more room than asked
// (on Linux at least 64 MiB of addresses): a page of it costs memory only
// once it is written, so a growing array fills it in place.
void* ReservarMemoria(std::size_t bytes, std::size_t& obtenidos);
// Gives back a block of ReservarMemoria, with the size it had.
void LiberarMemoria(void* bloque, std::size_t obtenidos) noexcept;

// A zero-filled block of `bytes` held for its lifetime: a large one from
// ReservarMemoria, a small one from the heap. Throws std::bad_alloc.
class MemoriaEnCeros {
public:
    explicit MemoriaEnCeros(std::size_t bytes);
    ~MemoriaEnCeros();
    MemoriaEnCeros(MemoriaEnCeros&& otra) noexcept
        : datos_(std::exchange(otra.datos_, nullptr)), grandes_(std::exchange(otra.grandes_, 0))
    {
    }
    MemoriaEnCeros& operator=(MemoriaEnCeros otra) noexcept
    {
        std::swap(datos_, otra.datos_);
        std::swap(grandes_, otra.grandes_);
        return *this;
    }

    unsigned char* data() const { return datos_; }

private:
    unsigned char* datos_ = nullptr;
    std::size_t grandes_ = 0;  // the system block's size; 0 on the heap
};

}  // namespace thn::so
