// SPDX-License-Identifier: EUPL-1.2
#include "cli/salida.h"

#include "cli/json.h"
#include "exportar/restauracion.h"

namespace thn::cli {
namespace {

std::string JsonRuta(const std::filesystem::path& ruta)
{
    if (ruta.empty())
        return "null";
    std::error_code ec;
    const auto absoluta = std::filesystem::absolute(ruta, ec);
    return JsonTexto((ec ? ruta : absoluta).string());
}

std::string JsonOpcional(const std::string& texto)
{
    return texto.empty() ? "null" : JsonTexto(texto);
}

}  // namespace

void Salida::PonerAccion(const std::string& orden, const std::filesystem::path& documento)
{
    orden_ = orden;
    documento_ = documento;
}

void Salida::PonerDirectorio(const std::filesystem::path& directorio)
{
    directorio_ = directorio;
}

std::string Salida::Cabecera(int estado, const std::string& mensaje) const
{
    return "{\"formato\":1,\"programa\":\"transhoralianorvica-cli\",\"version\":" + JsonTexto(THN_VERSION)
         + ",\"estado\":" + std::to_string(estado) + ",\"mensaje\":" + JsonTexto(mensaje)
         + ",\"orden\":" + JsonOpcional(orden_) + ",\"documento\":" + JsonRuta(documento_)
         + ",\"directorio_trabajo\":" + JsonRuta(directorio_);
}

int Salida::ErrorUso(const std::string& problema)
{
    if (json_)
        salida_ << Cabecera(kUsoIncorrecto, problema) << ",\"detalle\":null}\n";
    else
        errores_ << "transhoralianorvica-cli: " << problema << " (vea transhoralianorvica-cli --help)\n";
    return kUsoIncorrecto;
}

int Salida::Error(int estado, const std::string& mensaje, const std::string& detalle)
{
    if (json_) {
        salida_ << Cabecera(estado, mensaje) << ",\"detalle\":" << JsonOpcional(detalle) << "}\n";
    } else {
        errores_ << mensaje << "\n";
        if (!detalle.empty())
            errores_ << detalle << "\n";
    }
    return estado;
}

int Salida::Finalizado(const ResultadoAccion& r, bool estricto)
{
    const int estado = estricto && r.informe.HayDatosOmitidos() ? kDatosOmitidos : kCompletado;
    if (json_) {
        salida_ << Cabecera(estado, "Proceso finalizado") << ",\"documento_resultado\":" << JsonRuta(r.resultado)
                << "," << JsonInforme(r.informe) << ",\"anteriores\":" << JsonRuta(r.anteriores)
                << ",\"aviso_anteriores\":" << JsonOpcional(r.aviso_anteriores) << "}\n";
    } else {
        salida_ << "Proceso finalizado\n";
        if (!r.resultado.empty())
            salida_ << "Resultado guardado en '" << r.resultado.string() << "'.\n";
        salida_ << TextoInforme(r.informe);
        if (const std::string anteriores = TextoAnteriores(r); !anteriores.empty())
            salida_ << anteriores << "\n";
    }
    return estado;
}

int Salida::Anteriores(const std::vector<ConjuntoGuardado>& conjuntos)
{
    const std::string resumen = conjuntos.empty() ? "No hay exportaciones anteriores guardadas"
                                                  : "Exportaciones anteriores guardadas: "
                                                        + std::to_string(conjuntos.size());
    if (json_) {
        salida_ << Cabecera(kCompletado, resumen) << ",\"conjuntos\":" << JsonConjuntos(conjuntos) << "}\n";
        return kCompletado;
    }
    salida_ << resumen << (conjuntos.empty() ? "\n" : ", la más reciente primero:\n");
    for (const ConjuntoGuardado& c : conjuntos) {
        salida_ << "  " << c.nombre << ": las tablas que sustituyó "
                << (c.accion == "restaurar" ? "la restauración de " + c.documento
                                            : "la exportación de '" + c.documento + "'")
                << "\n    ";
        const std::vector<Recuento> recuentos = RecuentosConjunto(c);
        for (std::size_t i = 0; i < recuentos.size(); ++i)
            salida_ << (i ? ", " : "") << recuentos[i].tabla << ": " << recuentos[i].registros;
        salida_ << "\n    en '" << c.carpeta.string() << "'\n";
    }
    if (!conjuntos.empty())
        salida_ << "Para volver a poner la más reciente: transhoralianorvica-cli restaurar; otra: "
                   "transhoralianorvica-cli restaurar FECHA\n";
    return kCompletado;
}

int Salida::Comprobado(const Comprobacion& c)
{
    const int estado = c.Falla() ? kError : c.HayQueSenalar() ? kDatosOmitidos : kCompletado;
    const bool solucion = c.accion == Comprobacion::Accion::Importacion;
    const std::string resumen = ResumenComprobacion(c);
    if (json_) {
        salida_ << Cabecera(estado, resumen) << ",\"comprobacion\":" << (solucion ? "\"solucion\"" : "\"documento\"")
                << ",\"documento_resultado\":null," << JsonComprobacion(c) << "}\n";
    } else {
        salida_ << resumen << "\n" << TextoComprobacion(c);
    }
    return estado;
}

}  // namespace thn::cli
