// SPDX-License-Identifier: EUPL-1.2
#include "bench/generador_centro.h"

#include "bench/azar.h"
#include "bench/escritor_xml.h"
#include "base/error.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>
#include <vector>

namespace thn::bench {

namespace {

using namespace std::string_view_literals;

struct Palabra {
    std::string_view texto;
    char inicial;  // ASCII, for the teachers' initials
};

constexpr std::array kNombres{
    Palabra{"María", 'M'},     Palabra{"José", 'J'},      Palabra{"Ángela", 'A'},
    Palabra{"Jesús", 'J'},     Palabra{"Inés", 'I'},      Palabra{"Sofía", 'S'},
    Palabra{"Andrés", 'A'},    Palabra{"Raúl", 'R'},      Palabra{"Lucía", 'L'},
    Palabra{"Begoña", 'B'},    Palabra{"Íñigo", 'I'},     Palabra{"Nuria", 'N'},
    Palabra{"Álvaro", 'A'},    Palabra{"Mónica", 'M'},    Palabra{"Tomás", 'T'},
    Palabra{"Verónica", 'V'},  Palabra{"Adrián", 'A'},    Palabra{"Belén", 'B'},
    Palabra{"Rubén", 'R'},     Palabra{"Ramón", 'R'},     Palabra{"Concepción", 'C'},
    Palabra{"Joaquín", 'J'},   Palabra{"Pilar", 'P'},     Palabra{"Óscar", 'O'},
    Palabra{"Dolores", 'D'},   Palabra{"Víctor", 'V'},    Palabra{"Rocío", 'R'},
    Palabra{"Martín", 'M'},    Palabra{"Elena", 'E'},     Palabra{"Sebastián", 'S'},
    Palabra{"José Luis", 'J'}, Palabra{"María José", 'M'}, Palabra{"Manuel", 'M'},
    Palabra{"Carmen", 'C'},
};

constexpr std::array kApellidos{
    Palabra{"García", 'G'},    Palabra{"Gómez", 'G'},     Palabra{"Rodríguez", 'R'},
    Palabra{"Martínez", 'M'},  Palabra{"López", 'L'},     Palabra{"Sánchez", 'S'},
    Palabra{"Pérez", 'P'},     Palabra{"Fernández", 'F'}, Palabra{"González", 'G'},
    Palabra{"Jiménez", 'J'},   Palabra{"Ruiz", 'R'},      Palabra{"Hernández", 'H'},
    Palabra{"Díaz", 'D'},      Palabra{"Moreno", 'M'},    Palabra{"Muñoz", 'M'},
    Palabra{"Álvarez", 'A'},   Palabra{"Romero", 'R'},    Palabra{"Alonso", 'A'},
    Palabra{"Gutiérrez", 'G'}, Palabra{"Navarro", 'N'},   Palabra{"Torres", 'T'},
    Palabra{"Domínguez", 'D'}, Palabra{"Vázquez", 'V'},   Palabra{"Ramos", 'R'},
    Palabra{"Gil", 'G'},       Palabra{"Ramírez", 'R'},   Palabra{"Serrano", 'S'},
    Palabra{"Blanco", 'B'},    Palabra{"Molina", 'M'},    Palabra{"Suárez", 'S'},
    Palabra{"Ortega", 'O'},    Palabra{"Delgado", 'D'},   Palabra{"Castro", 'C'},
    Palabra{"Ortiz", 'O'},     Palabra{"Rubio", 'R'},     Palabra{"Marín", 'M'},
    Palabra{"Sanz", 'S'},      Palabra{"Núñez", 'N'},     Palabra{"Iglesias", 'I'},
    Palabra{"Medina", 'M'},    Palabra{"Cortés", 'C'},    Palabra{"Castillo", 'C'},
    Palabra{"Lozano", 'L'},    Palabra{"Méndez", 'M'},    Palabra{"Peña", 'P'},
    Palabra{"Ibáñez", 'I'},    Palabra{"Echeverría", 'E'}, Palabra{"Sáez", 'S'},
};

struct Base {
    std::string_view codigo;
    std::string_view nombre;
};

constexpr std::array kMaterias{
    Base{"MAT", "Matemáticas"},
    Base{"LCL", "Lengua Castellana y Literatura"},
    Base{"ING", "Lengua Extranjera: Inglés"},
    Base{"FRA", "Segunda Lengua Extranjera: Francés"},
    Base{"FQ", "Física y Química"},
    Base{"BG", "Biología y Geología"},
    Base{"GH", "Geografía e Historia"},
    Base{"EF", "Educación Física"},
    Base{"MUS", "Música"},
    Base{"TEC", "Tecnología y Digitalización"},
    Base{"EPVA", "Educación Plástica, Visual y Audiovisual"},
    Base{"FIL", "Filosofía"},
    Base{"LAT", "Latín"},
    Base{"GRI", "Griego"},
    Base{"ECO", "Economía"},
    Base{"REL", "Religión Católica"},
    Base{"AE", "Atención Educativa"},
    Base{"DT", "Dibujo Técnico"},
    Base{"QUI", "Química"},
    Base{"FIS", "Física"},
    Base{"HES", "Historia de España"},
    Base{"CCL", "Cultura Clásica"},
    Base{"VCE", "Educación en Valores Cívicos y Éticos"},
    Base{"INF", "Informática"},
};

// Codes that are already longer than the ten characters of the tables.
constexpr std::array kMateriasLargas{
    Base{"TECNOLOGIAINDUSTRIAL", "Tecnología Industrial"},
    Base{"MATEMATICASAPLICADAS", "Matemáticas Aplicadas a las Ciencias Sociales"},
    Base{"EDUCACIONFISICA", "Educación Física y Deportes"},
};

// The first four activities; later ones are ACT<n>.
constexpr std::array kActividades{
    Base{"LECTIVA", "Lectiva"},
    Base{"GUARDIA", "Guardia"},
    Base{"TUTORIA", "Tutoría"},
    Base{"REUNION", "Reunión"},
};

constexpr std::array kOtrasActividades{
    "Atención a familias"sv, "Coordinación de ciclo"sv, "Biblioteca"sv,
    "Mediación escolar"sv,   "Jefatura de departamento"sv, "Actividades extraescolares"sv,
};

struct Nivel {
    std::string_view codigo;
    char curso;
    std::string_view nombre;
};

constexpr std::array kNiveles{
    Nivel{"ESO", '1', "ESO"},           Nivel{"ESO", '2', "ESO"},
    Nivel{"ESO", '3', "ESO"},           Nivel{"ESO", '4', "ESO"},
    Nivel{"BACH", '1', "Bachillerato"}, Nivel{"BACH", '2', "Bachillerato"},
    Nivel{"FPB", '1', "FP Básica"},     Nivel{"FPB", '2', "FP Básica"},
    Nivel{"CFGM", '1', "Grado Medio"},  Nivel{"CFGM", '2', "Grado Medio"},
    Nivel{"CFGS", '1', "Grado Superior"}, Nivel{"CFGS", '2', "Grado Superior"},
};

struct Sala {
    std::string_view codigo;
    std::string_view nombre;
};

constexpr std::array kSalas{
    Sala{"LABQ", "Laboratorio de Química"}, Sala{"LABB", "Laboratorio de Biología"},
    Sala{"INF", "Aula de Informática"},     Sala{"TAL", "Taller de Tecnología"},
    Sala{"MUS", "Aula de Música"},          Sala{"PLA", "Aula de Plástica"},
    Sala{"GIM", "Gimnasio"},                Sala{"BIB", "Biblioteca"},
    Sala{"SUM", "Salón de Usos Múltiples"},
};

// Identifiers: one leading digit per section, then the element's number.
enum class Seccion : std::uint64_t { kMateria = 1, kProfesor, kAula, kGrupo, kCurso };

std::uint64_t Id(Seccion seccion, std::uint64_t indice)
{
    return static_cast<std::uint64_t>(seccion) * 100'000'000ULL + indice + 1;
}

std::string Decimal(std::uint64_t valor)
{
    char cifras[20];
    const auto fin = std::to_chars(cifras, cifras + sizeof cifras, valor).ptr;
    return std::string(cifras, fin);
}

std::string Minusculas(std::string texto)
{
    for (char& c : texto) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return texto;
}

// A, B, ..., Z, AA, AB, ...
std::string Letras(std::uint64_t n)
{
    std::string letras;
    for (++n; n > 0; n = (n - 1) / 26) {
        letras += static_cast<char>('A' + (n - 1) % 26);
    }
    std::reverse(letras.begin(), letras.end());
    return letras;
}

// A code met before, sometimes in lower case: duplicates that a
// case-insensitive comparison also has to catch.
std::string Repetido(Azar& azar, const std::vector<std::string>& anteriores)
{
    const std::string& elegido = anteriores[azar.Menor(static_cast<std::uint32_t>(anteriores.size()))];
    return azar.PorMil(500) ? Minusculas(elegido) : elegido;
}

// A DNI with its check letter; foreign teachers carry an NIE instead, whose
// X, Y or Z counts as 0, 1 or 2 for the letter.
std::string Documento(Azar& azar, bool extranjero)
{
    static constexpr std::string_view kLetras = "TRWAGMYFPDXBNJZSQVHLCKE";
    std::uint32_t numero = azar.Menor(100'000'000);
    std::string documento;
    std::size_t cifras_minimas = 8;
    std::uint32_t control = numero;
    if (extranjero) {
        const std::uint32_t prefijo = azar.Menor(3);
        numero %= 10'000'000;
        control = prefijo * 10'000'000 + numero;
        documento = static_cast<char>('X' + prefijo);
        cifras_minimas = 7;
    }
    const std::string cifras = Decimal(numero);
    documento.append(cifras_minimas - cifras.size(), '0');
    documento += cifras;
    documento += kLetras[control % 23];
    return documento;
}

std::uint32_t Cuenta(int n)
{
    return n > 0 ? static_cast<std::uint32_t>(n) : 0;
}

class Generador {
public:
    Generador(const ParametrosCentro& p, std::string& salida)
        : materias_(Cuenta(p.materias)),
          profesores_(Cuenta(p.profesores)),
          aulas_(Cuenta(p.aulas)),
          grupos_(Cuenta(p.grupos)),
          franjas_(Cuenta(p.franjas)),
          asignaturas_(Cuenta(p.asignaturas)),
          semilla_(p.semilla),
          azar_(p.semilla),
          xml_(salida)
    {
        salida.reserve(512 + 140ULL * materias_ + 170ULL * profesores_ + 110ULL * aulas_ +
                       170ULL * grupos_ + 110ULL * franjas_ + 105ULL * asignaturas_);
    }

