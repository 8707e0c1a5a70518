// SPDX-License-Identifier: EUPL-1.2
#include "dbf/estructura.h"

#include "dbf/codificacion.h"
#include "base/error.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace thn::dbf::detalle {
namespace {

std::string Num(std::size_t n) { return std::to_string(n); }

std::string Hex2(unsigned v)
{
    char b[8];
    std::snprintf(b, sizeof b, "0x%02X", v & 0xFFu);
    return b;
}

// Version bytes of dBASE III to 7, FoxPro and Visual FoxPro files.
bool VersionConocida(unsigned char v)
{
    switch (v) {
    case 0x02: case 0x03: case 0x04: case 0x05:
    case 0x30: case 0x31: case 0x32:
    case 0x43: case 0x63: case 0x7B:
    case 0x83: case 0x8B: case 0x8C: case 0x8E:
    case 0xB3: case 0xCB: case 0xE5: case 0xF5: case 0xFB:
        return true;
    default:
        return false;
    }
}

class Lector {
public:
    Lector(std::string_view principio, std::uint64_t tamano, const std::string& tabla)
        : d_(reinterpret_cast<const unsigned char*>(principio.data())),
          // A file that shrank while it was read is what was read of it.
          n_(principio.size() < std::min<std::uint64_t>(tamano, 65535) ? principio.size()
                                                                       : static_cast<std::size_t>(tamano))
    {
        e_.tabla = tabla;
    }

    Estructura Leer()
    {
        if (n_ < 32)
            Mal(Formatear("el fichero (%s bytes) es más corto que la cabecera", {Num(n_)}));
        e_.version = d_[0];
        if (!VersionConocida(e_.version))
            Mal(Formatear("versión %s desconocida", {Hex2(e_.version)}));
        // (version & 7) == 4: level 7, with a 68-byte header and 48-byte descriptors.
        e_.nivel7 = (e_.version & 0x07) == 4;
        e_.vfp = e_.version == 0x30 || e_.version == 0x31 || e_.version == 0x32;
        const std::size_t base = e_.nivel7 ? 68 : 32;
        const std::size_t tam_desc = e_.nivel7 ? 48 : 32;
        if (n_ < base)
            Mal(Formatear("el fichero (%s bytes) es más corto que la cabecera", {Num(n_)}));

        const std::size_t cuenta = LeerLE32(d_ + 4);
        e_.long_cabecera = LeerLE16(d_ + 8);
        e_.long_registro = LeerLE16(d_ + 10);
        if (e_.long_cabecera > n_)
            Mal(Formatear("la longitud de la cabecera (%s) supera el tamaño del fichero (%s)",
                          {Num(e_.long_cabecera), Num(n_)}));
        if (e_.long_cabecera < base + 1)
            Mal(Formatear("la longitud de la cabecera (%s) es demasiado pequeña", {Num(e_.long_cabecera)}));


        // Descriptors run to the terminator 0x0D or to the header length;
        // records start at the header length whatever lies in between.
        std::size_t pos = base;
        int desp = 1;
        while (pos < e_.long_cabecera && d_[pos] != 0x0D) {
            if (pos + tam_desc > e_.long_cabecera)
                Mal(Formatear("el descriptor de campo %s está incompleto", {Num(e_.campos.size() + 1)}));
            LeerDescriptor(d_ + pos, pos, desp);
            desp += e_.campos.back().ancho;
            pos += tam_desc;
        }
        if (e_.campos.empty())
            Mal("no tiene campos");
        if (static_cast<std::size_t>(desp) > e_.long_registro)
            Mal(Formatear("la longitud de registro (%s) no da cabida a los campos (%s bytes)",
                          {Num(e_.long_registro), Num(static_cast<std::size_t>(desp))}));
        AsignarBitsNulos();
        for (std::size_t i = 0; i < e_.campos.size(); ++i)
            if (!e_.campos[i].sistema)
                e_.nombres.emplace(Mayusculas(e_.campos[i].nombre), i);
        // A file shorter than its header promises lost records: reading the
        // whole ones left would pass a partial table off as the complete one.
        // Bytes after the last record (end mark, padding) are not records.
        const std::size_t presentes = (n_ - e_.long_cabecera) / e_.long_registro;
        e_.registros = cuenta;
        if (cuenta > presentes)
            Incompleta(e_, presentes);
        return std::move(e_);
    }

private:
    [[noreturn]] void Mal(const std::string& motivo) const
    {
        throw Error(Formatear("La tabla '%s' no es una tabla dBASE válida: %s", {e_.tabla, motivo}));
    }

