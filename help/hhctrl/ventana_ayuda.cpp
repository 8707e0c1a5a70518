// SPDX-License-Identifier: EUPL-1.2
#include "help/hhctrl/ventana_ayuda.h"

#include "help/hhctrl/contextos_chm.h"
#include "help/hhctrl/direccion_chm.h"
#include "help/hhctrl/navegador_chm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace thn::chm {
namespace {

constexpr int kRolLocal = Qt::UserRole;
constexpr int kRolPalabra = Qt::UserRole + 1;

QString Texto(const std::string& s) { return QString::fromStdString(s); }

// The topic of an entry, or of its first descendant that has one: a keyword
// with sub-entries may have no page of its own.
std::string LocalDe(const EntradaSitio& e)
{
    if (!e.local.empty())
        return e.local;
    for (const auto& hijo : e.hijos)
        if (auto local = LocalDe(hijo); !local.empty())
            return local;
    return {};
}

// A Local as a stored path with its fragment: relative names are taken from
// the file's root, where the contents and index files are.
std::string RutaDeLocal(const std::string& local)
{
    if (auto tema = TemaDeEnlace(local))
        return *tema;
    std::string ruta = local;
    for (char& c : ruta)
        if (c == '\\')
            c = '/';
    return ruta.empty() || ruta.front() == '/' ? ruta : "/" + ruta;
}

QToolButton* Boton(const QString& texto, QStyle::StandardPixmap icono, QWidget* padre)
{
    auto* b = new QToolButton(padre);
    b->setText(texto);
    b->setIcon(padre->style()->standardIcon(icono));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    return b;
}

}  // namespace

VentanaAyuda::VentanaAyuda()
    : pestanas_(new QTabWidget), contenido_(new QTreeWidget), busqueda_(new QLineEdit), indice_(new QListWidget),
      tema_(new NavegadorChm)
{
    setObjectName("VentanaAyuda");
    setWindowTitle("Ayuda");
    // The program ends with its main window, whether or not help is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    pestanas_->setObjectName("pestanas");
    contenido_->setObjectName("contenido");
    busqueda_->setObjectName("busqueda");
    indice_->setObjectName("indice");
    tema_->setObjectName("tema");

    auto* atras = Boton("Atrás", QStyle::SP_ArrowBack, this);
    auto* adelante = Boton("Adelante", QStyle::SP_ArrowForward, this);
    auto* inicio = Boton("Inicio", QStyle::SP_DirHomeIcon, this);
    atras->setEnabled(false);
    adelante->setEnabled(false);
    auto* barra = new QHBoxLayout;
    barra->addWidget(atras);
    barra->addWidget(adelante);
    barra->addWidget(inicio);
    barra->addStretch();

    contenido_->setHeaderHidden(true);
    pestanas_->addTab(contenido_, "Contenido");

    auto* pagina_indice = new QWidget;
    auto* columna = new QVBoxLayout(pagina_indice);
    auto* etiqueta = new QLabel("&Escriba la palabra clave que desea buscar:");
    etiqueta->setBuddy(busqueda_);
    etiqueta->setWordWrap(true);
    auto* mostrar = new QPushButton("&Mostrar");
    columna->addWidget(etiqueta);
    columna->addWidget(busqueda_);
    columna->addWidget(indice_);
    columna->addWidget(mostrar, 0, Qt::AlignRight);
    pestanas_->addTab(pagina_indice, "Índice");

    auto* division = new QSplitter(Qt::Horizontal);
    division->addWidget(pestanas_);
    division->addWidget(tema_);
    division->setStretchFactor(1, 1);
    division->setSizes({300, 600});

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(4, 4, 4, 4);
    principal->addLayout(barra);
    principal->addWidget(division, 1);
    resize(900, 620);

    connect(atras, &QToolButton::clicked, tema_, &QTextBrowser::backward);
    connect(adelante, &QToolButton::clicked, tema_, &QTextBrowser::forward);
    connect(tema_, &QTextBrowser::backwardAvailable, atras, &QWidget::setEnabled);
    connect(tema_, &QTextBrowser::forwardAvailable, adelante, &QWidget::setEnabled);
    connect(inicio, &QToolButton::clicked, this, [this] { MostrarTema({}); });
    connect(tema_, &QTextBrowser::sourceChanged, this, [this](const QUrl& u) { MarcarEnContenido(u); });

    auto abrir_contenido = [this](QTreeWidgetItem* item) {
        if (item)
            AbrirEntrada(item->data(0, kRolLocal).toString());
    };
    connect(contenido_, &QTreeWidget::itemClicked, this, abrir_contenido);
    connect(contenido_, &QTreeWidget::itemActivated, this, abrir_contenido);

    auto abrir_indice = [this] {
        if (QListWidgetItem* item = indice_->currentItem())
            AbrirEntrada(item->data(kRolLocal).toString());
    };
    connect(busqueda_, &QLineEdit::textEdited, this, [this](const QString& t) { Buscar(t); });
    connect(busqueda_, &QLineEdit::returnPressed, this, abrir_indice);
    connect(indice_, &QListWidget::itemActivated, this, abrir_indice);
    connect(mostrar, &QPushButton::clicked, this, abrir_indice);
}

