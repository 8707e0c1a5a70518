// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Stand-ins for the user, the drawn window and the help system: they answer
// as a test tells them and remember what the window's flow asked.

#include "base/error.h"
#include "ventana/controlador.h"
#include "ventana/interaccion.h"
#include "ventana/sistema_ayuda.h"

#include <deque>
#include <string>
#include <vector>

namespace thn::prueba {

struct Suceso {
    std::string tipo;      // "mensaje", "informe", "error"
    std::string texto;
    std::string informativo;
    std::string informe;
    std::filesystem::path guardar_como;
    bool cursor_ocupado;   // the busy cursor was still set when it appeared

    bool operator==(const Suceso&) const = default;
};

class InteraccionFalsa : public ventana::Interaccion {
public:
    const bool* cursor_ocupado = nullptr;  // the window's, when a test gives it
    // Answers of the next dialogs, in order; nullopt or none left cancels.
    std::deque<std::optional<std::filesystem::path>> respuestas;
    std::vector<ventana::DialogoArchivo> dialogos;
    std::vector<Suceso> sucesos;

    std::optional<std::filesystem::path> AbrirArchivo(const ventana::DialogoArchivo& d) override
    {
        dialogos.push_back(d);
        if (respuestas.empty())
            return std::nullopt;
        auto r = respuestas.front();
        respuestas.pop_front();
        return r;
    }
    void Mensaje(const std::string& t, const std::string& i) override { Anotar("mensaje", t, i); }
    void MensajeConInforme(const std::string& t, const std::string& i, const std::string& informe,
                           const std::filesystem::path& guardar_como) override
    {
        Anotar("informe", t, i);
        sucesos.back().informe = informe;
        sucesos.back().guardar_como = guardar_como;
    }
    void CajaError(const std::string& t, const std::string& i) override { Anotar("error", t, i); }

    // "tipo: texto", and " / informativo" when there is one; the folder of
    // a kept set, named after the moment, as "anteriores/{fecha}".
    std::vector<std::string> Textos() const
    {
        std::vector<std::string> t;
        for (const auto& s : sucesos) {
            std::string texto = s.tipo + ": " + s.texto + (s.informativo.empty() ? "" : " / " + s.informativo);
            const std::size_t fecha = texto.find("anteriores/"), fin = texto.find('\'', fecha);
            if (fecha != std::string::npos && fin != std::string::npos)
                texto.replace(fecha + 11, fin - fecha - 11, "{fecha}");
            t.push_back(texto);
        }
        return t;
    }

private:
    void Anotar(const char* tipo, const std::string& t, const std::string& i)
    {
        sucesos.push_back({tipo, t, i, {}, {}, cursor_ocupado && *cursor_ocupado});
    }
};

// The window as a front end draws it, closing as the front ends do: only
// when the flow lets it.
class VistaFalsa : public ventana::Vista {
public:
    ventana::Controlador* flujo = nullptr;
    std::vector<std::int32_t> anfitriones;  // what the window was embedded in
    lanzador::Desplazamiento origen{-1, -1};
    ventana::Panel panel = ventana::Panel::Ambos;
    bool abierta = true;
    bool ocupado = false;
    bool falla = false;  // embedding fails

    void Incrustar(std::int32_t anfitrion, lanzador::Desplazamiento o) override
    {
        if (falla)
            throw Error("No se puede incrustar la ventana en la ventana 1F de Horalia");
        anfitriones.push_back(anfitrion);
        origen = o;
    }
    void MostrarSoloPanel(ventana::Panel p) override { panel = p; }
    void Cerrar() override
    {
        if (abierta && flujo->FormClose())
            abierta = false;
    }
    void Ocupado(bool o) override { ocupado = o; }
};

class AyudaFalsa : public ayuda::SistemaAyuda {
public:
    std::vector<std::string> llamadas;
    bool muestra = true;  // what every request answers

    void PonerFicheroAyuda(const std::string& f) override
    {
        fichero_ = f;
        llamadas.push_back("fichero " + f);
    }
    std::string FicheroAyuda() const override { return fichero_; }
    bool AyudaContexto(std::int32_t c) override
    {
        llamadas.push_back("contexto " + std::to_string(c));
        return muestra;
    }
    bool ComandoAyuda(int c, std::intptr_t d) override
    {
        llamadas.push_back("comando " + std::to_string(c) + " " + std::to_string(d));
        return muestra;
    }

private:
    std::string fichero_;
};

}  // namespace thn::prueba
