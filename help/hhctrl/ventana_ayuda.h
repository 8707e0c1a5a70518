// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The help window: the file's contents and index beside the topic pane.

#include "help/hhctrl/archivo_chm.h"
#include "help/hhctrl/descripcion_chm.h"
#include "help/hhctrl/mapa_sitio.h"

#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace thn::chm {

class NavegadorChm;

class VentanaAyuda : public QWidget {
public:
    VentanaAyuda();

    // Shows this help file from now on: its contents, index and title.
    void Cargar(std::shared_ptr<const ArchivoChm> archivo);
    const std::filesystem::path& Fichero() const;

    // A stored path ("/inicio.htm", "#fragment" allowed); the default topic
    // when it is empty or not in the file.
    void MostrarTema(const std::string& tema);
    // The topic that the file's context map gives the number; the default
    // topic when the number is not mapped.
    void MostrarContexto(std::uint32_t contexto);
    // The contents pane and the default topic.
    void MostrarContenido();
    // The index pane with the keyword in its search field, the first entry
    // that starts with it selected and its topic shown.
    void MostrarIndice(const QString& palabra);
    bool MuestraAlgunTema() const;

private:
    void LlenarContenido(const std::vector<EntradaSitio>& entradas, QTreeWidgetItem* padre);
    void LlenarIndice(const std::vector<EntradaSitio>& entradas, int nivel);
    // Selects the first entry starting with the text; none when none does.
    QListWidgetItem* Buscar(const QString& texto);
    void AbrirEntrada(const QString& local);
    void MarcarEnContenido(const QUrl& direccion);

    std::shared_ptr<const ArchivoChm> archivo_;
    DescripcionChm descripcion_;
    QTabWidget* pestanas_;
    QTreeWidget* contenido_;
    QLineEdit* busqueda_;
    QListWidget* indice_;
    NavegadorChm* tema_;
};

}  // namespace thn::chm
