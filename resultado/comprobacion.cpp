// SPDX-License-Identifier: EUPL-1.2
#include "resultado/comprobacion.h"

#include <cstdlib>

namespace thn {
namespace {

std::string Cuenta(std::size_t n, const char* uno, const char* varios)
{
    return std::to_string(n) + " " + (n == 1 ? uno : varios);
}

bool Exportacion(const Comprobacion& c)
{
    return c.accion == Comprobacion::Accion::Exportacion;
}

std::string NombreAccion(const Comprobacion& c)
{
    return Exportacion(c) ? "exportación" : "importación";
}

}  // namespace

std::size_t LineaDelMensaje(const std::string& mensaje)
{
    const std::string marca = "línea ";
    const std::size_t i = mensaje.find(marca);
    return i == std::string::npos ? 0 : std::strtoul(mensaje.c_str() + i + marca.size(), nullptr, 10);
}

namespace {

std::string Resumen(const Comprobacion& c);

}  // namespace

std::string ResumenComprobacion(const Comprobacion& c)
{
    const std::string resumen = Resumen(c);
    if (!c.exportacion_a_medias)
        return resumen;
    return "Una exportación quedó a medias y la importación la terminará antes de leer las tablas. " + resumen;
}

namespace {

std::string Resumen(const Comprobacion& c)
{
    const std::string accion = NombreAccion(c);
    if (c.Falla())
        return "La " + accion + " se detendría: " + Cuenta(c.problemas.size(), "problema", "problemas");
    if (!c.HayQueSenalar())
        return "Nada que señalar: la " + accion + " se completaría sin dejar fuera ni cambiar ningún dato";
    std::string partes;
    const auto anadir = [&](const std::string& parte) { partes += (partes.empty() ? "" : ", ") + parte; };
    if (!c.informe.omisiones.empty())
        anadir(Cuenta(c.informe.omisiones.size(), "dato fuera", "datos fuera"));
    if (!c.informe.avisos.empty())
        anadir(Cuenta(c.informe.avisos.size(), "búsqueda sin resultado", "búsquedas sin resultado"));
    // The import changes nothing: what it lists there are warnings about its tables.
    if (!c.cambios.empty())
        anadir(Exportacion(c) ? Cuenta(c.cambios.size(), "cambio", "cambios")
                                        : Cuenta(c.cambios.size(), "aviso", "avisos"));
    return "La " + accion + " se completaría con " + partes;
}

}  // namespace

std::string TextoComprobacion(const Comprobacion& c)
{
    const std::string accion = NombreAccion(c);
    std::string r;
    if (!c.problemas.empty()) {
        r += "Problemas que detendrían la " + accion + " (" + std::to_string(c.problemas.size()) + "):\n";
        for (const Problema& p : c.problemas)
            r += "  " + (p.linea ? "línea " + std::to_string(p.linea) + ", " : std::string()) + p.donde + ": "
               + p.motivo + "\n";
    }
    r += TextoOmisiones("Datos que se dejarían fuera", c.informe.omisiones);
    r += TextoOmisiones("Búsquedas sin resultado", c.informe.avisos);
    // The export changes values; the import only warns about the tables it reads.
    r += TextoOmisiones(Exportacion(c) ? "Datos que se guardarían cambiados" : "Avisos sobre las tablas",
                        c.cambios);
    if (!c.informe.recuentos.empty()) {
        r += "Registros que se escribirían:\n";
        for (const auto& n : c.informe.recuentos)
            r += "  " + n.tabla + ": " + Cuenta(n.registros, "registro", "registros") + "\n";
    }
    return r;
}

}  // namespace thn
