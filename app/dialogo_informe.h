// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The report of a completed action: what was left out and what a look-up
// did not find, in a resizable window of its own that the user can read,
// copy and save as plain text.

#include <QDialog>

#include <filesystem>

class QPlainTextEdit;

namespace thn::app {

class DialogoInforme : public QDialog {
    Q_OBJECT

public:
    // `guardar_como` is the name "Guardar..." offers first.
    DialogoInforme(const QString& informe, std::filesystem::path guardar_como, QWidget* padre);

    void Copiar();
    void Guardar();

private:
    QPlainTextEdit* texto_ = nullptr;
    std::filesystem::path guardar_como_;
};

}  // namespace thn::app
