// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Work cut into pieces, made on two threads and handed on in order on the
// calling one. Pieces 0, 2, 4... are made here, 1, 3, 5... on a second
// thread that runs at most two pieces ahead. Handing on, and all it touches
// (files, the report), stays on this thread, in piece order, as with one
// thread; so does the failure: the first in piece order is thrown, and
// nothing after it is handed on. Without a second thread (none asked for,
// or none can be started) every piece is made here.

#include <array>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace thn {

// `crear()` gives an empty piece; `hacer(i, pieza)` makes piece i in it,
// from scratch; `entregar(pieza)` hands it on.
template <class Crear, class Hacer, class Entregar>
void PorPiezas(std::size_t piezas, bool dos_hilos, Crear crear, Hacer hacer, Entregar entregar)
{
    using Pieza = decltype(crear());
    struct Relevo {
        std::mutex m;
        std::condition_variable cambio;
        std::array<std::optional<Pieza>, 2> hechas;  // the second thread's, alternately
        std::array<bool, 2> listas{};
        std::array<std::exception_ptr, 2> fallos;
        bool parar = false;
        std::thread hilo;

        // Whatever ends the hand-over, the second thread stops and is waited for.
        ~Relevo()
        {
            if (!hilo.joinable())
                return;
            {
                std::lock_guard l(m);
                parar = true;
            }
            cambio.notify_all();
            hilo.join();
        }

        void Trabajar(std::size_t piezas, Hacer& hacer)
        {
            for (std::size_t j = 0; 2 * j + 1 < piezas; ++j) {
                const std::size_t r = j % 2;
                {
                    std::unique_lock l(m);
                    cambio.wait(l, [&] { return parar || !listas[r]; });
                    if (parar)
                        return;
                }
                std::exception_ptr fallo;
                try {
                    hacer(2 * j + 1, *hechas[r]);
                } catch (...) {
                    fallo = std::current_exception();
                }
                {
                    std::lock_guard l(m);
                    listas[r] = true;
                    fallos[r] = fallo;
                }
                cambio.notify_all();
                if (fallo)
                    return;
            }
        }
    } relevo;

    if (dos_hilos && piezas > 1) {
        relevo.hechas[0].emplace(crear());
        relevo.hechas[1].emplace(crear());
        try {
            relevo.hilo = std::thread([&] { relevo.Trabajar(piezas, hacer); });
        } catch (const std::system_error&) {
            // made here, as without a thread to spare
        }
    }
    const bool relevada = relevo.hilo.joinable();
    Pieza propia = crear();
    for (std::size_t i = 0; i < piezas; ++i) {
        if (!relevada || i % 2 == 0) {
            hacer(i, propia);
            entregar(propia);
            continue;
        }
        const std::size_t r = (i / 2) % 2;
        {
            std::unique_lock l(relevo.m);
            relevo.cambio.wait(l, [&] { return relevo.listas[r]; });
        }
        if (relevo.fallos[r])
            std::rethrow_exception(relevo.fallos[r]);
        entregar(*relevo.hechas[r]);
        {
            std::lock_guard l(relevo.m);
            relevo.listas[r] = false;
        }
        relevo.cambio.notify_all();
    }
}

}  // namespace thn
