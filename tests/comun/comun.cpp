// SPDX-License-Identifier: EUPL-1.2
#include "comun/comun.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace thn::prueba {

DirectorioTemporal::DirectorioTemporal()
{
    std::random_device azar;
    const auto base = std::filesystem::temp_directory_path();
    for (int intento = 0; intento < 100; ++intento) {
        auto candidato = base / ("thn-prueba-" + std::to_string(azar()));
        if (std::filesystem::create_directory(candidato)) {
            ruta_ = candidato;
            return;
        }
    }
    throw std::runtime_error("no se pudo crear un directorio temporal");
}

DirectorioTemporal::~DirectorioTemporal()
{
    std::error_code ec;
    // Give back write permission first: some tests make folders read-only.
    for (auto it = std::filesystem::recursive_directory_iterator(ruta_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(ruta_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(ruta_, ec);
}

void EscribirFichero(const std::filesystem::path& ruta, std::string_view contenido)
{
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    if (!f)
        throw std::runtime_error("no se pudo escribir " + ruta.string());
    f.write(contenido.data(), static_cast<std::streamsize>(contenido.size()));
}

std::string LeerFichero(const std::filesystem::path& ruta)
{
    std::ifstream f(ruta, std::ios::binary);
    if (!f)
        throw std::runtime_error("no se pudo leer " + ruta.string());
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::string Utf16le(std::string_view ascii)
{
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

void PonerVariable(const char* nombre, const std::string& valor)
{
#ifdef _WIN32
    _putenv_s(nombre, valor.c_str());
#else
    ::setenv(nombre, valor.c_str(), 1);
#endif
}

void QuitarVariable(const char* nombre)
{
#ifdef _WIN32
    _putenv_s(nombre, "");  // an empty value removes it
#else
    ::unsetenv(nombre);
#endif
}

std::filesystem::path DatosPrueba() { return THN_DATOS_PRUEBA; }
std::filesystem::path DirectorioBinario() { return THN_DIR_BINARIO; }

Foto Fotografiar(const std::filesystem::path& raiz)
{
    Foto f;
    for (const auto& e : std::filesystem::recursive_directory_iterator(raiz)) {
        const std::string nombre = std::filesystem::relative(e.path(), raiz).generic_string();
        if (e.is_symlink())
            f[nombre] = "-> " + std::filesystem::read_symlink(e.path()).string();
        else if (e.is_directory())
            f[nombre + "/"] = "";
        else
            f[nombre] = LeerFichero(e.path());
    }
    return f;
}

void Restaurar(const std::filesystem::path& raiz, const Foto& foto)
{
    for (const auto& e : std::filesystem::directory_iterator(raiz))
        std::filesystem::remove_all(e.path());
    for (const auto& [nombre, contenido] : foto) {
        if (nombre.back() == '/')
            std::filesystem::create_directories(raiz / nombre);
        else
            EscribirFichero(raiz / nombre, contenido);
    }
}

std::string Diferencias(const Foto& a, const Foto& b)
{
    std::string d;
    for (const auto& [nombre, contenido] : a)
        if (!b.count(nombre) || b.at(nombre) != contenido)
            d += " " + nombre + (b.count(nombre) ? " (cambiado)" : " (falta)");
    for (const auto& [nombre, contenido] : b)
        if (!a.count(nombre))
            d += " " + nombre + " (sobra)";
    return d;
}

}  // namespace thn::prueba
