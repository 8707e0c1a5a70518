// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Qt's own texts in Spanish: Qt's Spanish catalogue, with the few words the
// program's users know in another form.

#include <QTranslator>

namespace thn::app {

class TraduccionPropia : public QTranslator {
public:
    QString translate(const char* contexto, const char* texto, const char* desambiguacion = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

}  // namespace thn::app
