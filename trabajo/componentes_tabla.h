// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The main window's table components: one per working table, opened
// exclusively, closed until an action opens them. Both directions and the
// window share one set.

#include "dbf/tabla.h"

#include <filesystem>
#include <optional>
#include <string>

namespace thn {

class ComponenteTabla {
public:
    explicit ComponenteTabla(std::string tabla) : tabla_(std::move(tabla)) {}

    // Opens the table exclusively; opening an open component changes nothing.
    void Abrir(const std::filesystem::path& directorio);
    // The same, from a file of another name (a table still in the staging folder).
    void AbrirFichero(const std::filesystem::path& ruta);
    void Cerrar();  // closing a closed component has no effect
    bool Abierto() const { return tabla_abierta_.has_value(); }
    dbf::Tabla& Tabla();  // the open table
    const std::string& Nombre() const { return tabla_; }

private:
    std::string tabla_;
    std::optional<dbf::Tabla> tabla_abierta_;
};

struct ComponentesTabla {
    ComponenteTabla wwTableNomAsg{"ASIGNOMT"};
    ComponenteTabla wwTableProfesor{"PROFT"};
    ComponenteTabla wwTableTramos{"DIASHORAST"};
    ComponenteTabla wwTableAulas{"AULAT"};
    ComponenteTabla wwTableGrupos{"GRUPOST"};
    ComponenteTabla wwTableAsig{"ASIGT"};
    ComponenteTabla wwTableSoluc{"SOLUC"};
    ComponenteTabla wwTableCursos{"CURSOST"};

    void CerrarTodos();
};

// Closes every component when it goes out of scope: an action that ends with
// an error leaves no table locked.
class CierreComponentes {
public:
    explicit CierreComponentes(ComponentesTabla& c) : c_(c) {}
    ~CierreComponentes() { c_.CerrarTodos(); }
    CierreComponentes(const CierreComponentes&) = delete;
    CierreComponentes& operator=(const CierreComponentes&) = delete;

private:
    ComponentesTabla& c_;
};

}  // namespace thn
