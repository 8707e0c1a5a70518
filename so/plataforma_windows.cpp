// SPDX-License-Identifier: EUPL-1.2
#include "so/plataforma.h"

#include "so/formato_windows.h"

#include <cerrno>
#include <string>
#include <system_error>

#include <windows.h>

namespace thn::so {
namespace {

// A locale text of the user's, in UTF-8; empty when the system has none.
std::string DatoDelUsuario(LCTYPE dato)
{
    wchar_t ancho[128];
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, dato, ancho, static_cast<int>(std::size(ancho)));
    if (n <= 1)
        return {};
    char estrecho[512];
    const int m = WideCharToMultiByte(CP_UTF8, 0, ancho, n - 1, estrecho, sizeof estrecho, nullptr, nullptr);
    return std::string(estrecho, static_cast<std::size_t>(m > 0 ? m : 0));
}

}  // namespace

std::filesystem::path DirectorioHoralia() { return std::filesystem::path(L"C:\\HTEMP"); }

std::tm HoraLocal(std::time_t t)
{
    std::tm local{};
    localtime_s(&local, &t);
    return local;
}

FormatosFechaHora FormatosDelUsuario()
{
    return {StrftimeDesdeWindows(DatoDelUsuario(LOCALE_SSHORTDATE)),
            StrftimeDesdeWindows(DatoDelUsuario(LOCALE_STIMEFORMAT))};
}

std::FILE* AbrirFlujo(const std::filesystem::path& ruta, const char* modo)
{
    const std::wstring modo_ancho(modo, modo + std::char_traits<char>::length(modo));
    std::FILE* f = _wfopen(ruta.c_str(), modo_ancho.c_str());
    std::error_code ec;
    if (f == nullptr && errno == EACCES && std::filesystem::is_directory(ruta, ec))
        errno = EISDIR;  // the reason Linux gives, rather than a denied access
    return f;
}

void PrepararConsola()
{
    SetConsoleOutputCP(CP_UTF8);
}

}  // namespace thn::so
