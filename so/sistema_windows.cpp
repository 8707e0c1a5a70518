// SPDX-License-Identifier: EUPL-1.2
#include "so/sistema.h"
#include "so/punto_de_fallo.h"

#include <cerrno>
#include <cstring>

#include <windows.h>

namespace thn::so {
namespace {

// Windows' error codes in the errno terms the callers word messages for.
int Errno(DWORD error)
{
    switch (error) {
    case ERROR_SUCCESS: return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_ACCESS_DENIED: return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EWOULDBLOCK;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return EINVAL;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    default: return EIO;
    }
}

int Resultado(BOOL ok) { return ok ? 0 : Errno(GetLastError()); }

HANDLE H(const Descriptor& d) { return reinterpret_cast<HANDLE>(d.fd()); }

// Offsets for the positional calls of a synchronous handle.
OVERLAPPED En(std::uint64_t desp)
{
    OVERLAPPED o{};
    o.Offset = static_cast<DWORD>(desp);
    o.OffsetHigh = static_cast<DWORD>(desp >> 32);
    return o;
}

// The whole file, whatever its size, as LockFileEx counts it.
constexpr DWORD kTodo = MAXDWORD;

int BloquearEntero(HANDLE h, bool exclusivo)
{
    OVERLAPPED o = En(0);
    const DWORD banderas = LOCKFILE_FAIL_IMMEDIATELY | (exclusivo ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (LockFileEx(h, banderas, 0, kTodo, kTodo, &o))
        return 0;
    const DWORD e = GetLastError();
    return e == ERROR_IO_PENDING ? EWOULDBLOCK : Errno(e);
}

// Others may read, write, rename and delete: as on Linux, opening never
// excludes anyone; locks do. Folders open too, so that the caller learns
// from Tamano that one is not a file.
HANDLE AbrirHandle(const std::filesystem::path& ruta, DWORD acceso, DWORD creacion, DWORD atributos)
{
    return CreateFileW(ruta.c_str(), acceso, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       creacion, atributos | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// An antivirus or an indexer may hold a file for an instant: a sharing
// violation is tried again for about two seconds before it counts.
int Mover(const std::filesystem::path& de, const std::filesystem::path& a)
{
    for (int intento = 0;; ++intento) {
        if (MoveFileExW(de.c_str(), a.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        const DWORD e = GetLastError();
        if (e != ERROR_SHARING_VIOLATION || intento == 40)
            return Errno(e);
        Sleep(50);
    }
}

int AbrirParaMirar(const std::filesystem::path& ruta, DWORD banderas, HANDLE& h)
{
    h = CreateFileW(ruta.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | banderas, nullptr);
    return h == INVALID_HANDLE_VALUE ? Resultado(false) : 0;
}

bool EsEnlace(const std::filesystem::path& ruta)
{
    const DWORD atributos = GetFileAttributesW(ruta.c_str());
    return atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace

Descriptor::~Descriptor()
{
    if (fd_ != -1)
        CloseHandle(reinterpret_cast<HANDLE>(fd_));
}

Descriptor& Descriptor::operator=(Descriptor&& o) noexcept
{
    if (this != &o) {
        if (fd_ != -1)
            CloseHandle(reinterpret_cast<HANDLE>(fd_));
        fd_ = o.fd_;
        escritura_ = o.escritura_;
        o.fd_ = -1;
    }
    return *this;
}

int Abrir(const std::filesystem::path& ruta, Apertura modo, Descriptor& d)
{
    DWORD acceso = GENERIC_READ, creacion = OPEN_EXISTING;
    switch (modo) {
    case Apertura::Lectura: break;
    case Apertura::LecturaEscritura: acceso = GENERIC_READ | GENERIC_WRITE; break;
    case Apertura::CrearNueva: acceso = GENERIC_WRITE; creacion = CREATE_NEW; break;
    }
    if (modo != Apertura::Lectura)
        THN_PUNTO_DE_FALLO("abrir");
    const HANDLE h = AbrirHandle(ruta, acceso, creacion, FILE_ATTRIBUTE_NORMAL);
    if (h == INVALID_HANDLE_VALUE)
        return Resultado(false);
    Descriptor nuevo;
    nuevo.fd_ = reinterpret_cast<std::intptr_t>(h);
    nuevo.escritura_ = modo != Apertura::Lectura;
    d = std::move(nuevo);
    return 0;
}

int Cerrar(Descriptor& d)
{
    if (d.fd_ == -1)
        return 0;
    const HANDLE h = reinterpret_cast<HANDLE>(d.fd_);
    d.fd_ = -1;
    const int inyectado = d.escritura_ ? THN_FALLO_INYECTADO("cerrar") : 0;
    const int r = Resultado(CloseHandle(h));
    return inyectado != 0 ? inyectado : r;
}

int Bloquear(const Descriptor& d, bool exclusivo)
{
    THN_PUNTO_DE_FALLO("bloquear");
    return BloquearEntero(H(d), exclusivo);
}

bool BloqueadoPorOtro(const std::filesystem::path& ruta)
{
    // Asking for delete access with every sharing allowed conflicts with any
    // program that keeps the file from being renamed; an open that lasts an
    // instant (an indexer, an antivirus) is waited out.
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int intento = 0; intento <= 20; ++intento) {
        h = CreateFileW(ruta.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION)
            break;
        Sleep(50);
    }
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    const bool bloqueado = BloquearEntero(h, true) == EWOULDBLOCK;
    CloseHandle(h);
    return bloqueado;
}

int Tamano(const Descriptor& d, std::uint64_t& tamano)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(H(d), &info))
        return Resultado(false);
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || GetFileType(H(d)) != FILE_TYPE_DISK)
        return ENODEV;
    tamano = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return 0;
}

int Version(const Descriptor& d, VersionFichero& v)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(H(d), &info))
        return Resultado(false);
    v.dispositivo = info.dwVolumeSerialNumber;
    v.fichero = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    v.tamano = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    v.escrito = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32)
                                          | info.ftLastWriteTime.dwLowDateTime);
    return 0;
}