    void Todo()
    {
        xml_.Linea(R"(<?xml version="1.0" encoding="UTF-8"?>)");
        xml_.Abrir("centro", 0);
        xml_.Atributo("codigo_interno", 29'000'000ULL + semilla_ % 1'000'000U);
        xml_.EmpezarAtributo("nombre");
        xml_.Texto("IES Sintético nº ");
        xml_.Numero(semilla_);
        xml_.TerminarAtributo();
        xml_.Atributo("curso", "2026/2027");
        xml_.Atributo("version", "3.2");
        xml_.Atributo("generador", "thn-generar-centro");
        xml_.Atributo("semilla", std::uint64_t{semilla_});
        xml_.CerrarApertura();
        Materias();
        Profesores();
        Aulas();
        Grupos();
        Franjas();
        Asignaturas();
        xml_.Fin("centro", 0);
    }

private:
    // One element in twenty is an activity, the first one LECTIVA.
    static bool EsActividad(std::uint32_t i) { return i % 20 == 0; }
    std::uint32_t NumeroActividades() const { return (materias_ + 19) / 20; }

    void CodigoActividad(std::uint32_t k)
    {
        if (k < kActividades.size()) {
            xml_.Texto(kActividades[k].codigo);
        } else {
            xml_.Texto("ACT");
            xml_.Numero(k);
        }
    }

