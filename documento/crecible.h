// SPDX-License-Identifier: EUPL-1.2
#pragma once
// An array of plain values that only grows. A small one lives on the heap
// and doubles by realloc; a large one (a section of 100,000 elements) moves
// once into a block of so::ReservarMemoria, whose room it then fills in
// place, with a handful of page faults where the heap's would take one per
// 4 KiB.

#include "so/memoria.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace thn::documento {

template <class T>
class Crecible {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    Crecible() = default;
    ~Crecible() { Liberar(); }
    Crecible(Crecible&& otro) noexcept
        : datos_(std::exchange(otro.datos_, nullptr)), tamano_(std::exchange(otro.tamano_, 0)),
          capacidad_(std::exchange(otro.capacidad_, 0)), bytes_grandes_(std::exchange(otro.bytes_grandes_, 0))
    {
    }
    Crecible& operator=(Crecible otro) noexcept
    {
        std::swap(datos_, otro.datos_);
        std::swap(tamano_, otro.tamano_);
        std::swap(capacidad_, otro.capacidad_);
        std::swap(bytes_grandes_, otro.bytes_grandes_);
        return *this;
    }

    void push_back(const T& valor)
    {
        Dejar(1);
        datos_[tamano_++] = valor;
    }
    void append(const T* valores, std::size_t n)
    {
        if (n == 0)
            return;
        Dejar(n);
        std::copy(valores, valores + n, datos_ + tamano_);
        tamano_ += n;
    }

    const T* data() const { return datos_; }
    std::size_t size() const { return tamano_; }
    bool empty() const { return tamano_ == 0; }
    const T& operator[](std::size_t i) const { return datos_[i]; }
    const T* begin() const { return datos_; }
    const T* end() const { return datos_ + tamano_; }

private:
    // Room for `n` more.
    void Dejar(std::size_t n)
    {
        if (capacidad_ - tamano_ >= n)
            return;
        if (n > SIZE_MAX / sizeof(T) / 2 - tamano_)
            throw std::bad_alloc();
        const std::size_t capacidad = std::max({tamano_ + n, 2 * capacidad_, 4096 / sizeof(T)});
        if (capacidad * sizeof(T) < so::kMemoriaGrande) {
            void* nuevos = std::realloc(datos_, capacidad * sizeof(T));
            if (nuevos == nullptr)
                throw std::bad_alloc();
            datos_ = static_cast<T*>(nuevos);
            capacidad_ = capacidad;
            return;
        }
        std::size_t bytes = 0;
        void* nuevos = so::ReservarMemoria(capacidad * sizeof(T), bytes);
        if (nuevos == nullptr)
            throw std::bad_alloc();
        if (tamano_ > 0)
            std::memcpy(nuevos, datos_, tamano_ * sizeof(T));
        Liberar();
        datos_ = static_cast<T*>(nuevos);
        capacidad_ = bytes / sizeof(T);
        bytes_grandes_ = bytes;
    }

    void Liberar() noexcept
    {
        if (bytes_grandes_ != 0)
            so::LiberarMemoria(datos_, bytes_grandes_);
        else
            std::free(datos_);
    }

    T* datos_ = nullptr;
    std::size_t tamano_ = 0;
    std::size_t capacidad_ = 0;
    std::size_t bytes_grandes_ = 0;  // of the system's block holding them; 0 on the heap
};

}  // namespace thn::documento