int LeerEn(const Descriptor& d, char* destino, std::size_t n, std::uint64_t desp, std::size_t& leidos)
{
    OVERLAPPED o = En(desp);
    DWORD r = 0;
    const DWORD pedir = n > MAXDWORD ? MAXDWORD : static_cast<DWORD>(n);
    if (!ReadFile(H(d), destino, pedir, &r, &o) && GetLastError() != ERROR_HANDLE_EOF)
        return Resultado(false);
    leidos = r;
    return 0;
}

int EscribirEn(const Descriptor& d, const char* datos, std::size_t n, std::uint64_t desp)
{
    THN_PUNTO_DE_FALLO("escribir");
    while (n > 0) {
        OVERLAPPED o = En(desp);
        DWORD r = 0;
        const DWORD pedir = n > (1u << 30) ? (1u << 30) : static_cast<DWORD>(n);
        if (!WriteFile(H(d), datos, pedir, &r, &o))
            return Resultado(false);
        if (r == 0)
            return ENOSPC;
        datos += r;
        n -= r;
        desp += r;
    }
    return 0;
}

int Truncar(const Descriptor& d, std::uint64_t tamano)
{
    THN_PUNTO_DE_FALLO("truncar");
    FILE_END_OF_FILE_INFO fin{};
    fin.EndOfFile.QuadPart = static_cast<LONGLONG>(tamano);
    return Resultado(SetFileInformationByHandle(H(d), FileEndOfFileInfo, &fin, sizeof fin));
}

int Volcar(const Descriptor& d)
{
    THN_PUNTO_DE_FALLO("volcar");
    return Resultado(FlushFileBuffers(H(d)));
}

int Renombrar(const std::filesystem::path& de, const std::filesystem::path& a)
{
    THN_PUNTO_DE_FALLO("renombrar");
    return Mover(de, a);
}

int Borrar(const std::filesystem::path& ruta)
{
    THN_PUNTO_DE_FALLO("borrar");
    return Resultado(DeleteFileW(ruta.c_str()));
}

int CrearCarpeta(const std::filesystem::path& ruta)
{
    THN_PUNTO_DE_FALLO("crear carpeta");
    return Resultado(CreateDirectoryW(ruta.c_str(), nullptr));
}

int BorrarCarpeta(const std::filesystem::path& ruta)
{
    THN_PUNTO_DE_FALLO("borrar carpeta");
    return Resultado(RemoveDirectoryW(ruta.c_str()));
}

int VolcarCarpeta(const std::filesystem::path&)
{
    // Renames are written through (MOVEFILE_WRITE_THROUGH), and Windows
    // offers no flush of a folder's entries.
    THN_PUNTO_DE_FALLO("volcar carpeta");
    return 0;
}

void Carpeta::Cerrar()
{
    if (fd_ != -1)
        CloseHandle(reinterpret_cast<HANDLE>(fd_));
    fd_ = -1;
}

int AbrirCarpeta(const std::filesystem::path& ruta, bool seguir_enlace, Carpeta& c)
{
    // Without delete sharing nobody can rename the folder, or put a junction
    // at its name, while it is held.
    const DWORD compartir = FILE_SHARE_READ | FILE_SHARE_WRITE | (seguir_enlace ? FILE_SHARE_DELETE : 0);
    const HANDLE h = CreateFileW(ruta.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, compartir, nullptr,
                                 OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS | (seguir_enlace ? 0 : FILE_FLAG_OPEN_REPARSE_POINT),
                                 nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return Resultado(false);
    // Wine opens a Unix link's target whatever the flags and shows the link
    // only in the name's attributes; held, the name no longer changes.
    BY_HANDLE_FILE_INFORMATION info{};
    const bool carpeta = GetFileInformationByHandle(h, &info)
                         && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                         && (seguir_enlace
                             || ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && !EsEnlace(ruta)));
    if (!carpeta) {
        CloseHandle(h);
        return ENOTDIR;
    }
    Carpeta nueva;
    nueva.fd_ = reinterpret_cast<std::intptr_t>(h);
    nueva.ruta_ = ruta;
    c = std::move(nueva);
    return 0;
}

