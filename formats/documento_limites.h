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
        Texto, Menor, Exclamacion, ExclamacionGuion, Comentario, Instruccion, Cdata, Fin,
        Nombre, Etiqueta, Valor,
        Dtd, DtdComillas, DtdMenor, DtdExclamacion, DtdExclamacionGuion,
    };
    enum class Unidad { Desconocida, Byte, Utf16Le, Utf16Be };

    void Caracter(char32_t c);
    void Anotar(std::string& destino, char32_t c) const;
    void ComprobarValor();
    void Fallar(const std::string& que);

    Unidad unidad_ = Unidad::Desconocida;
    std::string inicio_;   // the first bytes, until the encoding is known
    int byte_pendiente_ = -1;  // UTF-16: the first half of a unit

    Estado estado_ = Estado::Texto;
    Estado volver_ = Estado::Texto;  // where a comment or instruction returns
    int marcas_ = 0;                 // '-', '?' or ']' seen just before
    char32_t comillas_ = 0;
    bool subconjunto_ = false;       // inside the DTD's internal subset

    std::size_t linea_ = 1;
    std::size_t linea_etiqueta_ = 1;
    std::string elemento_;
    std::string atributo_;
    bool atributo_cerrado_ = false;  // the previous attribute's value has ended
    std::size_t atributos_ = 0;
    std::size_t largo_valor_ = 0;
    std::string motivo_;
};

}  // namespace thn::documento