    void LeerDescriptor(const unsigned char* p, std::size_t pos, int desp)
    {
        Campo c;
        const std::size_t max_nombre = e_.nivel7 ? 32 : 11;
        std::size_t largo = 0;
        while (largo < max_nombre && p[largo] != 0)
            ++largo;
        c.nombre.assign(reinterpret_cast<const char*>(p), largo);
        while (!c.nombre.empty() && c.nombre.back() == ' ')
            c.nombre.pop_back();
        const std::string numero = Num(e_.campos.size() + 1);
        if (c.nombre.empty())
            Mal(Formatear("el campo %s no tiene nombre", {numero}));
        for (unsigned char ch : c.nombre)
            if (ch < 0x20 || ch == 0x7F)
                Mal(Formatear("el nombre del campo %s no es válido", {numero}));
        unsigned char tipo = e_.nivel7 ? p[32] : p[11];
        if (tipo >= 'a' && tipo <= 'z')
            tipo = static_cast<unsigned char>(tipo - 'a' + 'A');
        if (!((tipo >= 'A' && tipo <= 'Z') || tipo == '@' || tipo == '+' || tipo == '0'))
            Mal(Formatear("el campo '%s' tiene un tipo no válido (%s)", {c.nombre, Hex2(tipo)}));
        c.tipo = static_cast<char>(tipo);
        if (e_.nivel7) {
            c.ancho = p[33];
            c.decimales = p[34];
        } else {
            c.ancho = p[16];
            c.decimales = p[17];
            c.banderas = p[18];
            if (c.tipo == 'C') {  // FoxPro and Clipper keep the length's high byte in byte 17
                c.ancho += 256 * c.decimales;
                c.decimales = 0;
            }
        }
        if (c.ancho <= 0)
            Mal(Formatear("el campo '%s' tiene ancho 0", {c.nombre}));
        c.desp = desp;
        c.descriptor = pos;
        Clasificar(c);
        e_.campos.push_back(std::move(c));
    }

    void Clasificar(Campo& c)
    {
        auto exigir = [&](int ancho) {
            if (c.ancho != ancho)
                Mal(Formatear("el campo '%s' de tipo %s tiene un ancho no válido (%s)",
                              {c.nombre, std::string(1, c.tipo), Num(static_cast<std::size_t>(c.ancho))}));
        };
        switch (c.tipo) {
        case 'C': c.clase = Clase::Texto; break;
        case 'N': case 'F': c.clase = Clase::Numerico; break;
        case 'L': c.clase = Clase::Logico; break;
        case 'D': c.clase = Clase::Fecha; break;
        case 'I':
            exigir(4);
            c.clase = e_.nivel7 ? Clase::Entero7 : Clase::EnteroVfp;
            break;
        case '+':
            if (e_.nivel7) {
                exigir(4);
                c.clase = Clase::Entero7;
                c.autoincremento = true;
            }
            break;
        case 'O':
            if (c.ancho == 8)
                c.clase = Clase::Doble7;
            break;
        case 'B':
            if (!e_.nivel7 && c.ancho == 8)
                c.clase = Clase::DobleVfp;  // dBASE's B is a 10-byte memo reference
            break;
        case 'Y':
            if (c.ancho == 8)
                c.clase = Clase::Moneda;
            break;
        case '0':
            c.sistema = true;
            if (e_.vfp && e_.campo_nulos < 0)
                e_.campo_nulos = static_cast<int>(e_.campos.size());
            break;
        default:
            break;
        }
        if (e_.vfp && (c.banderas & 0x01))
            c.sistema = true;
    }

    // VFP: one bit per nullable field in field order; varchar and varbinary
    // fields take a length bit before their null bit.
    void AsignarBitsNulos()
    {
        if (e_.campo_nulos < 0)
            return;
        int bit = 0;
        for (auto& c : e_.campos) {
            if (c.tipo == '0')
                continue;
            if (c.tipo == 'V' || c.tipo == 'Q')
                ++bit;
            if (c.banderas & 0x02)
                c.bit_nulo = bit++;
        }
        if ((bit + 7) / 8 > e_.campos[static_cast<std::size_t>(e_.campo_nulos)].ancho)
            Mal("el campo _NullFlags es demasiado corto");
    }

    const unsigned char* d_;
    std::size_t n_;  // the file's size; its first bytes, up to 65,535, are at d_
    Estructura e_;
};

}  // namespace

std::string Mayusculas(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return r;
}

const Campo* Estructura::Buscar(std::string_view nombre) const
{
    auto it = nombres.find(nombre);
    if (it == nombres.end()) {
        if (nombre.size() > 64)
            return nullptr;
        it = nombres.find(Mayusculas(nombre));
        if (it == nombres.end())
            return nullptr;
    }
    return &campos[it->second];
}

void Incompleta(const Estructura& e, std::size_t presentes)
{
    throw Error(Formatear("La tabla '%s' está incompleta: su cabecera anuncia %s registros y el fichero solo contiene %s",
                          {std::filesystem::path(e.tabla).stem().string(), Num(e.registros), Num(presentes)}),
                e.tabla);
}

Estructura LeerEstructura(std::string_view principio, std::uint64_t tamano, const std::string& tabla)
{
    return Lector(principio, tamano, tabla).Leer();
}

}  // namespace thn::dbf::detalle
