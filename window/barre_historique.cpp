#include "barre_historique.h"

#include <QShortcut>
#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr int millisecondes = 1000;

} // namespace

barre_historique::barre_historique(QWidget *page) : QWidget(page)
{
    setupUi(this);
    connect(bouton_premiere, &QToolButton::clicked, this, [this] { aller(1); });
    connect(bouton_precedente, &QToolButton::clicked, this, [this] { aller(_etape - 1); });
    connect(bouton_suivante, &QToolButton::clicked, this, [this] { aller(_etape + 1); });
    connect(bouton_derniere, &QToolButton::clicked, this, [this] { aller(_nombre); });
    connect(bouton_lecture, &QToolButton::toggled, this, &barre_historique::lire);
    connect(curseur_etape, &QSlider::valueChanged, this, &barre_historique::aller);
    connect(vitesse, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int v) { _minuterie.setInterval(millisecondes / v); });
    _minuterie.setInterval(millisecondes / vitesse->value());
    connect(&_minuterie, &QTimer::timeout, this, &barre_historique::pas_de_lecture);
    // On the page and what it holds, the view first: the arrows step
    // instead of scrolling.
    const auto raccourci = [page](int touche) {
        return new QShortcut(QKeySequence(touche), page, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    };
    connect(raccourci(Qt::Key_Left), &QShortcut::activated, this, [this] { aller(_etape - 1); });
    connect(raccourci(Qt::Key_Right), &QShortcut::activated, this, [this] { aller(_etape + 1); });
    connect(raccourci(Qt::Key_Space), &QShortcut::activated, bouton_lecture, &QToolButton::toggle);
}

void barre_historique::montrer(int k, int n, const QString &texte)
{
    _etape = k;
    _nombre = n;
    const QSignalBlocker bloque(curseur_etape);
    curseur_etape->setRange(1, std::max(1, n));
    curseur_etape->setValue(k);
    texte_etape->setText(texte);
    bouton_precedente->setEnabled(k > 1);
    bouton_premiere->setEnabled(k > 1);
    bouton_suivante->setEnabled(k < n);
    bouton_derniere->setEnabled(k < n);
}

void barre_historique::lire(bool oui)
{
    // Playing from the last step starts again at the first.
    if (oui && _etape >= _nombre)
        aller(1);
    oui = oui && _nombre > 1;
    if (oui)
        _minuterie.start();
    else
        _minuterie.stop();
    const QSignalBlocker bloque(bouton_lecture);
    bouton_lecture->setChecked(oui);
    bouton_lecture->setText(oui ? tr("Pause") : tr("Lire"));
}

void barre_historique::aller(int k)
{
    k = std::clamp(k, 1, std::max(1, _nombre));
    if (k != _etape)
        emit etape_demandee(k);
}

void barre_historique::pas_de_lecture()
{
    aller(_etape + 1);
    if (_etape >= _nombre)
        lire(false);
}
