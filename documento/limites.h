// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Bounds on the shape of a centre document, checked on the raw bytes before
// the parser sees them. libxml2 checks an element's attributes for
// duplicates in time that grows with the square of their number, so an
// absurd element must be refused before it reaches the parser, not after.

#include <cstddef>
#include <string>

namespace thn::documento {

// No real centre document comes near these.
inline constexpr std::size_t kMaximoAtributos = 1000;                 // on one element
inline constexpr std::size_t kMaximoValorAtributo = 10 * 1000 * 1000;  // bytes of one value in the file

// Follows the markup of a document given block by block: start tags,
// quoted values, comments, processing instructions, CDATA sections and the
// document type declaration. Understands ASCII-compatible encodings and
// UTF-16 (told by its byte-order mark or its first characters).
class VigiaLimites {
public:
    // False once a bound has been passed; Motivo() then says where.
    bool Revisar(const char* datos, std::size_t tamano);
    // "línea N: el elemento 'x' tiene más de 1000 atributos", or empty.
    const std::string& Motivo() const { return motivo_; }

private:
    enum class Estado {
        Texto, Menor, Etiqueta, Valor,
        Exclamacion, ExclamacionGuion, Comentario, Instruccion, Cdata, Fin,
        Dtd, DtdComillas, DtdMenor, DtdExclamacion, DtdExclamacionGuion,
    };
    enum class Unidad { Desconocida, Byte, Utf16Le, Utf16Be };

    // One block of ASCII-compatible text (UTF-16 arrives here one byte per unit).
    void Bloque(const unsigned char* inicio, const unsigned char* fin);
    // One character of the rarer markup: declarations, comments, instructions.
    void Marca(unsigned char c);
    // Takes the open tag's line and name from the current block, before it goes.
    void AnotarEtiqueta(const unsigned char* bloque, const unsigned char* fin);
    void Fallar(const unsigned char* bloque, const unsigned char* fin, const std::string& que);

    Unidad unidad_ = Unidad::Desconocida;
    std::string inicio_;       // the first bytes, until the encoding is known
    int byte_pendiente_ = -1;  // UTF-16: the first half of a unit
    std::string unidades_;     // UTF-16: the block, one byte per unit
    std::size_t ancho_ = 1;    // bytes per unit

    Estado estado_ = Estado::Texto;
    Estado volver_ = Estado::Texto;  // where a comment or instruction returns
    int marcas_ = 0;                 // '-', '?' or ']' seen just before
    unsigned char comillas_ = 0;
    bool subconjunto_ = false;       // inside the DTD's internal subset

    std::size_t lineas_ = 0;  // line ends in earlier blocks
    // The open start tag: its '<' while in the current block; once the block
    // is gone, its line and name as taken then.
    const unsigned char* etiqueta_ = nullptr;
    std::size_t linea_etiqueta_ = 1;
    std::string elemento_;
    bool nombre_abierto_ = false;  // the name may go on in the next block
    std::size_t atributos_ = 0;
    std::size_t largo_valor_ = 0;
    std::string motivo_;
};

}  // namespace thn::documento
