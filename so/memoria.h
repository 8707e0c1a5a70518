// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Large blocks of memory straight from the system. On Linux they come in
// huge pages where the system offers them: filling a block of several
// megabytes then takes a handful of page faults, not one per 4 KiB, and on
// a virtual machine each fault is dear.

#include <cstddef>

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

}  // namespace thn::so
