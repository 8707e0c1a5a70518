// SPDX-License-Identifier: EUPL-1.2
#include "help/gestor_ayuda.h"

#include "help/texto_ayuda.h"

#include <algorithm>
#include <utility>

namespace thn::ayuda {

// Sets the help file of a request for as long as the request runs; a request
// issued by a viewer while serving another gets the outer file back after.
class GestorAyuda::PeticionEnCurso {
public:
    PeticionEnCurso(GestorAyuda& gestor, const std::string& fichero)
        : gestor_(gestor), anterior_(std::exchange(gestor.fichero_en_curso_, fichero))
    {
    }
    ~PeticionEnCurso() { gestor_.fichero_en_curso_ = std::move(anterior_); }
    PeticionEnCurso(const PeticionEnCurso&) = delete;
    PeticionEnCurso& operator=(const PeticionEnCurso&) = delete;

private:
    GestorAyuda& gestor_;
    std::string anterior_;
};

namespace {

// Pairs of a text and who gave it, sorted by the text without regard to ASCII
// letter case; equal texts keep their registration order.
template <typename T>
void OrdenarPorTexto(std::vector<std::pair<std::string, T>>& pares)
{
    std::stable_sort(pares.begin(), pares.end(),
                     [](const auto& a, const auto& b) { return CompararSinMayusculas(a.first, b.first) < 0; });
}

template <typename T>
ListaTextos Textos(const std::vector<std::pair<std::string, T>>& pares)
{
    ListaTextos textos;
    textos.reserve(pares.size());
    for (const auto& p : pares)
        textos.push_back(p.first);
    return textos;
}

// The entry at a selector's answer; none when the answer is out of range.
template <typename T>
const T* Elegido(const std::vector<std::pair<std::string, T>>& pares, std::int32_t indice)
{
    if (indice < 0 || static_cast<std::size_t>(indice) >= pares.size())
        return nullptr;
    return &pares[static_cast<std::size_t>(indice)].second;
}

}  // namespace

GestorAyuda::GestorAyuda(std::shared_ptr<const AplicacionAyuda> aplicacion) : aplicacion_(std::move(aplicacion)) {}

GestorAyuda::~GestorAyuda() { Descargar(); }

std::shared_ptr<IHelpManager> GestorAyuda::RegisterViewer(std::shared_ptr<ICustomHelpViewer> visor)
{
    if (!visor)
        return nullptr;
    const std::int32_t numero = ++ultimo_numero_;
    visores_.push_back({numero, visor});
    if (auto extendido = std::dynamic_pointer_cast<IExtendedHelpViewer>(visor))
        extendidos_.push_back({numero, std::move(extendido)});
    visor->NotifyID(numero);
    return shared_from_this();
}

void GestorAyuda::AssignHelpSelector(std::shared_ptr<IHelpSelector> selector) { selector_ = std::move(selector); }

std::intptr_t GestorAyuda::GetHandle() const { return aplicacion_ ? aplicacion_->Ventana() : 0; }

std::string GestorAyuda::GetHelpFile() const { return fichero_en_curso_; }

void GestorAyuda::Release(std::int32_t numero_visor)
{
    std::erase_if(visores_, [&](const Registro& r) { return r.numero == numero_visor; });
    std::erase_if(extendidos_, [&](const RegistroExtendido& r) { return r.numero == numero_visor; });
}

// The lists are copied before viewers are called: a viewer may release
// itself, or register another, while it serves a request.

bool GestorAyuda::ShowContextHelp(std::int32_t contexto, const std::string& fichero)
{
    PeticionEnCurso peticion(*this, fichero);
    const auto extendidos = extendidos_;
    for (const auto& r : extendidos)
        if (r.visor->UnderstandsContext(contexto, fichero)) {
            r.visor->DisplayHelpByContext(contexto, fichero);
            return true;
        }
    return false;
}

bool GestorAyuda::ShowTopicHelp(const std::string& tema, const std::string& fichero)
{
    PeticionEnCurso peticion(*this, fichero);
    const auto extendidos = extendidos_;
    for (const auto& r : extendidos)
        if (r.visor->UnderstandsTopic(tema)) {
            r.visor->DisplayTopic(tema);
            return true;
        }
    return false;
}

bool GestorAyuda::ShowTableOfContents(const std::string& fichero)
{
    PeticionEnCurso peticion(*this, fichero);
    std::vector<std::pair<std::string, std::shared_ptr<ICustomHelpViewer>>> capaces;
    for (const auto& r : std::vector(visores_))
        if (r.visor->CanShowTableOfContents())
            capaces.emplace_back(r.visor->GetViewerName(), r.visor);
    if (capaces.empty())
        return false;
    if (capaces.size() == 1) {
        capaces.front().second->ShowTableOfContents();
        return true;
    }
    OrdenarPorTexto(capaces);
    const auto* elegido = Elegido(capaces, selector_ ? selector_->TableOfContents(Textos(capaces)) : 0);
    if (!elegido)
        return false;
    (*elegido)->ShowTableOfContents();
    return true;
}

bool GestorAyuda::ShowHelp(const std::string& palabra, const std::string& fichero)
{
    PeticionEnCurso peticion(*this, fichero);
    std::vector<std::shared_ptr<ICustomHelpViewer>> capaces;
    for (const auto& r : std::vector(visores_))
        if (r.visor->UnderstandsKeyword(palabra) > 0)
            capaces.push_back(r.visor);
    if (capaces.empty())
        return false;
    if (capaces.size() == 1) {
        capaces.front()->ShowHelp(palabra);
        return true;
    }
    std::vector<std::pair<std::string, std::shared_ptr<ICustomHelpViewer>>> lineas;
    for (const auto& visor : capaces)
        for (auto& linea : visor->GetHelpStrings(palabra))
            lineas.emplace_back(std::move(linea), visor);
    if (lineas.empty())
        return false;
    OrdenarPorTexto(lineas);
    const std::int32_t indice = selector_ ? selector_->SelectKeyword(Textos(lineas)) : 0;
    const auto* elegido = Elegido(lineas, indice);
    if (!elegido)
        return false;
    (*elegido)->ShowHelp(lineas[static_cast<std::size_t>(indice)].first);
    return true;
}

void GestorAyuda::SoftShutDown()
{
    for (const auto& r : std::vector(visores_))
        r.visor->SoftShutDown();
}

void GestorAyuda::Descargar()
{
    while (!visores_.empty()) {
        Registro ultimo = std::move(visores_.back());
        visores_.pop_back();
        Release(ultimo.numero);
        ultimo.visor->ShutDown();
    }
    selector_.reset();
}

}  // namespace thn::ayuda
