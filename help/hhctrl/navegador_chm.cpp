// SPDX-License-Identifier: EUPL-1.2
#include "help/hhctrl/navegador_chm.h"

#include "help/hhctrl/direccion_chm.h"
#include "help/hhctrl/texto_chm.h"

#include <QStringDecoder>

namespace thn::chm {
namespace {

constexpr const char* kEsquema = "chm";

bool DeclaraCodificacion(const QByteArray& pagina)
{
    if (pagina.startsWith("\xEF\xBB\xBF") || pagina.startsWith("\xFF\xFE") || pagina.startsWith("\xFE\xFF"))
        return true;
    return pagina.left(1024).toLower().contains("charset=");
}

QString DesdeWindows1252(const QByteArray& texto)
{
    return QString::fromStdString(chm::DesdeWindows1252(std::string_view(texto.constData(), static_cast<std::size_t>(texto.size()))));
}

// A style sheet has no declaration that Qt reads: UTF-8 when it is valid.
QString DecodificarEstilo(const QByteArray& estilo)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texto = utf8(estilo);
    return utf8.hasError() ? DesdeWindows1252(estilo) : texto;
}

}  // namespace

QString DecodificarPagina(const QByteArray& pagina)
{
    if (DeclaraCodificacion(pagina)) {
        QStringDecoder decodificador = QStringDecoder::decoderForHtml(pagina);
        if (decodificador.isValid())
            return decodificador(pagina);
    }
    return DesdeWindows1252(pagina);
}

NavegadorChm::NavegadorChm(QWidget* padre) : QTextBrowser(padre)
{
    setOpenExternalLinks(false);
    setOpenLinks(true);
}

void NavegadorChm::PonerArchivo(std::shared_ptr<const ArchivoChm> archivo)
{
    archivo_ = std::move(archivo);
    clearHistory();
    clear();
}

QUrl NavegadorChm::Direccion(std::string_view tema)
{
    const std::size_t almohadilla = tema.find('#');
    QUrl direccion;
    direccion.setScheme(kEsquema);
    direccion.setPath(QString::fromStdString(NormalizarRuta(SinFragmento(tema))));
    if (almohadilla != std::string_view::npos)
        direccion.setFragment(QString::fromStdString(std::string(tema.substr(almohadilla + 1))));
    return direccion;
}

QVariant NavegadorChm::loadResource(int tipo, const QUrl& direccion)
{
    // Nothing outside the help file is read: a page cannot reach local files.
    if (direccion.scheme() != kEsquema || !archivo_)
        return {};
    const auto datos = archivo_->Leer(direccion.path(QUrl::FullyDecoded).toStdString());
    if (!datos)
        return {};
    const QByteArray bytes(datos->data(), static_cast<qsizetype>(datos->size()));
    switch (tipo) {
    case QTextDocument::HtmlResource:
        return DecodificarPagina(bytes);
    case QTextDocument::StyleSheetResource:
        return DecodificarEstilo(bytes);
    default:
        return bytes;
    }
}

void NavegadorChm::doSetSource(const QUrl& direccion, QTextDocument::ResourceType tipo)
{
    if (direccion.scheme() == kEsquema) {
        QTextBrowser::doSetSource(direccion, tipo);
        return;
    }
    if (const auto tema = TemaDeEnlace(QUrl::fromPercentEncoding(direccion.toEncoded()).toStdString()))
        QTextBrowser::doSetSource(Direccion(*tema), tipo);
}

}  // namespace thn::chm
