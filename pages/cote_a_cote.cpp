#include "cote_a_cote.h"

#include "cadre_page.h"
#include "graphe_instance.h"
#include "graphe_visualisateur.h"
#include "graphic_view.h"
#include "pages_graphe.h"
#include "session_graphe.h"

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardItem>
#include <QStatusBar>

#include <cmath>

namespace {

// Two pages show one instance when they draw one record, or records of one
// file: their sensors then lie at the same places.
bool meme_instance(const session_graphe *a, const session_graphe *b)
{
    const graphe_instance *ia = a ? a->instance() : nullptr;
    const graphe_instance *ib = b ? b->instance() : nullptr;
    if (!ia || !ib)
        return false;
    return ia == ib
           || (!ia->nom_fichier().isEmpty()
               && QFileInfo(ia->nom_fichier()).absoluteFilePath() == QFileInfo(ib->nom_fichier()).absoluteFilePath());
}

// The scene point at the centre of the view, unrounded.
QPointF centre_vue(graphic_view *vue)
{
    return vue->viewportTransform().inverted().map(QRectF(vue->viewport()->rect()).center());
}

} // namespace

cote_a_cote::cote_a_cote(pages_graphe &pages, QStackedWidget *pile, QStatusBar *barre_etat)
    : _pages(pages), _pile(pile)
{
    QWidget *zone = pile->parentWidget();
    _separateur = new QSplitter(Qt::Horizontal, zone);
    _separateur->setObjectName(QStringLiteral("separateur_pages"));
    // Laid out as the stack was, so that it takes the same room: the stack
    // expands as its pages do.
    _separateur->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    _separateur->setChildrenCollapsible(false);
    delete zone->layout()->replaceWidget(pile, _separateur);
    _gauche = new cadre_page(_separateur);
    _gauche->poser(pile);
    _droite = new cadre_page(_separateur);
    _droite->hide();
    _separateur->addWidget(_gauche);
    _separateur->addWidget(_droite);

    _etat = new QLabel(barre_etat);
    _etat->setObjectName(QStringLiteral("etat_cote_a_cote"));
    _etat->hide();
    barre_etat->addPermanentWidget(_etat);

    connect(pile, &QStackedWidget::currentChanged, this, &cote_a_cote::suivre_pile);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *nouveau) {
        if (nouveau)
            activer_cote_de(nouveau);
    });
    // A side made wider or narrower keeps its centre on the other's.
    connect(_separateur, &QSplitter::splitterMoved, this, [this] {
        if (_en_phase)
            suivre_defilement(premiere()->get_graphic_view(), _seconde->get_graphic_view());
    });
}

graphe_visualisateur *cote_a_cote::premiere() const
{
    QWidget *page = _pile->currentWidget();
    return _pages.item_par_fenetre().contains(page) ? qobject_cast<graphe_visualisateur *>(page) : nullptr;
}

QList<std::pair<QString, graphe_visualisateur *>> cote_a_cote::candidates() const
{
    QList<std::pair<QString, graphe_visualisateur *>> liste;
    QHash<QString, int> lignes;
    graphe_visualisateur *courante = premiere();
    for (int i = 0; i < _pile->count(); ++i) {
        auto *page = qobject_cast<graphe_visualisateur *>(_pile->widget(i));
        QStandardItem *entree = _pages.item_par_fenetre().value(page, nullptr);
        if (!entree || page == courante)
            continue;
        liste.append({entree->text(), page});
        ++lignes[entree->text()];
    }
    for (auto &[texte, page] : liste)
        if (lignes.value(texte) > 1)
            texte = _pages.titre_de(page);
    return liste;
}

bool cote_a_cote::ouvrir(graphe_visualisateur *page)
{
    graphe_visualisateur *a = premiere();
    const int index = _pile->indexOf(page);
    if (ouvert() || !a || !page || page == a || index < 0)
        return false;
    // The stack's indices stay: pages are brought back by theirs.
    _place = new QWidget;
    _place->setObjectName(QStringLiteral("place_page_a_cote"));
    _pile->insertWidget(index, _place);
    _pile->removeWidget(page);
    _seconde = page;
    _pages.poser_seconde(page, _place);
    _droite->poser(page);
    page->show();
    _gauche->a_cote(_pages.titre_de(a));
    _droite->a_cote(_pages.titre_de(page));
    _droite->show();
    const int moitie = _separateur->width() / 2;
    _separateur->setSizes({moitie, _separateur->width() - moitie});
    // Both views at their new sizes before one is put on the other's centre.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    lier();
    activer(false);
    emit page_active_change();
    return true;
}

