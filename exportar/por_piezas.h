// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Work cut into pieces, made on two threads and handed on in order on the
// calling one. A second thread makes pieces one after another, at most a few
// ahead of the hand-over; this thread hands each on when it is ready, and
// makes the next piece itself while it would otherwise wait. Handing on, and
// all it touches (files, the report), stays on this thread, in piece order,
// as with one thread; so does the failure: the first in piece order is
// thrown, and nothing after it is handed on. Without a second thread (none
// asked for, or none can be started) every piece is made here.

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
    static constexpr std::size_t kRanuras = 4;  // pieces made and not yet handed on, at most
    struct Relevo {
        std::mutex m;
        std::condition_variable cambio;
        std::array<std::optional<Pieza>, kRanuras> ranuras;  // piece i in ranuras[i % kRanuras]
        std::array<bool, kRanuras> hechas{};
        std::array<std::exception_ptr, kRanuras> fallos;
        std::size_t siguiente = 0;   // the next piece to make
        std::size_t entregadas = 0;  // pieces handed on
        std::size_t piezas = 0;
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

        // With the lock held: a piece may be taken when its slot is free.
        bool HayQueHacer() const { return siguiente < piezas && siguiente < entregadas + kRanuras; }

        // Makes piece `i`, taken with the lock, which it releases meanwhile;
        // its failure is kept for the hand-over to throw in its turn.
        void HacerPieza(std::unique_lock<std::mutex>& l, std::size_t i, Hacer& hacer)
        {
            l.unlock();
            std::exception_ptr fallo;
            try {
                hacer(i, *ranuras[i % kRanuras]);
            } catch (...) {
                fallo = std::current_exception();
            }
            l.lock();
            hechas[i % kRanuras] = true;
            fallos[i % kRanuras] = fallo;
            cambio.notify_all();
        }

        void Trabajar(Hacer& hacer)
        {
            std::unique_lock l(m);
            for (;;) {
                cambio.wait(l, [&] { return parar || siguiente >= piezas || HayQueHacer(); });
                if (parar || siguiente >= piezas)
                    return;
                HacerPieza(l, siguiente++, hacer);
            }
        }
    } relevo;

    relevo.piezas = piezas;
    for (auto& r : relevo.ranuras)
        r.emplace(crear());
    if (dos_hilos && piezas > 1) {
        try {
            relevo.hilo = std::thread([&] { relevo.Trabajar(hacer); });
        } catch (const std::system_error&) {
            // made here, as without a thread to spare
        }
    }
    std::unique_lock l(relevo.m);
    while (relevo.entregadas < piezas) {
        const std::size_t r = relevo.entregadas % kRanuras;
        if (relevo.hechas[r]) {
            if (relevo.fallos[r])
                std::rethrow_exception(relevo.fallos[r]);
            l.unlock();
            entregar(*relevo.ranuras[r]);
            l.lock();
            relevo.hechas[r] = false;
            ++relevo.entregadas;
            relevo.cambio.notify_all();
        } else if (relevo.HayQueHacer()) {
            relevo.HacerPieza(l, relevo.siguiente++, hacer);
        } else {
            relevo.cambio.wait(l, [&] { return relevo.hechas[r] || relevo.HayQueHacer(); });
        }
    }
}

}  // namespace thn
