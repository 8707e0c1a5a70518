// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Owners of the Windows resources the window holds: each is released once,
// when its owner goes.

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace thn::win32 {

// A handle released by `Liberar` unless it is null.
template <typename H, auto Liberar>
class Propio {
public:
    Propio() = default;
    explicit Propio(H h) : h_(h) {}
    ~Propio() { Soltar(); }
    Propio(Propio&& otro) noexcept : h_(std::exchange(otro.h_, H{})) {}
    Propio& operator=(Propio&& otro) noexcept
    {
        if (this != &otro) {
            Soltar();
            h_ = std::exchange(otro.h_, H{});
        }
        return *this;
    }
    Propio(const Propio&) = delete;
    Propio& operator=(const Propio&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != H{}; }
    void reset(H h = H{})
    {
        Soltar();
        h_ = h;
    }

private:
    void Soltar()
    {
        if (h_ != H{})
            Liberar(std::exchange(h_, H{}));
    }
    H h_{};
};

inline void BorrarFuente(HFONT fuente) { DeleteObject(fuente); }
inline void CerrarManejador(HANDLE h) { CloseHandle(h); }
inline void DestruirVentana(HWND v) { DestroyWindow(v); }

using Fuente = Propio<HFONT, BorrarFuente>;
using Manejador = Propio<HANDLE, CerrarManejador>;
using Ventana = Propio<HWND, DestruirVentana>;

// A COM interface pointer, released once.
template <typename T>
class Com {
public:
    Com() = default;
    ~Com() { reset(); }
    Com(Com&& otro) noexcept : p_(std::exchange(otro.p_, nullptr)) {}
    Com& operator=(Com&& otro) noexcept
    {
        if (this != &otro) {
            reset();
            p_ = std::exchange(otro.p_, nullptr);
        }
        return *this;
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;

    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For the calls that hand back a new reference.
    T** Recibir()
    {
        reset();
        return &p_;
    }
    void reset()
    {
        if (p_)
            std::exchange(p_, nullptr)->Release();
    }

private:
    T* p_ = nullptr;
};

// COM for this thread while the object lives (the file dialogs need it).
class InicioCom {
public:
    InicioCom() : iniciado_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~InicioCom()
    {
        if (iniciado_)
            CoUninitialize();
    }
    InicioCom(const InicioCom&) = delete;
    InicioCom& operator=(const InicioCom&) = delete;

private:
    bool iniciado_;
};

}  // namespace thn::win32