void cote_a_cote::fermer()
{
    if (!ouvert())
        return;
    delier();
    graphe_visualisateur *page = std::exchange(_seconde, nullptr);
    _pages.poser_seconde(nullptr, nullptr);
    _pile->insertWidget(_pile->indexOf(_place), page);
    _pile->removeWidget(_place);
    delete std::exchange(_place, nullptr);
    _droite->hide();
    _droite->seul();
    _gauche->seul();
    emit page_active_change();
}

QList<graphe_visualisateur *> cote_a_cote::pages_liees(graphe_visualisateur *page) const
{
    if (!page)
        return {};
    if (!_en_phase || (page != _seconde && page != premiere()))
        return {page};
    return {page, page == _seconde ? premiere() : _seconde};
}

void cote_a_cote::activer_cote_de(QWidget *widget)
{
    if (!ouvert() || !widget)
        return;
    const bool seconde = _droite->isAncestorOf(widget);
    if (!seconde && !_gauche->isAncestorOf(widget))
        return;
    const bool avant = _droite->actif();
    activer(seconde);
    if (avant != seconde)
        emit page_active_change();
}

void cote_a_cote::activer(bool seconde)
{
    _pages.activer_seconde(seconde);
    _gauche->set_actif(!seconde);
    _droite->set_actif(seconde);
}

void cote_a_cote::suivre_pile()
{
    if (!ouvert())
        return;
    graphe_visualisateur *a = premiere();
    _gauche->a_cote(a ? _pages.titre_de(a) : QString());
    lier();
    activer(false);
    emit page_active_change();
}

void cote_a_cote::lier()
{
    delier();
    graphe_visualisateur *a = premiere();
    _en_phase = a && meme_instance(_pages.session_de(a), _pages.session_de(_seconde));
    _etat->setVisible(a && !_en_phase);
    if (!_en_phase) {
        _etat->setText(tr("Pages de deux instances : pas en phase"));
        return;
    }
    graphic_view *va = a->get_graphic_view();
    graphic_view *vb = _seconde->get_graphic_view();
    if (vb->zoom() != va->zoom())
        _pages.redessiner(_seconde, va->zoom(), pages_graphe::cadrage::meme_centre);
    for (const auto &[de, vers] : {std::pair{va, vb}, std::pair{vb, va}}) {
        for (QScrollBar *barre : {de->horizontalScrollBar(), de->verticalScrollBar()})
            _liens << connect(barre, &QScrollBar::valueChanged, this,
                              [this, de = de, vers = vers] { suivre_defilement(de, vers); });
        _liens << connect(de, &graphic_view::capteur_choisi_change, this, [this, vers = vers](int capteur) {
            if (_en_cours)
                return;
            const QScopedValueRollback garde(_en_cours, true);
            vers->choisir_capteur(capteur);
        });
        _liens << connect(de, &graphic_view::lieu_pointe, this, [de = de, vers = vers](const QPointF &lieu) {
            if (de->echelle() && vers->echelle())
                vers->montrer_croix(de->echelle()->vers(*vers->echelle(), lieu));
        });
        _liens << connect(de, &graphic_view::pointeur_sorti, this,
                          [vers = vers] { vers->montrer_croix(std::nullopt); });
    }
    _vues_liees = {va, vb};
    suivre_defilement(va, vb);
    const QScopedValueRollback garde(_en_cours, true);
    vb->choisir_capteur(va->capteur_choisi());
}

void cote_a_cote::delier()
{
    for (const QMetaObject::Connection &lien : std::as_const(_liens))
        disconnect(lien);
    _liens.clear();
    _en_phase = false;
    _etat->hide();
    for (graphic_view *vue : std::exchange(_vues_liees, {}))
        vue->montrer_croix(std::nullopt);
}

void cote_a_cote::suivre_defilement(graphic_view *de, graphic_view *vers)
{
    if (_en_cours || !de->echelle() || !vers->echelle())
        return;
    const QScopedValueRollback garde(_en_cours, true);
    // Scene units are pixels: a zoom draws on a larger area, unscaled.
    const QPointF ecart = de->echelle()->vers(*vers->echelle(), centre_vue(de)) - centre_vue(vers);
    QScrollBar *h = vers->horizontalScrollBar();
    QScrollBar *v = vers->verticalScrollBar();
    h->setValue(h->value() + int(std::lround(ecart.x())));
    v->setValue(v->value() + int(std::lround(ecart.y())));
}
