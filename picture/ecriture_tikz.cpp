#include "ecriture_tikz.h"

#include "couleurs_dessin.h"
#include "liste_dessin.h"
#include "palette_figure.h"
#include "primitives_dessin.h"

#include <QFontInfo>
#include <QHash>
#include <QIODevice>
#include <QMap>

namespace {

// Round the picture on its page: two margins of 2 mm, and a little room.
constexpr double marge_page_cm = 0.5;
// The em of LaTeX's 10 pt font, which texts are scaled from.
constexpr double cm_par_em = 0.3515;

QByteArray nombre(double v)
{
    return QByteArray::number(v, 'f', 4);
}

// The roles' fills name their vertices' styles; any other fill (a value's)
// is given on the node.
QByteArray nom_role(const QColor &fond)
{
    using namespace couleurs_dessin;
    using namespace palette_figure;
    const std::pair<const QColor *, const char *> noms[] = {
        {&vert_puits, "puits"}, {&noir, "puits"},          {&vert_ma, "ma"},          {&vert_bleute, "ma"},
        {&saumon_br, "br"},     {&orange, "br"},           {&bleu_ciel, "sl"},        {&blanc_casse, "autre"},
        {&bleu_seulement_a, "seul-a"}, {&vermillon_seulement_b, "seul-b"}, {&gris_clair, "sans-valeur"}};
    for (const auto &[couleur, nom] : noms)
        if (*couleur == fond)
            return nom;
    return "valeur";
}

QByteArray forme_tikz(forme_sommet::forme f)
{
    switch (f) {
    case forme_sommet::forme::carre:
        return "rectangle";
    case forme_sommet::forme::losange:
        return "diamond";
    case forme_sommet::forme::triangle:
        return "regular polygon, regular polygon sides=3";
    case forme_sommet::forme::cercle:
    case forme_sommet::forme::petit_cercle:
        break;
    }
    return "circle";
}

QByteArray echapper(const QString &texte)
{
    QByteArray sortie;
    for (const QChar c : texte) {
        switch (c.unicode()) {
        case '\\': sortie += "\\textbackslash{}"; break;
        case '{': case '}': case '$': case '&': case '#': case '_': case '%':
            sortie += '\\';
            sortie += char(c.unicode());
            break;
        case '^': sortie += "\\textasciicircum{}"; break;
        case '~': sortie += "\\textasciitilde{}"; break;
        default: sortie += QString(c).toUtf8();
        }
    }
    return sortie;
}

// Collects the picture's commands, the colours and the styles they use,
// then writes the styles first.
class ecrivain_tikz : public primitives_dessin
{
public:
    ecrivain_tikz(const liste_dessin &liste, double largeur_cm, const QRect &zone)
        : _echelle(largeur_cm / zone.width()), _zone(zone)
    {
        _facteur_texte = QFontInfo(liste.police()).pixelSize() * _echelle / cm_par_em;
    }

    void ligne(const QLine &l, const stylo &s) override
    {
        _corps += "\\draw[" + trait(s.qt) + "] " + point(l.p1()) + " -- " + point(l.p2()) + ";\n";
    }

    void texte(const texte_place &t) override
    {
        // A text's box has a margin of 4 units around its glyphs.
        _corps += "\\node[vg texte, text=" + couleur(t.couleur) + "] at " + point(t.position + QPointF(4, 4))
                  + " {\\vgtexte{" + echapper(t.contenu) + "}};\n";
    }

    void sommet(const QPoint &coin, const QPen &contour, const QBrush &fond, int id, const QColor &numero,
                forme_sommet::forme forme) override
    {
        const QByteArray nom = style_sommet(contour, fond.color(), numero, forme);
        QByteArray options = nom;
        if (_numero_de_style.value(nom) != numero)
            options += ", text=" + couleur(numero);
        if (nom_role(fond.color()) == "valeur")
            options += ", fill=" + couleur(fond.color());
        _corps += "\\node[" + options + "] at " + point(QPointF(coin) + QPointF(forme_sommet::rayon, forme_sommet::rayon))
                  + " {\\vgnumero{" + QByteArray::number(id) + "}};\n";
    }

