#include "legende_figure.h"

#include "couleurs_dessin.h"
#include "liste_dessin.h"
#include "palette_figure.h"

#include <QFontMetrics>
#include <QImage>

#include <algorithm>

namespace {

constexpr int marge = 8;
constexpr int hauteur_rangee = 24;
constexpr int cote_echantillon = 16;
constexpr int ecart_texte = 8;
// A text's box starts this far above and left of its glyphs.
constexpr int retrait_texte = 4;
constexpr int hauteur_barre = 128;
constexpr int pas_barre = 2;
constexpr double pouces_par_metre = 1.0 / 0.0254;

QString nombre(double v)
{
    return QString::number(v, 'g', 6);
}

int largeur_texte(const QString &texte, const QFont &police, int ppp)
{
    QImage appareil(1, 1, QImage::Format_RGB32);
    appareil.setDotsPerMeterX(qRound(ppp * pouces_par_metre));
    appareil.setDotsPerMeterY(qRound(ppp * pouces_par_metre));
    return QFontMetrics(police, &appareil).horizontalAdvance(texte);
}

} // namespace

void legende_figure::ajouter_marque(const QString &texte, forme_sommet::forme forme, const QColor &fond,
                                    const QPen &contour)
{
    _rangees.push_back({texte, false, forme, fond, contour});
}

void legende_figure::ajouter_trait(const QString &texte, const QPen &stylo)
{
    _rangees.push_back({texte, true, forme_sommet::forme::cercle, QColor(), stylo});
}

void legende_figure::ajouter_barre(const QString &nom, double minimum, double maximum)
{
    _barre = barre{nom, minimum, maximum};
}

QStringList legende_figure::textes() const
{
    QStringList t;
    for (const rangee &r : _rangees)
        t << r.texte;
    if (_barre)
        t << _barre->nom << nombre(_barre->minimum) << nombre(_barre->maximum);
    return t;
}

QSize legende_figure::taille(const QFont &police, int ppp) const
{
    int texte = 0;
    for (const QString &t : textes())
        texte = std::max(texte, largeur_texte(t, police, ppp));
    const int hauteur = int(_rangees.size()) * hauteur_rangee + (_barre ? 2 * hauteur_rangee + hauteur_barre : 0);
    return QSize(2 * marge + cote_echantillon + ecart_texte + texte + 2 * retrait_texte, 2 * marge + hauteur);
}

void legende_figure::poser(liste_dessin &liste, const QPoint &coin) const
{
    const QSize t = taille(liste.police(), liste.ppp());
    const QRect boite(coin, t - QSize(1, 1));
    const QPen cadre(couleurs_dessin::bleu_nuit);
    liste.ajouter_marque(boite, forme_sommet::forme::carre, cadre, QBrush(Qt::white));
    QPoint p = coin + QPoint(marge, marge);
    if (_barre)
        p.ry() += poser_barre(liste, p);
    const QPoint vers_texte(cote_echantillon + ecart_texte - retrait_texte, -retrait_texte);
    for (const rangee &r : _rangees) {
        const QRect echantillon(p + QPoint(0, (hauteur_rangee - cote_echantillon) / 2),
                                QSize(cote_echantillon, cote_echantillon));
        if (r.trait) {
            const int y = echantillon.center().y();
            liste.ajouter_ligne(QLine(echantillon.left(), y, echantillon.right(), y), r.stylo);
        } else {
            liste.ajouter_marque(echantillon, r.forme, r.stylo,
                                 r.fond.isValid() ? QBrush(r.fond) : QBrush(Qt::NoBrush));
        }
        liste.ajouter_texte(r.texte, QPointF(p + vers_texte), &couleurs_dessin::bleu_nuit);
        p.ry() += hauteur_rangee;
    }
}

// The value's name, then the bar from the largest value at the top to the
// smallest at the bottom, each end labelled; returns the height it takes.
int legende_figure::poser_barre(liste_dessin &liste, const QPoint &coin) const
{
    const QPointF vers_texte(cote_echantillon + ecart_texte - retrait_texte, -retrait_texte);
    liste.ajouter_texte(_barre->nom, QPointF(coin) + QPointF(-retrait_texte, -retrait_texte), &couleurs_dessin::bleu_nuit);
    const QPoint haut = coin + QPoint(0, hauteur_rangee);
    const int pas = hauteur_barre / pas_barre;
    for (int k = 0; k < pas; ++k) {
        const double t = 1.0 - double(k) / (pas - 1);
        liste.ajouter_marque(QRect(haut + QPoint(0, k * pas_barre), QSize(cote_echantillon, pas_barre)),
                             forme_sommet::forme::carre, Qt::NoPen, QBrush(palette_figure::viridis(t)));
    }
    liste.ajouter_marque(QRect(haut, QSize(cote_echantillon, hauteur_barre)), forme_sommet::forme::carre,
                         QPen(couleurs_dessin::bleu_nuit), Qt::NoBrush);
    liste.ajouter_texte(nombre(_barre->maximum), QPointF(haut) + vers_texte, &couleurs_dessin::bleu_nuit);
    liste.ajouter_texte(nombre(_barre->minimum),
                        QPointF(haut) + vers_texte + QPointF(0, hauteur_barre - hauteur_rangee + retrait_texte),
                        &couleurs_dessin::bleu_nuit);
    return 2 * hauteur_rangee + hauteur_barre;
}
