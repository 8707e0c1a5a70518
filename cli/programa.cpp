// SPDX-License-Identifier: EUPL-1.2
#include "cli/programa.h"

#include "exportar/exportacion.h"
#include "formats/directorio_trabajo.h"
#include "formats/error.h"
#include "formats/numeros.h"
#include "importar/importacion.h"

#include <clocale>
#include <optional>
#include <string>
#include <vector>

namespace thn::cli {
namespace {

constexpr const char* kUso =
    "Uso: transhoralianorvica-cli ORDEN CENTRO.xml [opciones]\n"
    "\n"
    "Órdenes:\n"
    "  exportar CENTRO.xml   Transformar datos desde NORVICA hacia Horalia\n"
    "  importar CENTRO.xml   Transformar datos desde Horalia hacia NORVICA\n"
    "\n"
    "Opciones:\n"
    "  --htemp DIR              directorio de trabajo de Horalia (por omisión\n"
    "                           $TRANSHORALIA_HTEMP o $WINEPREFIX/drive_c/HTEMP)\n"
    "  --separador-decimal C    separador decimal de las horas (por omisión, el\n"
    "                           de la configuración regional)\n"
    "  --json                   informe en JSON\n"
    "  --help, --version\n"
    "\n"
    "Estado de salida: 0 completado, 1 error, 2 uso incorrecto, 3 falta un archivo.\n";

struct Opciones {
    std::string orden;
    std::filesystem::path documento;
    std::optional<std::filesystem::path> htemp;
    std::optional<char> separador;
    bool json = false;
};

// Parses the arguments; on a usage error fills `error`.
std::optional<Opciones> Analizar(const std::vector<std::string>& args, std::string& error)
{
    Opciones o;
    std::vector<std::string> posicionales;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto valor = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                error = "falta el valor de " + a;
                return std::nullopt;
            }
            return args[++i];
        };
        if (a == "--htemp") {
            auto v = valor();
            if (!v)
                return std::nullopt;
            o.htemp = *v;
        } else if (a == "--separador-decimal") {
            auto v = valor();
            if (!v)
                return std::nullopt;
            if (v->size() != 1) {
                error = "el separador decimal debe ser un solo carácter";
                return std::nullopt;
            }
            o.separador = (*v)[0];
        } else if (a == "--json") {
            o.json = true;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "opción desconocida: " + a;
            return std::nullopt;
        } else {
            posicionales.push_back(a);
        }
    }
    if (posicionales.size() != 2 || (posicionales[0] != "exportar" && posicionales[0] != "importar")) {
        error = posicionales.empty() ? "falta la orden" : "se esperaba: exportar|importar CENTRO.xml";
        return std::nullopt;
    }
    o.orden = posicionales[0];
    o.documento = posicionales[1];
    return o;
}

}  // namespace

int Ejecutar(int argc, char** argv, std::ostream& salida, std::ostream& errores)
{
    std::setlocale(LC_ALL, "");
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    for (const auto& a : args) {
        if (a == "--help" || a == "-h") {
            salida << kUso;
            return 0;
        }
        if (a == "--version") {
            salida << "transhoralianorvica-cli " << THN_VERSION << "\n";
            return 0;
        }
    }
    std::string error_uso;
    const auto opciones = Analizar(args, error_uso);
    if (!opciones) {
        errores << "transhoralianorvica-cli: " << error_uso << "\n\n" << kUso;
        return 2;
    }

    try {
        const auto directorio = DirectorioTrabajo(opciones->htemp);
        const char separador = opciones->separador.value_or(SeparadorDecimalDelUsuario());
        ComponentesTabla componentes;
        ResultadoAccion resultado;
        if (opciones->orden == "exportar") {
            RegistrosCodigos registros;
            resultado = Exportar(opciones->documento, directorio, registros, componentes, separador);
            if (resultado.desenlace == Desenlace::FaltaEntrada) {
                errores << "No existe archivo\n";
                return 3;
            }
        } else {
            resultado = Importar(opciones->documento, directorio, componentes, separador, RelojDelSistema());
            if (resultado.desenlace == Desenlace::FaltaEntrada) {
                errores << "No existe archivo XML o Solución.\n";
                return 3;
            }
        }
        if (opciones->json) {
            salida << "{\"resultado\":\"Proceso finalizado\",\"informe\":" << JsonInforme(resultado.informe) << "}\n";
        } else {
            salida << "Proceso finalizado\n" << TextoInforme(resultado.informe);
        }
        return 0;
    } catch (const Error& e) {
        errores << TextoCajaError(e.what()) << "\n";
    } catch (const std::exception& e) {
        errores << TextoCajaError(e.what()) << "\n";
    }
    return 1;
}

}  // namespace thn::cli