    void marque(const QRect &boite, forme_sommet::forme forme, const QPen &contour, const QBrush &fond) override
    {
        QByteArray options = contour.style() == Qt::NoPen ? QByteArray("draw=none") : trait(contour);
        if (fond.style() != Qt::NoBrush)
            options += ", fill=" + couleur(fond.color());
        _corps += "\\path[" + options + "] " + chemin(QRectF(boite), forme) + ";\n";
    }

    bool ecrire(QIODevice &sortie, bool corps_seul) const;

private:
    QByteArray point(const QPointF &p) const
    {
        return '(' + nombre((p.x() - _zone.left()) * _echelle) + ',' + nombre((_zone.bottom() + 1 - p.y()) * _echelle) + ')';
    }

    QByteArray couleur(const QColor &c)
    {
        const QByteArray nom = "vg" + c.name(QColor::HexRgb).mid(1).toLatin1();
        _couleurs.insert(nom, c);
        return nom;
    }

    QByteArray trait(const QPen &stylo)
    {
        QByteArray t = "draw=" + couleur(stylo.color()) + ", line width=" + nombre(std::max(1.0, stylo.widthF()) * _echelle) + "cm";
        if (stylo.color().alpha() != 255)
            t += ", draw opacity=" + nombre(stylo.color().alphaF());
        if (stylo.style() == Qt::DashLine)
            t += ", dashed";
        else if (stylo.style() == Qt::DotLine)
            t += ", dotted";
        return t;
    }

    QByteArray chemin(const QRectF &b, forme_sommet::forme f) const;
    QByteArray style_sommet(const QPen &contour, const QColor &fond, const QColor &numero, forme_sommet::forme f);