    void Materias()
    {
        xml_.Abrir("materias", 1);
        xml_.CerrarApertura();
        std::vector<std::string> codigos;  // activities leave theirs empty: never reused
        codigos.reserve(materias_);
        for (std::uint32_t i = 0; i < materias_; ++i) {
            xml_.Abrir("dmateria", 2);
            if (EsActividad(i)) {
                Actividad(i / 20);
                codigos.emplace_back();
            } else {
                codigos.push_back(Materia(i, codigos));
            }
            xml_.Atributo("idmateria", Id(Seccion::kMateria, i));
            xml_.CerrarVacio();
        }
        xml_.Fin("materias", 1);
    }

    void Actividad(std::uint32_t k)
    {
        xml_.EmpezarAtributo("codigo");
        CodigoActividad(k);
        xml_.TerminarAtributo();
        xml_.EmpezarAtributo("nombre");
        if (k < kActividades.size()) {
            xml_.Texto(kActividades[k].nombre);
        } else {
            xml_.Texto(kOtrasActividades[k % kOtrasActividades.size()]);
            xml_.Texto(" ");
            xml_.Numero(k);
        }
        xml_.TerminarAtributo();
        xml_.EmpezarAtributo("codigo_actividad");
        CodigoActividad(k);
        xml_.TerminarAtributo();
    }

