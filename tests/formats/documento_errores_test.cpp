// Documents refused on loading, and hostile documents kept harmless.

#include "comun/comun.h"
#include "formats/documento_centro.h"
#include "formats/error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace thn {
namespace {

using prueba::DirectorioTemporal;

// The error of loading `contenido`, or "" when it loads.
std::string ErrorAlCargar(const std::filesystem::path& ruta, std::string_view contenido)
{
    prueba::EscribirFichero(ruta, contenido);
    try {
        DocumentoCentro::Cargar(ruta);
        return "";
    } catch (const Error& e) {
        return e.what();
    }
}

std::string NoValido(const std::filesystem::path& ruta)
{
    return "El archivo '" + ruta.string() + "' no es un documento XML válido (línea ";
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

TEST(DocumentoErrores, CadaTruncamientoSeRechaza)
{
    const std::vector<std::string> completos = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- NORVICA -->\n"
        "<!DOCTYPE centro [<!ENTITY e \"&#233;\">]>\n"
        "<centro nombre=\"IES &amp; Matem\xC3\xA1ticas &e;\"><aulas><daula idaula=\"1\"/><![CDATA[x]]>"
        "<?pi datos?></aulas></centro>",
        Utf16le("<?xml version=\"1.0\" encoding=\"UTF-16\"?><centro a=\"\xE1\"><aulas/></centro>"),
    };
    DirectorioTemporal dir;
    const auto ruta = dir / "truncado.xml";
    for (const std::string& completo : completos) {
        for (std::size_t n = 0; n < completo.size(); ++n) {
            const std::string error = ErrorAlCargar(ruta, completo.substr(0, n));
            EXPECT_EQ(error.rfind(NoValido(ruta), 0), 0u) << "longitud " << n << ": " << error;
        }
        EXPECT_EQ(ErrorAlCargar(ruta, completo), "");
    }
}

TEST(DocumentoErrores, DocumentosMalFormados)
{
    struct Caso {
        const char* nombre;
        std::string contenido;
        const char* motivo;  // expected after "(línea "
    };
    const std::vector<Caso> casos = {
        {"etiquetas cruzadas", "<centro>\n<a>\n</b></centro>", "3: Opening and ending tag mismatch: a line 2 and b)"},
        {"vacío", "", "1: Document is empty)"},
        {"dos raíces", "<centro/>\n<centro/>", "2: Extra content at the end of the document)"},
        {"declarado UTF-8, escrito en Latin-1",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<centro n=\"Matem\xE1ticas\"/>",
         "2: Input is not proper UTF-8, indicate encoding ! Bytes: 0xE1 0x74 0x69 0x63)"},
        {"codificación desconocida", "<?xml version=\"1.0\" encoding=\"no-existe\"?>\n<centro/>",
         "1: Unsupported encoding no-existe)"},
        {"atributo repetido", "<centro a='1' a='2'/>", "1: Attribute a redefined)"},
        {"entidad sin declarar", "<centro a='&nada;'/>", "1: Entity 'nada' not defined)"},
    };
    DirectorioTemporal dir;
    const auto ruta = dir / "malo.xml";
    for (const Caso& c : casos) {
        testing::internal::CaptureStderr();
        const std::string error = ErrorAlCargar(ruta, c.contenido);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << c.nombre;
        EXPECT_EQ(error, NoValido(ruta) + c.motivo) << c.nombre;
    }
}

TEST(DocumentoErrores, RaizYArchivo)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "x.xml";
    EXPECT_EQ(ErrorAlCargar(ruta, "<?xml version=\"1.0\"?><foo><centro/></foo>"),
              "El elemento raíz de '" + ruta.string() + "' es 'foo', no 'centro'");
    EXPECT_EQ(ErrorAlCargar(ruta, "<n:centro xmlns:n='urn:x'/>"),
              "El elemento raíz de '" + ruta.string() + "' es 'n:centro', no 'centro'");

    const auto falta = dir / "falta.xml";
    EXPECT_THROW(
        try { DocumentoCentro::Cargar(falta); } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "No existe el archivo '" + falta.string() + "'");
            throw;
        },
        Error);
    // A directory opens but cannot be read on Linux; Windows refuses to open it.
#ifdef _WIN32
    const std::string no_se_pudo = "No se pudo abrir el archivo '";