void VentanaAyuda::Cargar(std::shared_ptr<const ArchivoChm> archivo)
{
    archivo_ = std::move(archivo);
    descripcion_ = Describir(*archivo_);
    setWindowTitle(descripcion_.titulo.empty() ? QString("Ayuda") : Texto(descripcion_.titulo));
    tema_->PonerArchivo(archivo_);
    contenido_->clear();
    indice_->clear();
    busqueda_->clear();
    if (!descripcion_.contenido.empty())
        LlenarContenido(LeerMapaSitio(archivo_->Leer(descripcion_.contenido).value_or("")), nullptr);
    if (!descripcion_.indice.empty())
        LlenarIndice(LeerMapaSitio(archivo_->Leer(descripcion_.indice).value_or("")), 0);
}

const std::filesystem::path& VentanaAyuda::Fichero() const
{
    static const std::filesystem::path ninguno;
    return archivo_ ? archivo_->Ruta() : ninguno;
}

void VentanaAyuda::MostrarTema(const std::string& tema)
{
    if (!archivo_)
        return;
    const bool existe = !tema.empty() && archivo_->Resolver(SinFragmento(tema)).has_value();
    const std::string ruta = existe ? tema : descripcion_.tema_inicial;
    if (!ruta.empty())
        tema_->setSource(NavegadorChm::Direccion(ruta));
}

void VentanaAyuda::MostrarContexto(std::uint32_t contexto)
{
    if (archivo_)
        MostrarTema(TemaDeContexto(*archivo_, contexto).value_or(""));
}

void VentanaAyuda::MostrarContenido()
{
    pestanas_->setCurrentWidget(contenido_);
    MostrarTema({});
}

void VentanaAyuda::MostrarIndice(const QString& palabra)
{
    pestanas_->setCurrentIndex(pestanas_->indexOf(indice_->parentWidget()));
    busqueda_->setText(palabra);
    if (QListWidgetItem* item = Buscar(palabra))
        AbrirEntrada(item->data(kRolLocal).toString());
    else if (!MuestraAlgunTema())
        MostrarTema({});
}

bool VentanaAyuda::MuestraAlgunTema() const { return !tema_->source().isEmpty(); }

void VentanaAyuda::LlenarContenido(const std::vector<EntradaSitio>& entradas, QTreeWidgetItem* padre)
{
    for (const auto& e : entradas) {
        auto* item = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(contenido_);
        item->setText(0, Texto(e.nombre));
        item->setData(0, kRolLocal, Texto(e.local));
        const bool libro = !e.hijos.empty() || e.local.empty();
        item->setIcon(0, style()->standardIcon(libro ? QStyle::SP_DirIcon : QStyle::SP_FileIcon));
        LlenarContenido(e.hijos, item);
    }
}

void VentanaAyuda::LlenarIndice(const std::vector<EntradaSitio>& entradas, int nivel)
{
    for (const auto& e : entradas) {
        auto* item = new QListWidgetItem(QString(nivel * 4, ' ') + Texto(e.nombre), indice_);
        item->setData(kRolLocal, Texto(LocalDe(e)));
        item->setData(kRolPalabra, Texto(e.nombre));
        LlenarIndice(e.hijos, nivel + 1);
    }
}

QListWidgetItem* VentanaAyuda::Buscar(const QString& texto)
{
    const QString buscado = texto.trimmed();
    if (buscado.isEmpty())
        return nullptr;
    for (int i = 0; i < indice_->count(); ++i) {
        QListWidgetItem* item = indice_->item(i);
        if (item->data(kRolPalabra).toString().startsWith(buscado, Qt::CaseInsensitive)) {
            indice_->setCurrentItem(item);
            indice_->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return item;
        }
    }
    return nullptr;
}

void VentanaAyuda::AbrirEntrada(const QString& local)
{
    if (!local.isEmpty())
        MostrarTema(RutaDeLocal(local.toStdString()));
}

void VentanaAyuda::MarcarEnContenido(const QUrl& direccion)
{
    const QString ruta = direccion.path(QUrl::FullyDecoded);
    for (QTreeWidgetItemIterator it(contenido_); *it; ++it) {
        const QString local = (*it)->data(0, kRolLocal).toString();
        if (!local.isEmpty()
            && QString::fromStdString(NormalizarRuta(SinFragmento(RutaDeLocal(local.toStdString())))).compare(ruta, Qt::CaseInsensitive) == 0) {
            contenido_->setCurrentItem(*it);
            return;
        }
    }
}

}  // namespace thn::chm