    // Writes the subject's code, name and activity; returns the code.
    std::string Materia(std::uint32_t i, const std::vector<std::string>& anteriores)
    {
        const bool larga = azar_.PorMil(20);
        const Base& base = larga ? azar_.Uno(kMateriasLargas) : azar_.Uno(kMaterias);
        std::string codigo;
        if (!larga && i > 1 && azar_.PorMil(10)) {
            codigo = Repetido(azar_, anteriores);  // empty when it met an activity
        }
        if (codigo.empty()) {
            codigo = std::string(base.codigo) + Decimal(i);
        }
        xml_.Atributo("codigo", codigo);

        const Nivel& nivel = azar_.Uno(kNiveles);
        xml_.EmpezarAtributo("nombre");
        xml_.Texto(base.nombre);
        xml_.Texto(" ");
        xml_.Texto(std::string_view(&nivel.curso, 1));
        xml_.Texto("º ");
        xml_.Texto(nivel.nombre);
        // Half the names repeat (same subject, same level), half are unique.
        if (azar_.PorMil(500)) {
            xml_.Texto(" (");
            xml_.Numero(i);
            xml_.Texto(")");
        }
        xml_.TerminarAtributo();

        // Mostly LECTIVA, one in ten any activity.
        const std::uint32_t actividades = NumeroActividades();
        xml_.EmpezarAtributo("codigo_actividad");
        CodigoActividad(actividades > 1 && azar_.PorMil(100) ? azar_.Menor(actividades) : 0);
        xml_.TerminarAtributo();
        return codigo;
    }

    void Profesores()
    {
        xml_.Abrir("profesores", 1);
        xml_.CerrarApertura();
        std::vector<std::string> codigos;
        codigos.reserve(profesores_);
        for (std::uint32_t i = 0; i < profesores_; ++i) {
            const Palabra& nombre = azar_.Uno(kNombres);
            const Palabra& apellido1 = azar_.Uno(kApellidos);
            const bool sin_segundo = azar_.PorMil(30);
            const Palabra& apellido2 = azar_.Uno(kApellidos);
            std::string codigo{nombre.inicial, apellido1.inicial, sin_segundo ? 'X' : apellido2.inicial};
            if (i > 0 && azar_.PorMil(30)) {
                codigo = Repetido(azar_, codigos);
            } else if (azar_.PorMil(10)) {
                codigo += "INTERINO" + Decimal(i + 1);
            } else {
                codigo += Decimal(i + 1);
            }
            xml_.Abrir("profesor", 2);
            xml_.Atributo("codigo", codigo);
            xml_.Atributo("nombre", nombre.texto);
            xml_.Atributo("apellido1", apellido1.texto);
            xml_.Atributo("apellido2", sin_segundo ? ""sv : apellido2.texto);
            xml_.Atributo("documento", Documento(azar_, sin_segundo));
            xml_.Atributo("idprofesor", Id(Seccion::kProfesor, i));
            xml_.CerrarVacio();
            codigos.push_back(std::move(codigo));
        }
        xml_.Fin("profesores", 1);
    }

