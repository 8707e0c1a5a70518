// SPDX-License-Identifier: EUPL-1.2
#pragma once
// An array of plain values that only grows, by realloc: the system moves a
// large one to its new size (on Linux by remapping its pages) instead of
// copying it into fresh memory, so a section of 100,000 elements is written
// into memory once, not once per doubling.

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

namespace thn::documento {

template <class T>
class Crecible {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    Crecible() = default;
    ~Crecible() { std::free(datos_); }
    Crecible(Crecible&& otro) noexcept
        : datos_(std::exchange(otro.datos_, nullptr)), tamano_(std::exchange(otro.tamano_, 0)),
          capacidad_(std::exchange(otro.capacidad_, 0))
    {
    }
    Crecible& operator=(Crecible otro) noexcept
    {
        std::swap(datos_, otro.datos_);
        std::swap(tamano_, otro.tamano_);
        std::swap(capacidad_, otro.capacidad_);
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
        const std::size_t capacidad = std::max({tamano_ + n, 2 * capacidad_, 4096 / sizeof(T)});
        void* nuevos = std::realloc(datos_, capacidad * sizeof(T));
        if (nuevos == nullptr)
            throw std::bad_alloc();
        datos_ = static_cast<T*>(nuevos);
        capacidad_ = capacidad;
    }

    T* datos_ = nullptr;
    std::size_t tamano_ = 0;
    std::size_t capacidad_ = 0;
};

}  // namespace thn::documento
