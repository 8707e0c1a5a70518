// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The topic pane: a text browser whose pages, style sheets and images come
// from a compiled help file through "chm:/path" addresses.

#include "help/hhctrl/archivo_chm.h"

#include <QTextBrowser>
#include <memory>
#include <string_view>

namespace thn::chm {

class NavegadorChm : public QTextBrowser {
public:
    explicit NavegadorChm(QWidget* padre = nullptr);

    void PonerArchivo(std::shared_ptr<const ArchivoChm> archivo);
    // "/inicio.htm" or "/inicio.htm#seccion".
    static QUrl Direccion(std::string_view tema);

protected:
    QVariant loadResource(int tipo, const QUrl& direccion) override;
    // Links through a help file ("ms-its:X.chm::/p.htm") become "chm:" ones;
    // links leaving the help file are not followed.
    void doSetSource(const QUrl& direccion, QTextDocument::ResourceType tipo) override;

private:
    std::shared_ptr<const ArchivoChm> archivo_;
};

// A page as text: by its byte-order mark or declared charset when it has
// one, otherwise as windows-1252, the code page of Spanish help files.
QString DecodificarPagina(const QByteArray& pagina);

}  // namespace thn::chm