int AbrirEn(const Carpeta& c, const std::filesystem::path& nombre, Apertura modo, Descriptor& d)
{
    if (EsEnlace(c.ruta_ / nombre))
        return ELOOP;
    return Abrir(c.ruta_ / nombre, modo, d);
}

int BorrarEn(const Carpeta& c, const std::filesystem::path& nombre) { return Borrar(c.ruta_ / nombre); }

int BorrarCarpetaEn(const Carpeta& c, const std::filesystem::path& nombre)
{
    THN_PUNTO_DE_FALLO("borrar carpeta");
    if (EsEnlace(c.ruta_ / nombre))
        return ENOTDIR;
    return Resultado(RemoveDirectoryW((c.ruta_ / nombre).c_str()));
}

int CrearCarpetaEn(const Carpeta& c, const std::filesystem::path& nombre)
{
    return CrearCarpeta(c.ruta_ / nombre);
}

int AbrirCarpetaEn(const Carpeta& c, const std::filesystem::path& nombre, Carpeta& dentro)
{
    return AbrirCarpeta(c.ruta_ / nombre, false, dentro);
}

int RenombrarEn(const Carpeta& de, const std::filesystem::path& nombre_de, const Carpeta& a,
                const std::filesystem::path& nombre_a)
{
    return Renombrar(de.ruta_ / nombre_de, a.ruta_ / nombre_a);
}

int ExisteEn(const Carpeta& c, const std::filesystem::path& nombre, bool& existe)
{
    existe = GetFileAttributesW((c.ruta_ / nombre).c_str()) != INVALID_FILE_ATTRIBUTES;
    const DWORD e = existe ? ERROR_SUCCESS : GetLastError();
    return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? 0 : Errno(e);
}

int Listar(const Carpeta& c, std::vector<std::filesystem::path>& nombres)
{
    WIN32_FIND_DATAW datos{};
    const HANDLE h = FindFirstFileW((c.ruta_ / L"*").c_str(), &datos);
    if (h == INVALID_HANDLE_VALUE)
        return Resultado(false);
    nombres.clear();
    do {
        const std::wstring nombre = datos.cFileName;
        if (nombre != L"." && nombre != L"..")
            nombres.emplace_back(nombre);
    } while (FindNextFileW(h, &datos));
    const DWORD e = GetLastError();
    FindClose(h);
    return e == ERROR_NO_MORE_FILES ? 0 : Errno(e);
}

int VolcarCarpeta(const Carpeta&)
{
    THN_PUNTO_DE_FALLO("volcar carpeta");
    return 0;
}

bool MismoFichero(const std::filesystem::path& a, const std::filesystem::path& b)
{
    HANDLE ha = INVALID_HANDLE_VALUE, hb = INVALID_HANDLE_VALUE;
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    const bool mismo = AbrirParaMirar(a, FILE_FLAG_OPEN_REPARSE_POINT, ha) == 0
                       && AbrirParaMirar(b, FILE_FLAG_OPEN_REPARSE_POINT, hb) == 0
                       && GetFileInformationByHandle(ha, &ia) && GetFileInformationByHandle(hb, &ib)
                       && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber
                       && ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
    if (ha != INVALID_HANDLE_VALUE)
        CloseHandle(ha);
    if (hb != INVALID_HANDLE_VALUE)
        CloseHandle(hb);
    return mismo;
}

int BloqueoCarpeta::Tomar(const std::filesystem::path& carpeta)
{
    THN_PUNTO_DE_FALLO("bloquear carpeta");
    // A folder cannot be locked itself: a hidden file inside it carries the
    // lock. Opened unshared, a contender fails without ever holding a handle
    // (and so never marks the holder's file for deletion); it goes when the
    // holder's handle closes, also when the process dies.
    const std::filesystem::path ruta = carpeta / L".transhoralianorvica.bloqueo";
    const DWORD atributos = GetFileAttributesW(ruta.c_str());
    if (atributos != INVALID_FILE_ATTRIBUTES
        && (atributos & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
        estorbo_ = ruta;
        return EEXIST;
    }
    for (int intento = 0;; ++intento) {
        const HANDLE h = CreateFileW(ruta.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT,
                                     nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            Descriptor d;
            d.fd_ = reinterpret_cast<std::intptr_t>(h);
            d_ = std::move(d);
            return 0;
        }
        const DWORD e = GetLastError();
        if (e == ERROR_SHARING_VIOLATION)
            return EWOULDBLOCK;
        if (e != ERROR_ACCESS_DENIED)
            return Errno(e);
        // Denied: the last session's file, still being deleted, goes within
        // an instant; a folder or someone else's file at the name stays.
        if (intento == 20) {
            estorbo_ = ruta;
            return EEXIST;
        }
        Sleep(50);
    }
}

std::string Motivo(int error)
{
    // Windows' C library names only the classic error numbers.
    if (error == EWOULDBLOCK)
        return "Resource temporarily unavailable";
    return std::strerror(error);
}

}  // namespace thn::so