#else
    const std::string no_se_pudo = "No se pudo leer el archivo '";
#endif
    EXPECT_THROW(
        try { DocumentoCentro::Cargar(dir.Ruta()); } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(no_se_pudo + dir.Ruta().string() + "': ", 0), 0u) << e.what();
            throw;
        },
        Error);
}

TEST(DocumentoErrores, EntidadesExternasNoSeLeen)
{
    DirectorioTemporal dir;
    const auto secreto = dir / "secreto.txt";
    prueba::EscribirFichero(secreto, "SECRETO-1234");
    const std::string url = "file://" + secreto.string();
    const std::vector<std::string> documentos = {
        "<!DOCTYPE centro [<!ENTITY x SYSTEM \"" + url + "\">]><centro><aulas><daula idaula='1'>&x;</daula></aulas></centro>",
        "<!DOCTYPE centro [<!ENTITY x SYSTEM \"" + url + "\">]><centro><aulas><daula idaula='&x;'/></aulas></centro>",
        "<!DOCTYPE centro [<!ENTITY x SYSTEM \"" + secreto.string() + "\">]><centro><aulas><daula idaula='1'>&x;</daula></aulas></centro>",
        "<!DOCTYPE centro [<!ENTITY % x SYSTEM \"" + url + "\"> %x;]><centro><aulas><daula idaula='1'/></aulas></centro>",
        "<!DOCTYPE centro SYSTEM \"" + url + "\"><centro><aulas><daula idaula='1'/></aulas></centro>",
        "<centro xmlns:xi='http://www.w3.org/2001/XInclude'><aulas><daula idaula='1'><xi:include href='" + url
            + "' parse='text'/></daula></aulas></centro>",
    };
    const auto ruta = dir / "externo.xml";
    const auto copia = dir / "copia.xml";
    for (const std::string& xml : documentos) {
        SCOPED_TRACE(xml);
        prueba::EscribirFichero(ruta, xml);
        try {
            const auto doc = DocumentoCentro::Cargar(ruta);
            for (const Elemento& aula : doc.Seleccionar("/centro/aulas/daula"))
                EXPECT_EQ(aula.Atributo("idaula"), "1");
            doc.Guardar(copia);
            EXPECT_EQ(prueba::LeerFichero(copia).find("SECRETO"), std::string::npos);
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).find("SECRETO"), std::string::npos);
        }
    }
}

// Entities that expand to far more text than the document holds.
TEST(DocumentoErrores, ExpansionDeEntidadesAcotada)
{
    std::string risas = "<!ENTITY r0 \"ja\">";
    for (int i = 1; i <= 9; ++i) {
        risas += "<!ENTITY r" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j)
            risas += "&r" + std::to_string(i - 1) + ";";
        risas += "\">";
    }
    const std::string grande = "<!ENTITY g \"" + std::string(100000, 'x') + "\">";
    std::string cien_grandes;
    for (int j = 0; j < 200; ++j)
        cien_grandes += "&g;";

    struct Caso {
        std::string xml;
        bool en_atributo;
    };
    const std::vector<Caso> casos = {
        {"<!DOCTYPE centro [" + risas + "]><centro><aulas><daula idaula='&r9;'/></aulas></centro>", true},
        {"<!DOCTYPE centro [" + grande + "]><centro><aulas><daula idaula='" + cien_grandes + "'/></aulas></centro>", true},
        {"<!DOCTYPE centro [" + risas + "]><centro><aulas><daula idaula='1'>&r9;</daula></aulas></centro>", false},
    };
    DirectorioTemporal dir;
    const auto ruta = dir / "risas.xml";
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.xml.substr(0, 200));
        prueba::EscribirFichero(ruta, c.xml);
        // In an attribute: refused on loading or on reading, never built.
        // In element text, which is never read, it may also load unexpanded.
        try {
            const auto doc = DocumentoCentro::Cargar(ruta);
            const auto aulas = doc.Seleccionar("/centro/aulas/daula");
            ASSERT_EQ(aulas.size(), 1u);
            if (c.en_atributo)
                EXPECT_THROW(aulas[0].Atributo("idaula"), Error);
            else
                EXPECT_EQ(aulas[0].Atributo("idaula"), "1");
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(NoValido(ruta), 0), 0u) << e.what();
        }
    }
}

}  // namespace
}  // namespace thn