    void Aulas()
    {
        xml_.Abrir("aulas", 1);
        xml_.CerrarApertura();
        std::vector<std::string> codigos;
        codigos.reserve(aulas_);
        for (std::uint32_t i = 0; i < aulas_; ++i) {
            const bool ordinaria = azar_.PorMil(700);
            const Sala& sala = ordinaria ? Sala{"A", "Aula"} : azar_.Uno(kSalas);
            std::string codigo;
            const std::uint32_t caso = azar_.Menor(1000);
            if (caso < 20) {
                // Left empty: the export falls back on the name.
            } else if (caso < 40) {
                codigo = "LABORATORIO" + Decimal(i + 1);
            } else if (caso < 50 && i > 0) {
                codigo = Repetido(azar_, codigos);
            } else {
                codigo = std::string(sala.codigo) + Decimal(i + 1);
            }
            xml_.Abrir("daula", 2);
            xml_.Atributo("codigo", codigo);
            xml_.EmpezarAtributo("nombre");
            xml_.Texto(sala.nombre);
            xml_.Texto(" ");
            xml_.Numero(i + 1);
            xml_.TerminarAtributo();
            if (azar_.PorMil(100)) {
                xml_.Atributo("capacidad_alumnos", ""sv);
            } else {
                xml_.Atributo("capacidad_alumnos", std::uint64_t{15 + azar_.Menor(21)});
            }
            xml_.Atributo("idaula", Id(Seccion::kAula, i));
            xml_.CerrarVacio();
            codigos.push_back(std::move(codigo));
        }
        xml_.Fin("aulas", 1);
    }

    void Grupos()
    {
        xml_.Abrir("grupos", 1);
        xml_.CerrarApertura();
        std::vector<std::string> codigos;
        codigos.reserve(grupos_);
        for (std::uint32_t i = 0; i < grupos_; ++i) {
            const std::uint32_t n = i % kNiveles.size();
            const Nivel& nivel = kNiveles[n];
            const std::string letras = Letras(i / kNiveles.size());
            std::string codigo = nivel.curso + std::string(nivel.codigo) + letras;
            if (i > 0 && azar_.PorMil(10)) {
                codigo = Repetido(azar_, codigos);
            } else if (azar_.PorMil(30)) {
                codigo += "-BILINGUE";
            }
            xml_.Abrir("dgrupo", 2);
            xml_.Atributo("codigo", codigo);
            xml_.EmpezarAtributo("nombre");
            xml_.Texto(std::string_view(&nivel.curso, 1));
            xml_.Texto("º ");
            xml_.Texto(nivel.nombre);
            xml_.Texto(" ");
            xml_.Texto(letras);
            xml_.TerminarAtributo();
            xml_.Atributo("codigo_nivel", nivel.codigo);
            xml_.Atributo("curso", std::string_view(&nivel.curso, 1));
            xml_.Atributo("cgrupo", letras);
            xml_.Atributo("idgrupo", Id(Seccion::kGrupo, i));
            xml_.Atributo("idcurso", Id(Seccion::kCurso, n));
            xml_.CerrarVacio();
            codigos.push_back(std::move(codigo));
        }
        xml_.Fin("grupos", 1);
    }

    void Hora(std::string_view atributo, std::uint32_t minutos)
    {
        minutos %= 24 * 60;
        const std::uint32_t h = minutos / 60;
        const std::uint32_t m = minutos % 60;
        const char texto[5] = {static_cast<char>('0' + h / 10), static_cast<char>('0' + h % 10), ':',
                               static_cast<char>('0' + m / 10), static_cast<char>('0' + m % 10)};
        xml_.Atributo(atributo, std::string_view(texto, sizeof texto));
    }

