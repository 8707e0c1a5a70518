// SPDX-License-Identifier: EUPL-1.2
#include "win32/dialogo_archivo.h"

#include "base/error.h"
#include "win32/recursos.h"
#include "win32/texto.h"

#include <shobjidl.h>

#include <cstdio>

namespace thn::win32 {
namespace {

void Comprobar(HRESULT hr)
{
    if (SUCCEEDED(hr))
        return;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(hr));
    throw Error("No se puede abrir el diálogo de archivo", Formatear("Error de Windows %s", {hex}));
}

// The folder and name of the file it opens on: the folder only when it exists.
void PonerInicial(IFileDialog& dialogo, const std::filesystem::path& inicial)
{
    if (inicial.empty())
        return;
    std::error_code ec;
    const auto carpeta = inicial.has_parent_path() ? std::filesystem::absolute(inicial, ec).parent_path()
                                                   : std::filesystem::path();
    Com<IShellItem> item;
    if (!carpeta.empty() && std::filesystem::is_directory(carpeta, ec)
        && SUCCEEDED(SHCreateItemFromParsingName(carpeta.wstring().c_str(), nullptr, IID_PPV_ARGS(item.Recibir()))))
        dialogo.SetFolder(item.get());
    dialogo.SetFileName(inicial.filename().wstring().c_str());
}

}  // namespace

std::optional<std::filesystem::path> PedirArchivo(HWND propietario, const PeticionArchivo& p)
{
    Com<IFileDialog> dialogo;
    Comprobar(p.guardar ? CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_PPV_ARGS(reinterpret_cast<IFileSaveDialog**>(dialogo.Recibir())))
                        : CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_PPV_ARGS(reinterpret_cast<IFileOpenDialog**>(dialogo.Recibir()))));
    const std::wstring titulo = Ancho(p.titulo), nombre = Ancho(p.nombre_filtro), filtro = Ancho(p.filtro),
                       extension = Ancho(p.extension);
    const COMDLG_FILTERSPEC tipos{nombre.c_str(), filtro.c_str()};
    Comprobar(dialogo->SetTitle(titulo.c_str()));
    Comprobar(dialogo->SetFileTypes(1, &tipos));
    Comprobar(dialogo->SetDefaultExtension(extension.c_str()));
    FILEOPENDIALOGOPTIONS opciones = 0;
    Comprobar(dialogo->GetOptions(&opciones));
    // A typed name that does not exist is accepted: the action reports it.
    opciones = (opciones | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR) & ~FOS_FILEMUSTEXIST;
    Comprobar(dialogo->SetOptions(opciones));
    PonerInicial(*dialogo.get(), p.inicial);

    const HRESULT hr = dialogo->Show(propietario);
    if (hr == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return std::nullopt;
    Comprobar(hr);
    Com<IShellItem> resultado;
    Comprobar(dialogo->GetResult(resultado.Recibir()));
    PWSTR ruta = nullptr;
    Comprobar(resultado->GetDisplayName(SIGDN_FILESYSPATH, &ruta));
    std::filesystem::path elegido(ruta);
    CoTaskMemFree(ruta);
    return elegido;
}

}  // namespace thn::win32
