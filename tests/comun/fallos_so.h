// SPDX-License-Identifier: EUPL-1.2
#pragma once
// For test programs linked with the failing build of the operating-system
// layer: which call misbehaves, and how.

namespace thn::so::pruebas {

struct Inyeccion {
    enum Efecto { Fallar, Morir, Esperar };
    int fallar = 0;               // the call, counted from 1, that misbehaves; 0 for none
    int tambien = 0;              // a later call that fails too (EIO); 0 for none
    bool en_adelante = false;     // every call after `fallar` fails too, as if the process had died there
    const char* solo = "";        // count only calls of this name ("" for all)
    Efecto efecto = Fallar;       // Fallar: EIO; Morir: the process ends at once (77)
    int aviso = -1, espera = -1;  // Esperar: writes a byte to `aviso`, reads one from `espera`
    int cuenta = 0;               // calls counted so far
};

extern Inyeccion inyeccion;

}  // namespace thn::so::pruebas
