#include "ecriture_dot.h"

#include "forme_sommet.h"
#include "liste_dessin.h"

#include <QFontInfo>
#include <QIODevice>
#include <QPen>
#include <QString>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

// Graphviz reads "#rrggbb", or "#rrggbbaa" for a translucent colour.
QByteArray couleur(const QColor &c)
{
    QByteArray texte = QByteArrayLiteral("\"") + c.name(QColor::HexRgb).toLatin1();
    if (c.alpha() != 255)
        texte += QByteArray::number(c.alpha() + 256, 16).right(2);
    return texte + '"';
}

QByteArray nombre(double v)
{
    return QByteArray::number(v, 'g', 10);
}

QByteArray entre_guillemets(const QString &texte)
{
    QString echappe = texte;
    echappe.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return '"' + echappe.toUtf8() + '"';
}

// One line between two vertices, in the pen it is drawn with; the two arcs
// of a link both ways are one line.
struct trait
{
    int a, b;
    QRgb couleur;
    qreal largeur;
    Qt::PenStyle style;
    QColor teinte;

    auto cle() const { return std::make_tuple(couleur, largeur, int(style), a, b); }
};

std::vector<trait> traits(const liste_dessin &liste)
{
    std::vector<trait> t;
    t.reserve(liste.arcs().size());
    for (const liste_dessin::arc &arc : liste.arcs()) {
        const QPen &stylo = liste.stylo(arc.stylo);
        const int a = liste.sommets()[arc.source].id;
        const int b = liste.sommets()[arc.destination].id;
        t.push_back({std::min(a, b), std::max(a, b), stylo.color().rgba(), stylo.widthF(), stylo.style(),
                     stylo.color()});
    }
    std::sort(t.begin(), t.end(), [](const trait &x, const trait &y) { return x.cle() < y.cle(); });
    t.erase(std::unique(t.begin(), t.end(), [](const trait &x, const trait &y) { return x.cle() == y.cle(); }),
            t.end());
    return t;
}

// Edge defaults change with each new pen, so every line is a bare pair.
QByteArray aretes(const std::vector<trait> &liste)
{
    QByteArray texte;
    const trait *precedent = nullptr;
    for (const trait &t : liste) {
        if (!precedent || std::tie(t.couleur, t.largeur, t.style)
                              != std::tie(precedent->couleur, precedent->largeur, precedent->style)) {
            texte += "  edge [color=" + couleur(t.teinte) + ", penwidth=" + nombre(std::max<qreal>(t.largeur, 1))
                     + (t.style == Qt::DashLine ? ", style=dashed" : ", style=solid") + "];\n";
        }
        texte += "  n" + QByteArray::number(t.a) + " -- n" + QByteArray::number(t.b) + ";\n";
        precedent = &t;
    }
    return texte;
}

QByteArray sommet(const liste_dessin &liste, const liste_dessin::sommet &s, qreal hauteur)
{
    const QPointF centre = QPointF(s.coin) + QPointF(forme_sommet::rayon, forme_sommet::rayon);
    return "  n" + QByteArray::number(s.id) + " [pos=\"" + nombre(centre.x()) + ',' + nombre(hauteur - centre.y())
           + "!\", fillcolor=" + couleur(liste.brosse(s.fond).color()) + ", color=" + couleur(liste.contour().color())
           + ", fontcolor=" + couleur(liste.couleur_etiquette(s.etiquette)) + ", label=\"" + QByteArray::number(s.id)
           + "\"];\n";
}

QByteArray entete(const QString &nom, const QSize &aire, const QFont &police)
{
    const QFontInfo info(police);
    const QByteArray diametre = nombre(forme_sommet::diametre / 72.0);
    const QByteArray coin = "shape=point, style=invis, width=0, height=0, label=\"\"";
    return "graph " + entre_guillemets(nom) + " {\n  graph [pad=0, splines=false, outputorder=edgesfirst];\n"
           + "  node [shape=circle, fixedsize=true, width=" + diametre + ", height=" + diametre
           + ", style=filled, penwidth=1, fontname=" + entre_guillemets(info.family())
           + ", fontsize=" + QByteArray::number(info.pixelSize()) + "];\n"
           + "  coin_bas [pos=\"0,0!\", " + coin + "];\n  coin_haut [pos=\"" + nombre(aire.width()) + ','
           + nombre(aire.height()) + "!\", " + coin + "];\n";
}

} // namespace

bool ecrire_dot(const liste_dessin &liste, QIODevice &sortie, const QString &nom)
{
    QByteArray texte = entete(nom, liste.aire(), liste.police());
    for (const liste_dessin::sommet &s : liste.sommets())
        texte += sommet(liste, s, liste.aire().height());
    texte += aretes(traits(liste)) + "}\n";
    return sortie.write(texte) == texte.size();
}
