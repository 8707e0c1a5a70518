// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The help manager: registers viewers, numbers them, and hands every help
// request of the application to the viewer that can serve it, asking the
// selector when more than one can.

#include "help/aplicacion_ayuda.h"
#include "help/interfaces_ayuda.h"

#include <memory>
#include <vector>

namespace thn::ayuda {

class GestorAyuda final : public IHelpManager, public std::enable_shared_from_this<GestorAyuda> {
public:
    explicit GestorAyuda(std::shared_ptr<const AplicacionAyuda> aplicacion);
    ~GestorAyuda() override;
    GestorAyuda(const GestorAyuda&) = delete;
    GestorAyuda& operator=(const GestorAyuda&) = delete;

    // Appends the viewer to the viewer list and, when it is an extended
    // viewer, to the extended list; calls its NotifyID with a new number.
    // The manager must be owned by a shared_ptr.
    std::shared_ptr<IHelpManager> RegisterViewer(std::shared_ptr<ICustomHelpViewer> visor);
    void AssignHelpSelector(std::shared_ptr<IHelpSelector> selector);

    std::intptr_t GetHandle() const override;
    std::string GetHelpFile() const override;
    void Release(std::int32_t numero_visor) override;

    // The requests; each answers whether a viewer was given it. `fichero` is
    // the help file of the request, answered by GetHelpFile meanwhile.
    bool ShowContextHelp(std::int32_t contexto, const std::string& fichero);
    bool ShowTopicHelp(const std::string& tema, const std::string& fichero);
    bool ShowTableOfContents(const std::string& fichero);
    bool ShowHelp(const std::string& palabra, const std::string& fichero);
    // The quit command: SoftShutDown to every viewer.
    void SoftShutDown();

    // Unloading: ShutDown to every viewer still registered, the last one
    // first, each taken out of the lists before it is called so that a
    // viewer that does not release itself cannot keep the loop going; then
    // the selector is dropped.
    void Descargar();

    std::size_t NumeroVisores() const { return visores_.size(); }

private:
    struct Registro {
        std::int32_t numero;
        std::shared_ptr<ICustomHelpViewer> visor;
    };
    struct RegistroExtendido {
        std::int32_t numero;
        std::shared_ptr<IExtendedHelpViewer> visor;
    };
    class PeticionEnCurso;

    std::shared_ptr<const AplicacionAyuda> aplicacion_;
    std::vector<Registro> visores_;
    std::vector<RegistroExtendido> extendidos_;
    std::shared_ptr<IHelpSelector> selector_;
    std::int32_t ultimo_numero_ = 0;
    std::string fichero_en_curso_;
};

}  // namespace thn::ayuda
