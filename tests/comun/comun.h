// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Helpers shared by every test program.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace thn::prueba {

// A fresh directory under the system's temporary directory, removed with its
// contents when the object goes away.
class DirectorioTemporal {
public:
    DirectorioTemporal();
    ~DirectorioTemporal();
    DirectorioTemporal(const DirectorioTemporal&) = delete;
    DirectorioTemporal& operator=(const DirectorioTemporal&) = delete;
    const std::filesystem::path& Ruta() const { return ruta_; }
    std::filesystem::path operator/(const std::string& nombre) const { return ruta_ / nombre; }

private:
    std::filesystem::path ruta_;
};

// Every file and folder under a directory, by relative path ("dir/" for
// folders, "/" between names on every system), with the files' bytes; a
// link is its target ("-> target"), never followed.
using Foto = std::map<std::string, std::string>;
Foto Fotografiar(const std::filesystem::path& raiz);
// Makes the directory hold exactly what the photograph shows.
void Restaurar(const std::filesystem::path& raiz, const Foto& foto);
// " NAME (cambiado)", " NAME (falta)", " NAME (sobra)"...; empty when equal.
std::string Diferencias(const Foto& antes, const Foto& ahora);

void EscribirFichero(const std::filesystem::path& ruta, std::string_view contenido);
std::string LeerFichero(const std::filesystem::path& ruta);
// ASCII text as UTF-16LE with its byte-order mark.
std::string Utf16le(std::string_view ascii);

// Sets or removes an environment variable of this process.
void PonerVariable(const char* nombre, const std::string& valor);
void QuitarVariable(const char* nombre);

// Folder of the fixtures kept in the repository (tests/data).
std::filesystem::path DatosPrueba();
// The build tree's top folder (helper programs built for the tests live there).
std::filesystem::path DirectorioBinario();

}  // namespace thn::prueba