    double _echelle;
    QRect _zone;
    double _facteur_texte = 1;
    QByteArray _corps;
    QMap<QByteArray, QColor> _couleurs;
    QMap<QByteArray, QByteArray> _styles;
    QHash<QByteArray, QColor> _numero_de_style;
};

QByteArray ecrivain_tikz::chemin(const QRectF &b, forme_sommet::forme f) const
{
    if (f == forme_sommet::forme::cercle || f == forme_sommet::forme::petit_cercle) {
        const qreal r = f == forme_sommet::forme::petit_cercle ? forme_sommet::retrait_petit_cercle : 0;
        const QRectF c = b.adjusted(r, r, -r, -r);
        return point(c.center()) + " ellipse (" + nombre(c.width() / 2 * _echelle) + "cm and "
               + nombre(c.height() / 2 * _echelle) + "cm)";
    }
    if (f == forme_sommet::forme::carre)
        return point(b.bottomLeft()) + " rectangle " + point(b.topRight());
    QByteArray c;
    for (const QPointF &p : forme_sommet::polygone(f, b))
        c += point(p) + " -- ";
    return c + "cycle";
}

// A style a role and mark: its fill, outline, number colour and size.
QByteArray ecrivain_tikz::style_sommet(const QPen &contour, const QColor &fond, const QColor &numero,
                                       forme_sommet::forme f)
{
    const QByteArray role = nom_role(fond);
    static const char *const formes[] = {"", " carre", " losange", " triangle", " petit"};
    const QByteArray nom = "vg " + role + formes[int(f)];
    if (_styles.contains(nom))
        return nom;
    // A regular triangle's size is its circle's: this one spans the box.
    constexpr qreal agrandissement_triangle = 1.15;
    const qreal cote = f == forme_sommet::forme::petit_cercle ? forme_sommet::diametre - 2 * forme_sommet::retrait_petit_cercle
                       : f == forme_sommet::forme::triangle   ? forme_sommet::diametre * agrandissement_triangle
                                                               : forme_sommet::diametre;
    QByteArray style = forme_tikz(f) + ", draw=" + couleur(contour.color()) + ", inner sep=0pt, minimum size="
                       + nombre(cote * _echelle) + "cm, text=" + couleur(numero);
    if (role != "valeur")
        style += ", fill=" + couleur(fond);
    _styles.insert(nom, style);
    _numero_de_style.insert(nom, numero);
    return nom;
}

bool ecrivain_tikz::ecrire(QIODevice &sortie, bool corps_seul) const
{
    QByteArray tete;
    const QByteArray largeur = nombre(_zone.width() * _echelle);
    const QByteArray hauteur = nombre(_zone.height() * _echelle);
    // article and geometry, which every LaTeX has, sized to the picture;
    // the default encoding keeps Computer Modern's outline fonts, which
    // publishers take, where T1 would need bitmaps without cm-super.
    if (!corps_seul)
        tete += "\\documentclass{article}\n\\usepackage[paperwidth=" + nombre(_zone.width() * _echelle + marge_page_cm)
                + "cm,paperheight=" + nombre(_zone.height() * _echelle + marge_page_cm) + "cm,margin=2mm]{geometry}\n\\usepackage[utf8]{inputenc}\n"
                  "\\usepackage{graphicx}\n\\usepackage{tikz}\n\\usetikzlibrary{shapes.geometric}\n"
                  "\\pagestyle{empty}\n\\begin{document}\n\\noindent\n";
    else
        tete += "% Needs \\usepackage{graphicx}, \\usepackage{tikz} and \\usetikzlibrary{shapes.geometric}.\n";
    tete += "\\begin{tikzpicture}\n\\useasboundingbox (0,0) rectangle (" + largeur + ',' + hauteur + ");\n";
    for (auto c = _couleurs.constBegin(); c != _couleurs.constEnd(); ++c)
        tete += "\\definecolor{" + c.key() + "}{RGB}{" + QByteArray::number(c.value().red()) + ','
                + QByteArray::number(c.value().green()) + ',' + QByteArray::number(c.value().blue()) + "}\n";
    // A number takes no room in its node: the mark keeps its own size.
    tete += "\\providecommand{\\vgtexte}[1]{\\scalebox{" + nombre(_facteur_texte) + "}{#1}}\n"
            "\\providecommand{\\vgnumero}[1]{\\makebox[0pt]{\\raisebox{-0.5\\height}[0pt][0pt]{\\vgtexte{#1}}}}\n\\tikzset{vg texte/.style={anchor=north west, inner sep=0pt}";
    for (auto s = _styles.constBegin(); s != _styles.constEnd(); ++s)
        tete += ",\n  " + s.key() + "/.style={" + s.value() + '}';
    tete += "}\n";
    const QByteArray fin = QByteArray("\\end{tikzpicture}\n") + (corps_seul ? "" : "\\end{document}\n");
    return sortie.write(tete) == tete.size() && sortie.write(_corps) == _corps.size() && sortie.write(fin) == fin.size();
}

} // namespace

QString refus_tikz(const liste_dessin &liste)
{
    if (liste.sommets().size() <= sommets_tikz_max)
        return QString();
    return QString::fromUtf8("%1 capteurs dans le dessin : TeX n'en tient pas plus de %2 ; "
                             "choisissez une région (--region) ou écrivez un PDF")
        .arg(liste.sommets().size())
        .arg(sommets_tikz_max);
}

bool ecrire_tikz(const liste_dessin &liste, QIODevice &sortie, const options_tikz &options, QString &raison)
{
    raison = refus_tikz(liste);
    if (!raison.isEmpty())
        return false;
    const QRect zone = options.zone.isEmpty() ? QRect(QPoint(0, 0), liste.aire()) : options.zone;
    ecrivain_tikz ecrivain(liste, options.largeur_cm, zone);
    liste.parcourir(zone, ecrivain);
    return ecrivain.ecrire(sortie, options.corps_seul);
}