    void Franjas()
    {
        xml_.Abrir("franjashorarias", 1);
        xml_.CerrarApertura();
        // Spread over the five days, the first ones one period longer when
        // the count does not divide; periods of 55 minutes from 08:00,
        // shorter when many must fit in a day.
        const std::uint32_t base = franjas_ / 5;
        const std::uint32_t sobran = franjas_ % 5;
        const std::uint32_t mas_largo = base + (sobran > 0 ? 1 : 0);
        const std::uint32_t duracion = mas_largo == 0 ? 55 : std::clamp(900U / mas_largo, 1U, 55U);
        for (std::uint32_t dia = 1; dia <= 5; ++dia) {
            const std::uint32_t periodos = base + (dia <= sobran ? 1 : 0);
            for (std::uint32_t posicion = 0; posicion < periodos; ++posicion) {
                xml_.Abrir("franjahoraria", 2);
                xml_.Atributo("dia_semana", std::uint64_t{dia});
                xml_.Atributo("posicion", std::uint64_t{posicion + 1});
                Hora("hora_inicio", 8 * 60 + posicion * duracion);
                Hora("hora_final", 8 * 60 + (posicion + 1) * duracion);
                xml_.CerrarVacio();
            }
        }
        xml_.Fin("franjashorarias", 1);
    }

    void Referencia(std::string_view atributo, Seccion seccion, std::uint32_t cuantos, std::uint64_t indice)
    {
        if (cuantos == 0) {
            xml_.Atributo(atributo, ""sv);
        } else {
            xml_.Atributo(atributo, Id(seccion, indice));
        }
    }

    void Asignaturas()
    {
        static constexpr std::array kHoras{"1"sv, "2"sv, "3"sv, "4"sv, "2,5"sv, "1,5"sv, "0,5"sv};
        static constexpr std::array<std::uint32_t, kHoras.size()> kHastaPorMil{
            200, 500, 750, 930, 970, 990, 1000};
        xml_.Abrir("asignaturas", 1);
        xml_.CerrarApertura();
        for (std::uint32_t i = 0; i < asignaturas_; ++i) {
            xml_.Abrir("dasignatura", 2);
            // Listed group by group, as a school exports them.
            Referencia("cgrupo", Seccion::kGrupo, grupos_, std::uint64_t{i} * grupos_ / asignaturas_);
            Referencia("casig", Seccion::kMateria, materias_, materias_ ? azar_.Menor(materias_) : 0);
            Referencia("cprofe", Seccion::kProfesor, profesores_, profesores_ ? azar_.Menor(profesores_) : 0);
            if (azar_.PorMil(180)) {
                xml_.EmpezarAtributo("conexion");
                xml_.Texto("C");
                xml_.Numero(1 + azar_.Menor(999));
                xml_.TerminarAtributo();
            } else {
                xml_.Atributo("conexion", ""sv);
            }
            const std::uint32_t tirada = azar_.Menor(1000);
            std::size_t h = 0;
            while (tirada >= kHastaPorMil[h]) {
                ++h;
            }
            xml_.Atributo("nhoras", kHoras[h]);
            xml_.CerrarVacio();
        }
        xml_.Fin("asignaturas", 1);
    }

    std::uint32_t materias_, profesores_, aulas_, grupos_, franjas_, asignaturas_;
    std::uint32_t semilla_;
    Azar azar_;
    EscritorXml xml_;
};

}  // namespace

std::string GenerarCentro(const ParametrosCentro& parametros)
{
    std::string salida;
    Generador(parametros, salida).Todo();
    return salida;
}

void EscribirCentro(const ParametrosCentro& parametros, const std::filesystem::path& ruta)
{
    const std::string documento = GenerarCentro(parametros);
    std::ofstream archivo(ruta, std::ios::binary | std::ios::trunc);
    archivo.write(documento.data(), static_cast<std::streamsize>(documento.size()));
    archivo.close();
    if (!archivo) {
        throw Error("No se puede escribir el centro sintético en '" + ruta.string() + "'");
    }
}

}  // namespace thn::bench
